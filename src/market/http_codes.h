// The integer result codes of downloads beside the HTTP statuses, and which codes end a download
// without another attempt. The socket codes keep the numbers Windows sockets give them, because
// those numbers are what the logs and the callers have always compared against.
#pragma once

namespace vc {

inline constexpr int kHttpOk = 200;
inline constexpr int kHttpTimedOut = 499;     // the last attempt ran into one of its deadlines
inline constexpr int kHttpNotStarted = 10069; // the request could not be started
inline constexpr int kHttpBusy = 10036;       // the session is already downloading (operation in progress)
inline constexpr int kHttpAborted = 10053;    // the request was aborted on our side (connection aborted)
inline constexpr int kHttpTooLong = 10040;    // the document passed the memory cap (message too long)
inline constexpr int kHttpNoRoom = 10055;     // the received bytes could not be stored (no buffer space)
inline constexpr int kHttpTimeout = 10060;    // connection timed out
inline constexpr int kHttpInvalidUrl = 12005; // the address cannot be parsed
inline constexpr int kHttpBadScheme = 12006;  // the address is not http or https

// Transport codes after which another attempt is pointless: refused, unreachable or unknown hosts,
// refused proxy credentials, and a document too large to hold.
bool IsFatalRequestError(int code);

} // namespace vc
