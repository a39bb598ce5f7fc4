#!/bin/sh
# Test launcher: runs a test in the time zone VELOCREST_TEST_TZ names, UTC when none is named, so
# that scripts/shifted-test can move the whole suite to another zone without a new build.
TZ=${VELOCREST_TEST_TZ:-UTC}
export TZ
exec "$@"
