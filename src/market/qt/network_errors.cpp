#include "market/qt/network_errors.h"

#include <algorithm>
#include <array>

namespace vc {

namespace {

using E = QNetworkReply::NetworkError;

constexpr int kUnreachable = 10065;

constexpr std::array kTable = {
    tNetworkErrorRow{E::NoError, 0},
    tNetworkErrorRow{E::ConnectionRefusedError, 10061},
    tNetworkErrorRow{E::RemoteHostClosedError, 10054},
    tNetworkErrorRow{E::HostNotFoundError, 11001},
    tNetworkErrorRow{E::TimeoutError, 10060},
    tNetworkErrorRow{E::OperationCanceledError, 10053},
    tNetworkErrorRow{E::SslHandshakeFailedError, 12157},
    tNetworkErrorRow{E::TemporaryNetworkFailureError, 10050},
    tNetworkErrorRow{E::NetworkSessionFailedError, 10050},
    tNetworkErrorRow{E::BackgroundRequestNotAllowedError, 10050},
    tNetworkErrorRow{E::TooManyRedirectsError, 12156},
    tNetworkErrorRow{E::InsecureRedirectError, 12156},
    tNetworkErrorRow{E::UnknownNetworkError, kUnreachable},
    tNetworkErrorRow{E::ProxyConnectionRefusedError, 10061},
    tNetworkErrorRow{E::ProxyConnectionClosedError, 10054},
    tNetworkErrorRow{E::ProxyNotFoundError, 11001},
    tNetworkErrorRow{E::ProxyTimeoutError, 10060},
    tNetworkErrorRow{E::ProxyAuthenticationRequiredError, 407},
    tNetworkErrorRow{E::UnknownProxyError, kUnreachable},
    tNetworkErrorRow{E::ContentAccessDenied, 0},
    tNetworkErrorRow{E::ContentOperationNotPermittedError, 0},
    tNetworkErrorRow{E::ContentNotFoundError, 0},
    tNetworkErrorRow{E::AuthenticationRequiredError, 0},
    tNetworkErrorRow{E::ContentReSendError, 0},
    tNetworkErrorRow{E::ContentConflictError, 0},
    tNetworkErrorRow{E::ContentGoneError, 0},
    tNetworkErrorRow{E::UnknownContentError, 0},
    tNetworkErrorRow{E::ProtocolUnknownError, 12006},
    tNetworkErrorRow{E::ProtocolInvalidOperationError, 12152},
    tNetworkErrorRow{E::ProtocolFailure, 12152},
    tNetworkErrorRow{E::InternalServerError, 0},
    tNetworkErrorRow{E::OperationNotImplementedError, 0},
    tNetworkErrorRow{E::ServiceUnavailableError, 0},
    tNetworkErrorRow{E::UnknownServerError, 0},
};

} // namespace

std::span<const tNetworkErrorRow> NetworkErrorTable() {
    return kTable;
}

int NetworkErrorCode(QNetworkReply::NetworkError error) {
    const auto row = std::find_if(kTable.begin(), kTable.end(),
                                  [error](const tNetworkErrorRow& r) { return r.Error == error; });
    return row != kTable.end() ? row->Code : kUnreachable;
}

} // namespace vc
