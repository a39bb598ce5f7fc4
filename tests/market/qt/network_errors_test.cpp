#include "market/http_codes.h"
#include "market/qt/network_errors.h"

#include <QMetaEnum>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace vc {
namespace {

TEST(NetworkErrors, EveryQtErrorHasItsOwnRow) {
    const QMetaEnum errors = QMetaEnum::fromType<QNetworkReply::NetworkError>();
    ASSERT_GT(errors.keyCount(), 30);
    std::set<int> listed;
    for (const auto& row : NetworkErrorTable()) {
        EXPECT_TRUE(listed.insert(row.Error).second) << "twice: " << errors.valueToKey(row.Error);
    }
    for (int i = 0; i < errors.keyCount(); ++i) {
        EXPECT_EQ(listed.count(errors.value(i)), 1u) << "missing: " << errors.key(i);
    }
}

TEST(NetworkErrors, CodesAndWhetherTheyEndTheDownload) {
    using E = QNetworkReply::NetworkError;
    struct tCase {
        E Error;
        int Code;
        bool Fatal;
    };
    const tCase cases[] = {
        {E::NoError, 0, false},
        {E::HostNotFoundError, 11001, true},
        {E::ConnectionRefusedError, 10061, true},
        {E::TimeoutError, 10060, true},
        {E::UnknownNetworkError, 10065, true},
        {E::TemporaryNetworkFailureError, 10050, false},
        {E::RemoteHostClosedError, 10054, false},
        // Our own aborts: the deadline that caused them decides, so they must not be fatal.
        {E::OperationCanceledError, kHttpAborted, false},
        {E::ProxyConnectionRefusedError, 10061, true},
        {E::ProxyNotFoundError, 11001, true},
        {E::ProxyTimeoutError, 10060, true},
        {E::ProxyConnectionClosedError, 10054, false},
        {E::ProxyAuthenticationRequiredError, 407, true},
        {E::SslHandshakeFailedError, 12157, false},
        {E::ProtocolFailure, 12152, false},
        {E::TooManyRedirectsError, 12156, false},
        // Answers: the HTTP status decides, not a transport code.
        {E::ContentAccessDenied, 0, false},
        {E::ContentNotFoundError, 0, false},
        {E::AuthenticationRequiredError, 0, false},
        {E::InternalServerError, 0, false},
        {E::ServiceUnavailableError, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(c.Error));
        EXPECT_EQ(NetworkErrorCode(c.Error), c.Code);
        EXPECT_EQ(IsFatalRequestError(NetworkErrorCode(c.Error)), c.Fatal);
    }
    EXPECT_EQ(NetworkErrorCode(static_cast<E>(98)), 10065)
        << "unknown values count as unknown network errors";
    EXPECT_TRUE(IsFatalRequestError(kHttpTooLong));
    EXPECT_FALSE(IsFatalRequestError(kHttpNotStarted));
}

} // namespace
} // namespace vc
