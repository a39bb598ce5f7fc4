// The symbol lookup's page parse on a 500-row result page in the exchange's layout, against
// QXmlStreamReader collecting the same cells from the same bytes.
#include <benchmark/benchmark.h>

#include <QString>
#include <QXmlStreamReader>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "market/yahoo_database.h"

namespace {

constexpr int kRows = 500;

std::string gPage;

std::string BigPage() {
    std::string page =
        "<html><body><table class=\"yfnc_tableout1\">\n<tr><th>Symbol</th><th>Name</th><th>ISIN</th>"
        "<th>Last Trade</th><th>Type</th><th>Exchange</th></tr>\n";
    for (int i = 0; i < kRows; ++i) {
        const std::string symbol = "SYM" + std::to_string(i);
        page += "<tr><td><a href=\"/q?s=" + symbol + "\">" + symbol + "</a></td><td>Johnson &amp; Johnson " +
                std::to_string(i) +
                " Corporation</td><td>US0123456789</td><td>155.80</td><td>Stock</td><td>" +
                (i % 2 == 0 ? "NYQ" : "NMS") + "</td></tr>\n";
    }
    return page + "</table>\n<p><a href=\"/lookup?s=j&amp;b=500\">Next</a></p></body></html>\n";
}

void BM_ParseLookupPage(benchmark::State& state) {
    vc::tNoHttpSession session;
    const vc::tFinanceHosts hosts;
    vc::tYahooDatabase lookup(session, hosts);
    for (auto _ : state) {
        std::vector<std::string> lines;
        lookup.ParsePage(gPage, "http://x/lookup?s=j", lines);
        if (lines.size() != kRows) {
            state.SkipWithError("the page did not give every row");
            break;
        }
        benchmark::DoNotOptimize(lines.data());
    }
}

void BM_ParseBaseline_QXmlStreamReader(benchmark::State& state) {
    const QByteArray bytes = QByteArray::fromStdString(gPage);
    for (auto _ : state) {
        QXmlStreamReader reader(bytes);
        std::vector<QString> cells;
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"td") {
                cells.push_back(reader.readElementText(QXmlStreamReader::IncludeChildElements));
            }
        }
        if (cells.size() != 6 * kRows) {
            state.SkipWithError("the baseline missed cells");
            break;
        }
        benchmark::DoNotOptimize(cells.data());
    }
}

BENCHMARK(BM_ParseLookupPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseBaseline_QXmlStreamReader)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    gPage = BigPage();
    std::printf("page: %zu bytes, %d rows\n", gPage.size(), kRows);
    benchmark::Initialize(&argc, argv);
    vc::bench::tRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    double ours = 0;
    double baseline = 0;
    if (recorder.Pair("BM_ParseLookupPage", "BM_ParseBaseline_QXmlStreamReader", ours, baseline)) {
        std::printf("parse 500 result rows %9.1f us  baseline %9.1f us  ratio %6.2f  (goal under 2000 us)\n",
                    ours, baseline, ours / baseline);
    }
    return 0;
}
