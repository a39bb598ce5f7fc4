#!/usr/bin/env bash
# Whole-process CPU of velocrest on a real X server: a tape of 25 symbols at Speed 30 (one pixel
# every 30 ms) scrolling for 30 seconds, against the same tape standing still (Direction 3, which
# still repaints on every tick) in the same run. Quotes come from velocrest-market on loopback.
#
# usage: bench/process_cpu.sh [build dir] [seconds]    run it through scripts/with-x without $DISPLAY
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
seconds=${2:-30}
bin=$build/bin
[ -n "${DISPLAY:-}" ] || exec "$root/scripts/with-x" "$0" "$build" "$seconds"

work=$(mktemp -d /tmp/velocrest-cpu.XXXXXX)
market_pid=
cleanup() {
    [ -n "$market_pid" ] && kill "$market_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

"$bin/velocrest-market" --port 0 >"$work/market.log" 2>&1 &
market_pid=$!
port=
for _ in $(seq 1 100); do
    port=$(head -n 1 "$work/market.log" 2>/dev/null | tr -dc '0-9')
    [ -n "$port" ] && break
    sleep 0.05
done
[ -n "$port" ] || { echo "process_cpu: velocrest-market did not start" >&2; exit 1; }

# Writes a program folder holding a 25-symbol tape with the given direction.
make_tape() {
    local dir=$1 direction=$2
    mkdir -p "$dir"
    {
        printf '[General]\r\nAskStartup=1\r\nQuoteHostUS=127.0.0.1:%s\r\n\r\n' "$port"
        printf '[Tape_000]\r\nAantal=25\r\nSpeed=30\r\nDirection=%s\r\nSkinName=Default\\Arrow\r\n' "$direction"
        grep -v '^#' "$bin/market/universe.csv" | tail -n +2 | head -n 25 | awk -F, '{
            printf "\r\n[Tape_000_Item%03d]\r\nSymbol=%s\r\nName=%s\r\n", NR - 1, $1, $2 }'
    } >"$dir/Velocrest.INI"
}

# CPU seconds of velocrest over the measured span, after a settling start (first cycle included).
measure() {
    local dir=$1 pid t0 t1
    VELOCREST_HOME=$dir HOME=$dir XDG_DATA_HOME=$dir/xdg XDG_CONFIG_HOME=$dir/xdg "$bin/velocrest" 2>/dev/null &
    pid=$!
    sleep 8
    t0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep "$seconds"
    t1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    kill -TERM "$pid"
    wait "$pid" || true
    echo $((t1 - t0))
}

make_tape "$work/standing" 3
make_tape "$work/scrolling" 1
tick=$(getconf CLK_TCK)
standing=$(measure "$work/standing")
scrolling=$(measure "$work/scrolling")
awk -v a="$scrolling" -v b="$standing" -v s="$seconds" -v t="$tick" 'BEGIN {
    sc = a / t / s * 100; st = b / t / s * 100
    printf "velocrest, 25 symbols, Speed 30, %d s on X:\n", s
    printf "  scrolling        %6.2f %% of one core (goal: under 3 %%)\n", sc
    printf "  standing (base)  %6.2f %% of one core\n", st
    if (b > 0) printf "  ratio            %6.2f x\n", a / b
}'
