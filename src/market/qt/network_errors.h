// Qt's network errors as the integer codes downloads report. One table, read by the HTTP client
// when a request ends:
//
//   Qt error                          code   meaning (Windows socket / internet numbers)
//   NoError                              0   the request went through
//   ConnectionRefusedError           10061   connection refused                      (fatal)
//   RemoteHostClosedError            10054   connection reset by the server
//   HostNotFoundError                11001   host not found                          (fatal)
//   TimeoutError                     10060   connection timed out                    (fatal)
//   OperationCanceledError           10053   aborted on our side; the session's deadlines end
//                                            here, so it is not fatal and the time-out decides
//   SslHandshakeFailedError          12157   secure channel error
//   TemporaryNetworkFailureError     10050   network is down
//   NetworkSessionFailedError        10050   network is down
//   BackgroundRequestNotAllowedError 10050   network is down
//   TooManyRedirectsError            12156   redirect failed
//   InsecureRedirectError            12156   redirect failed
//   UnknownNetworkError              10065   no route to host (Qt folds unreachable networks
//                                            and hosts into this one)                 (fatal)
//   ProxyConnectionRefusedError      10061   connection refused                      (fatal)
//   ProxyConnectionClosedError       10054   connection reset
//   ProxyNotFoundError               11001   host not found                          (fatal)
//   ProxyTimeoutError                10060   connection timed out                    (fatal)
//   ProxyAuthenticationRequiredError   407   the proxy refused our credentials       (fatal)
//   UnknownProxyError                10065   no route to host                        (fatal)
//   ContentAccessDenied .. UnknownContentError,
//   InternalServerError .. UnknownServerError
//                                        0   the server answered; its HTTP status decides
//   ProtocolUnknownError             12006   scheme not supported
//   ProtocolInvalidOperationError    12152   invalid server response
//   ProtocolFailure                  12152   invalid server response
//
// A value Qt adds later and this table does not know counts as UnknownNetworkError.
#pragma once

#include <QNetworkReply>

#include <span>

namespace vc {

struct tNetworkErrorRow {
    QNetworkReply::NetworkError Error;
    int Code;
};

std::span<const tNetworkErrorRow> NetworkErrorTable();

int NetworkErrorCode(QNetworkReply::NetworkError error);

} // namespace vc
