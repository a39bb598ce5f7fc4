// A search in the add-symbol dialog against velocrest-market on 127.0.0.1, from the query to the
// filled grid (the program's own session, lookup and grid), against a bare QNetworkAccessManager
// GET of the same first result page in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>

#include <cstdio>
#include <memory>
#include <string>

#include "bench_support.h"
#include "dialogs/qt/add_ticker.h"
#include "market/qt/http_async.h"
#include "market/yahoo_database.h"
#include "tape/ticker_tape.h"
#include "toolkit/clock.h"
#include "toolkit/grid_defaults.h"
#include "toolkit/program_values.h"
#include "toolkit/qt/kestro_table.h"
#include "toolkit/translation.h"
#include "toolkit/vocabulary.h"

namespace {

vc::tFinanceHosts gHosts;
std::string gFirstPage;

void BM_SearchToFilledGrid(benchmark::State& state) {
    const vc::bench::tBenchFolder folder;
    const vc::tSystemClock clock;
    vc::tProgramValues values;
    values.Clock = &clock;
    values.ProgramDir = folder.Path() + "/";
    values.SettingsFileName = folder.File("Velocrest.INI");
    values.GridDefaults = vc::ProgramGridDefaults("dd/MM/yyyy");
    vc::tTickerTape tape(values);
    vc::tTranslation translation;
    vc::RegisterStartupVocabulary(translation);
    vc::tScr_AddTicker dialog(
        tape, translation,
        [](const std::string& query, const std::string& kind) {
            vc::tHttpAsync session;
            vc::tYahooDatabase lookup(session, gHosts);
            // The first page only: what the user sees first.
            std::vector<std::string> lines;
            std::string page;
            const std::string url = lookup.LookupUrl(query, kind, "ALL");
            if (session.Fetch(url, lookup.Settings(), page) == 200) {
                lookup.ParsePage(page, url, lines);
            }
            return lines;
        },
        nullptr);
    dialog.show();
    for (auto _ : state) {
        dialog.EditTicker()->setText(QStringLiteral("corp"));
        dialog.Search();
        QApplication::processEvents();
        if (dialog.Grid()->Data().RowCount() < 21) {
            state.SkipWithError("the first page did not fill the grid");
            break;
        }
    }
}
BENCHMARK(BM_SearchToFilledGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BareGetOfTheFirstPage(benchmark::State& state) {
    for (auto _ : state) {
        QNetworkAccessManager manager;
        QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(QString::fromStdString(gFirstPage))));
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        if (!reply->isFinished()) {
            loop.exec();
        }
        const QByteArray body = reply->readAll();
        benchmark::DoNotOptimize(body.data());
        delete reply;
    }
}
BENCHMARK(BM_BareGetOfTheFirstPage)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QProcess market;
    market.start(QStringLiteral(VELOCREST_MARKET_EXE), {QStringLiteral("--port"), QStringLiteral("0")});
    QByteArray output;
    while (market.waitForStarted(10000) && !output.contains('\n') && market.waitForReadyRead(10000)) {
        output += market.readAllStandardOutput();
    }
    const QByteArray port = output.left(output.indexOf('\n')).trimmed();
    if (port.isEmpty()) {
        std::fprintf(stderr, "add_symbol_bench: velocrest-market did not start\n");
        return 1;
    }
    gHosts.US = "127.0.0.1:" + port.toStdString();
    gFirstPage = "http://" + gHosts.US + "/lookup/stocks?s=corp&t=S&m=ALL";
    benchmark::Initialize(&argc, argv);
    vc::bench::tRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    double ours = 0;
    double baseline = 0;
    if (recorder.Pair("BM_SearchToFilledGrid/real_time", "BM_BareGetOfTheFirstPage/real_time", ours,
                      baseline)) {
        std::printf("search to filled grid %8.2f ms  bare GET %8.2f ms  ratio %6.2f  (goal under 200 ms)\n",
                    ours, baseline, ours / baseline);
    }
    market.terminate();
    market.waitForFinished(5000);
    return 0;
}
