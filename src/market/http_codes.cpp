#include "market/http_codes.h"

namespace vc {

bool IsFatalRequestError(int code) {
    switch (code) {
    case 403:
    case 407:
    case kHttpTooLong:
    case kHttpTimeout:
    case 10061: // connection refused
    case 10064: // host is down
    case 10065: // no route to host
    case 11001: // host not found
    case 11003: // non-recoverable name server error
    case 11004: // name has no address
        return true;
    default:
        return false;
    }
}

} // namespace vc
