// Quote download costs.
// Parse: a ten-line answer into ten entries and their quote lines, against the baseline of only
// cutting the same document into lines (what any parser must at least do).
// Round trip: a ten-symbol batch through tYahooIntraday and tHttpAsync against velocrest-market on
// 127.0.0.1, against a bare QNetworkAccessManager GET of the same address in the same run.
#include "market/qt/http_async.h"
#include "market/yahoo_intraday.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

const char* const kTenLines =
    "\"MSFT\",\"6/1/2026\",\"4:00pm\",436.20,438.87,436.20,438.31,17929280,438.49,438.04,438.01\r\n"
    "\"IBM\",\"6/1/2026\",\"4:00pm\",219.15,219.42,217.72,218.29,3622060,218.37,218.17,218.59\r\n"
    "\"AAPL\",\"6/1/2026\",\"4:00pm\",214.53,214.94,213.26,213.38,45112390,213.46,213.30,214.70\r\n"
    "\"^DJI\",\"6/1/2026\",\"4:00pm\",44978.96,44978.96,44785.67,44791.01,294514940,N/A,N/A,44992.58\r\n"
    "\"^TNX\",\"6/1/2026\",\"4:00pm\",41.94,41.97,41.60,41.89,0,N/A,N/A,41.90\r\n"
    "\"EURUSD=X\",\"6/1/2026\",\"4:00pm\",1.0689,1.0711,1.0684,1.0709,0,1.0710,1.0706,1.0710\r\n"
    "\"MC.PA\",\"6/1/2026\",\"4:00pm\",640.20,645.10,638.00,644.30,520000,644.40,644.20,639.90\r\n"
    "\"ASML.AS\",\"6/1/2026\",\"4:00pm\",675.40,680.00,670.10,678.90,720000,679.00,678.80,674.00\r\n"
    "\"BP.L\",\"6/1/2026\",\"4:00pm\",385.40,388.00,383.10,386.20,32000000,386.30,386.10,384.90\r\n"
    "\"NOSUCH\",\"N/A\",\"N/A\",N/A,N/A,N/A,N/A,N/A,N/A,N/A,N/A\r\n";
const char* const kTenSymbols =
    "YAHTICK|MSFT+YAHTICK|IBM+YAHTICK|AAPL+YAHTICK|^DJI+YAHTICK|^TNX+YAHTICK|EURUSD=X+"
    "YAHTICK|MC.PA+YAHTICK|ASML.AS+YAHTICK|BP.L+YAHTICK|NOSUCH";

class tFixedClock final : public vc::tClock {
public:
    double Now() const override { return 46174.5; }
    std::int64_t SteadyMs() const override { return 0; }
};

// Baseline: cut the document into lines, dropping CR, as the parser does before anything else.
void BM_SplitLinesOnly(benchmark::State& state) {
    const std::string document = kTenLines;
    for (auto _ : state) {
        std::string line;
        std::size_t lines = 0;
        for (const char c : document) {
            if (c == '\n') {
                ++lines;
                benchmark::DoNotOptimize(line.data());
                line.clear();
            } else if (c != '\r') {
                line.push_back(c);
            }
        }
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_SplitLinesOnly);

// A fresh download object per answer, as the refresh cycle uses it: add ten, parse, take the lines.
void BM_ParseTenLines(benchmark::State& state) {
    const tFixedClock clock;
    vc::tNoHttpSession session;
    const vc::tQuoteHost host;
    const std::string document = kTenLines;
    for (auto _ : state) {
        vc::tYahooIntraday quotes(session, host, clock);
        quotes.AddSymbols(kTenSymbols);
        quotes.Parse(document);
        auto results = quotes.Results(0);
        benchmark::DoNotOptimize(results.data());
        if (results.size() != 9) {
            state.SkipWithError("expected nine quote lines");
            break;
        }
    }
}
BENCHMARK(BM_ParseTenLines);

// The exchange the round trips go to; started by main() before the benchmarks run.
vc::tQuoteHost marketHost;
std::string marketUrl;

// Arg 0: one manager for every GET (its connection is kept alive); arg 1: a new manager per GET,
// the like-for-like baseline of a new session per batch.
void BM_QnamGet(benchmark::State& state) {
    auto shared = std::make_unique<QNetworkAccessManager>();
    const QUrl url(QString::fromStdString(marketUrl));
    for (auto _ : state) {
        std::unique_ptr<QNetworkAccessManager> own =
            state.range(0) == 1 ? std::make_unique<QNetworkAccessManager>() : nullptr;
        QNetworkReply* reply = (own ? *own : *shared).get(QNetworkRequest(url));
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        if (!reply->isFinished()) {
            loop.exec();
        }
        const QByteArray body = reply->readAll();
        benchmark::DoNotOptimize(body.data());
        const bool good = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200;
        delete reply;
        if (!good) {
            state.SkipWithError("bare GET failed");
            break;
        }
    }
}
BENCHMARK(BM_QnamGet)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Arg 0: one session for every batch; arg 1: a new session per batch.
void BM_QuoteRoundTrip(benchmark::State& state) {
    const vc::tSystemClock clock;
    auto shared = std::make_unique<vc::tHttpAsync>();
    for (auto _ : state) {
        std::unique_ptr<vc::tHttpAsync> own =
            state.range(0) == 1 ? std::make_unique<vc::tHttpAsync>() : nullptr;
        vc::tYahooIntraday quotes(own ? *own : *shared, marketHost, clock);
        quotes.AddSymbols(kTenSymbols);
        if (!quotes.Download()) {
            state.SkipWithError("download failed");
            break;
        }
        auto results = quotes.Results(0);
        benchmark::DoNotOptimize(results.data());
        if (results.size() != 9) {
            state.SkipWithError("expected nine quote lines");
            break;
        }
    }
}
BENCHMARK(BM_QuoteRoundTrip)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QProcess market;
    market.start(QStringLiteral(VELOCREST_MARKET_EXE), {QStringLiteral("--port"), QStringLiteral("0"),
                                                        QStringLiteral("--tick"), QStringLiteral("3600")});
    QByteArray output;
    while (market.waitForStarted(10000) && !output.contains('\n') && market.waitForReadyRead(10000)) {
        output += market.readAllStandardOutput();
    }
    const QByteArray port = output.left(output.indexOf('\n')).trimmed();
    if (port.isEmpty()) {
        std::fprintf(stderr, "quotes_bench: velocrest-market did not start (%s)\n", VELOCREST_MARKET_EXE);
        return 1;
    }
    marketHost.HostUS = marketHost.HostUK = "127.0.0.1:" + port.toStdString();
    marketHost.SelectQuoteHost(0);
    {
        const tFixedClock clock;
        vc::tNoHttpSession none;
        vc::tYahooIntraday quotes(none, marketHost, clock);
        quotes.AddSymbols(kTenSymbols);
        marketUrl = quotes.RequestUrl();
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    market.terminate();
    market.waitForFinished(5000);
    return 0;
}
