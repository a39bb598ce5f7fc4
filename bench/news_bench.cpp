// The headline feed parser on a 200-item feed as the simulated exchange writes it, against
// QXmlStreamReader collecting the same four elements of every item from the same bytes.
#include <benchmark/benchmark.h>

#include <QString>
#include <QXmlStreamReader>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "market/yahoo_xml_news.h"
#include "news_feed.h"
#include "toolkit/dates.h"

namespace {

constexpr int kItems = 200;

std::string gFeed;

std::string BigFeed() {
    const double now = vc::ParseDate("10/12/2026") + vc::ParseTime("15:00:00");
    std::vector<vc::sim::tHeadline> headlines;
    for (int i = 0; i < kItems; ++i) {
        vc::sim::tHeadline headline;
        headline.Published = now - i * 0.03;
        headline.Title = (i % 5 == 0 ? "[$$] " : "") +
                         std::string("Johnson & Johnson shares climb in heavy trading") +
                         (i % 3 != 0 ? " (at Market Wire)" : "");
        headline.Guid = "velocrest-market|JNJ|20261210|" + std::to_string(i);
        headline.StoryId = "20261210-" + std::to_string(i) + "-JNJ";
        headlines.push_back(headline);
    }
    return vc::sim::NewsFeedXml("JNJ", headlines, "127.0.0.1:8471", now);
}

void BM_ParseFeed(benchmark::State& state) {
    vc::tNoHttpSession session;
    const vc::tNewsHosts hosts;
    vc::tYahooXmlNews news(session, hosts);
    news.Symbol = "JNJ";
    for (auto _ : state) {
        news.Parse(gFeed);
        if (news.Headlines.size() != kItems) {
            state.SkipWithError("the feed did not give every headline");
            break;
        }
        benchmark::DoNotOptimize(news.Headlines.data());
    }
}

void BM_ParseBaseline_QXmlStreamReader(benchmark::State& state) {
    const QByteArray bytes = QByteArray::fromStdString(gFeed);
    for (auto _ : state) {
        QXmlStreamReader reader(bytes);
        std::vector<QString> fields;
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement) {
                const auto name = reader.name();
                if (name == u"title" || name == u"link" || name == u"guid" || name == u"pubDate") {
                    fields.push_back(reader.readElementText());
                }
            }
        }
        if (fields.size() < 4 * kItems) {
            state.SkipWithError("the baseline missed elements");
            break;
        }
        benchmark::DoNotOptimize(fields.data());
    }
}

BENCHMARK(BM_ParseFeed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseBaseline_QXmlStreamReader)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    gFeed = BigFeed();
    std::printf("feed: %zu bytes, %d items\n", gFeed.size(), kItems);
    benchmark::Initialize(&argc, argv);
    vc::bench::tRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    double ours = 0;
    double baseline = 0;
    if (recorder.Pair("BM_ParseFeed", "BM_ParseBaseline_QXmlStreamReader", ours, baseline)) {
        std::printf("parse 200 headlines %9.1f us  baseline %9.1f us  ratio %6.2f  (goal under 1000 us)\n",
                    ours, baseline, ours / baseline);
    }
    return 0;
}
