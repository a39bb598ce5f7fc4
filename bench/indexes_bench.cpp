// The component page reader on a 100-member page as the simulated exchange writes its rows, against
// a bare pass of the token reader over the same bytes: what the table rules cost above reading.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench_support.h"
#include "index_members.h"
#include "market/yahoo_indexes.h"
#include "toolkit/html.h"

namespace {

constexpr int kMembers = 100;

std::string gPage;

std::string BigPage() {
    std::string page = "<!DOCTYPE html>\n<html><head><title>^GSPC: Components</title></head>\n<body>\n<table "
                       "class=\"yfnc_tableout1\" width=\"100%\">\n<tr><th>Symbol</th><th>Name</th><th>Last "
                       "Trade</th><th>Change</th><th>Volume</th></tr>\n";
    for (int i = 0; i < kMembers; ++i) {
        const vc::sim::tListing listing{"M" + std::to_string(1000 + i),
                                        "Member & Sons Holding Corporation " + std::to_string(i),
                                        "NYSE",
                                        vc::sim::tKind::Stock,
                                        100,
                                        1000000};
        vc::sim::tQuote quote;
        quote.Seconds = 15 * 3600 + i;
        quote.Prev = 100 + i;
        quote.Last = quote.Prev + (i % 7) - 3;
        quote.Volume = 1234567.0 * (i + 1);
        page += vc::sim::ComponentRow(listing, quote, i % 12 == 0) + "\n";
    }
    return page + "</table>\n<p><a href=\"/q/cp?s=%5EGSPC&amp;c=1\">Next</a></p>\n</body></html>\n";
}

void BM_ParsePage(benchmark::State& state) {
    vc::tNoHttpSession session;
    vc::tYahooIndexes indexes(session);
    for (auto _ : state) {
        indexes.Members.clear();
        indexes.Quotes.clear();
        indexes.Parse(gPage);
        if (indexes.Members.size() != kMembers || !indexes.MorePages) {
            state.SkipWithError("the page did not give every member");
            break;
        }
        benchmark::DoNotOptimize(indexes.Quotes.data());
    }
}

void BM_ParseBaseline_TokenPass(benchmark::State& state) {
    for (auto _ : state) {
        vc::tByteStream stream{gPage, 0};
        std::string token;
        std::size_t tokens = 0;
        std::size_t bytes = 0;
        while (vc::NextToken(stream, token)) {
            ++tokens;
            bytes += token.size();
        }
        benchmark::DoNotOptimize(tokens);
        benchmark::DoNotOptimize(bytes);
    }
}

BENCHMARK(BM_ParsePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseBaseline_TokenPass)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    gPage = BigPage();
    std::printf("component page: %zu bytes, %d members\n", gPage.size(), kMembers);
    benchmark::Initialize(&argc, argv);
    vc::bench::tRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    double ours = 0;
    double baseline = 0;
    if (recorder.Pair("BM_ParsePage", "BM_ParseBaseline_TokenPass", ours, baseline)) {
        std::printf("parse 100 members %9.1f us  baseline %9.1f us  ratio %6.2f  (goal under 1 ms)\n", ours,
                    baseline, ours / baseline);
    }
    return 0;
}
