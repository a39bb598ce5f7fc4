// velocrest-market as a process: started on a free port, asked over HTTP, stopped by signal.
#include "support/qt/market_process.h"
#include "support/temp_dir.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

namespace vc::test {
namespace {

QList<QByteArray> BodyLines(const QByteArray& body) {
    QList<QByteArray> lines = body.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.pop_back();
    }
    return lines;
}

TEST(MarketServer, ServesQuotesOnAFreePortAndLogsEachRequest) {
    tMarketProcess market;
    ASSERT_TRUE(market.Start({QStringLiteral("--seed"), QStringLiteral("11")}))
        << market.Error().toStdString();

    const tHttpResult quotes = HttpGet(
        market.BaseUrl() + QStringLiteral("/d/quotes.csv?s=MSFT+^DJI+NOSUCH&f=sd1t1ohgl1vabp&e=.csv"));
    ASSERT_EQ(quotes.Status, 200);
    EXPECT_EQ(quotes.ContentType, "text/csv");
    const QList<QByteArray> lines = BodyLines(quotes.Body);
    ASSERT_EQ(lines.size(), 3) << quotes.Body.toStdString();
    for (const QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
        EXPECT_EQ(line.count(','), 10) << line.toStdString();
    }
    EXPECT_TRUE(lines[0].startsWith("\"MSFT\",\"")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("\"^DJI\",\"")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("\"NOSUCH\",\"N/A\",\"N/A\",N/A")) << lines[2].toStdString();

    const tHttpResult ampersand = HttpGet(market.BaseUrl() + QStringLiteral("/d/quotes.csv?s=AT%26T&f=s"));
    EXPECT_EQ(ampersand.Body, "\"AT&T\"\r\n");

    const tHttpResult missing = HttpGet(market.BaseUrl() + QStringLiteral("/d/nothing.html"));
    EXPECT_EQ(missing.Status, 404);

    EXPECT_EQ(market.Stop(), 0);
    const QList<QByteArray> log = BodyLines(market.Output());
    int requests = 0;
    for (const QByteArray& line : log) {
        if (line.contains(" GET ")) {
            ++requests;
        }
    }
    EXPECT_EQ(requests, 3) << market.Output().toStdString();
    EXPECT_TRUE(
        market.Output().contains(" GET /d/quotes.csv?s=MSFT+%5EDJI+NOSUCH&f=sd1t1ohgl1vabp&e=.csv 200 "))
        << market.Output().toStdString();
    EXPECT_TRUE(market.Output().contains(" GET /d/nothing.html 404 ")) << market.Output().toStdString();
}

TEST(MarketServer, SameSeedSameQuotes) {
    tMarketProcess first;
    tMarketProcess second;
    const QStringList arguments{QStringLiteral("--seed"), QStringLiteral("5"), QStringLiteral("--tick"),
                                QStringLiteral("3600")};
    ASSERT_TRUE(first.Start(arguments)) << first.Error().toStdString();
    ASSERT_TRUE(second.Start(arguments)) << second.Error().toStdString();
    ASSERT_NE(first.Port(), second.Port());
    // With an hour per tick both answers fall on the same tick unless the hour turns in between.
    const QString query = QStringLiteral("/d/quotes.csv?s=IBM+EURUSD=X&f=sohgl1p");
    const QByteArray a = HttpGet(first.BaseUrl() + query).Body;
    const QByteArray b = HttpGet(second.BaseUrl() + query).Body;
    const QByteArray again = HttpGet(first.BaseUrl() + query).Body;
    EXPECT_FALSE(a.isEmpty());
    EXPECT_TRUE(a == b || a != again) << a.toStdString() << " vs " << b.toStdString();
}

TEST(MarketServer, StopsCleanlyOnInterruptToo) {
    tMarketProcess market;
    ASSERT_TRUE(market.Start()) << market.Error().toStdString();
    ASSERT_EQ(::kill(static_cast<pid_t>(market.Process().processId()), SIGINT), 0);
    ASSERT_TRUE(market.Process().waitForFinished(10000));
    EXPECT_EQ(market.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(market.Process().exitCode(), 0);
}

TEST(MarketServer, RefusesToStartWithoutListingsOrPort) {
    struct tCase {
        const char* Name;
        QStringList Arguments;
        int ExitCode;
    };
    tTempDir dir;
    dir.Write("empty.csv", "Symbol,Name,Exchange,Kind,Price,Volume\n");
    tMarketProcess running;
    ASSERT_TRUE(running.Start()) << running.Error().toStdString();
    const tCase cases[] = {
        {"missing listings", {"--universe", QString::fromStdString(dir.File("none.csv"))}, 2},
        {"empty listings", {"--universe", QString::fromStdString(dir.File("empty.csv"))}, 2},
        {"bad session", {"--session", "16:00-09:30"}, 2},
        {"bad port", {"--port", "70000"}, 2},
        {"port taken", {"--port", QString::number(running.Port())}, 1},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QProcess process;
        process.start(MarketExecutable(), c.Arguments);
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), c.ExitCode);
        EXPECT_TRUE(process.readAllStandardError().contains("velocrest-market: "));
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty()) << "no port line when it does not listen";
    }
    EXPECT_EQ(running.Stop(), 0);
}

} // namespace
} // namespace vc::test
