// How long the program's windows take from being asked for to their first painted frame, against a
// bare QDialog with a label and a button doing the same in the same run: the alert window for a
// fired alert, and the symbol properties dialog for an item with 50 trades of the day.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bench_support.h"
#include "dialogs/qt/ticker_form.h"
#include "notify/alert_sound.h"
#include "notify/qt/alert_form.h"
#include "tape/alerts.h"
#include "tape/ticker_tape.h"
#include "toolkit/dates.h"
#include "toolkit/text.h"
#include "toolkit/translation.h"
#include "toolkit/vocabulary.h"

namespace {

// Shows the window and returns once its first paint has happened.
class tFirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return false;
    }
    bool painted = false;
};

void ShowUntilPainted(QWidget& window) {
    tFirstPaint watch;
    window.installEventFilter(&watch);
    window.show();
    while (!watch.painted) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    window.removeEventFilter(&watch);
}

class tQuiet : public vc::tAlertSound {
public:
    void Play(const std::string&) override {}
    void Beep() override {}
};

struct tWorld {
    vc::tSystemClock clock;
    vc::tProgramValues values;
    std::unique_ptr<vc::tTickerTape> tape;
    vc::tTickerItem* item = nullptr;
    vc::tTranslation translation;
    vc::bench::tBenchFolder folder;

    tWorld() {
        values.Clock = &clock;
        values.ProgramDir = folder.Path() + "/";
        values.GridDefaults = vc::ProgramGridDefaults("dd/MM/yyyy");
        vc::RegisterStartupVocabulary(translation);
        tape = std::make_unique<vc::tTickerTape>(values, vc::tTapeHooks{});
        item = tape->AddSymbol("ASML.AS", "ASML Holding");
        item->Date = clock.Now();
        item->Close = 50.5;
        item->Prev = 49.5;
        item->AlertUp = "50";
        for (int i = 0; i < 50; ++i) {
            item->RecentTrades.push_back(vc::DateOf(clock.Now()) + "|" +
                                         vc::TimeText(9 + i / 6, i % 6 * 10, 0) + "|50|50.5|49.5|" +
                                         vc::NumberText(49.5 + i * 0.02) + "|" + std::to_string(100 * i));
        }
    }
};

void BareDialog(benchmark::State& state) {
    for (auto _ : state) {
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(new QLabel("A bare dialog"));
        layout->addWidget(new QPushButton("Close"));
        ShowUntilPainted(dialog);
    }
}

void AlertWindow(benchmark::State& state) {
    tWorld world;
    tQuiet sound;
    for (auto _ : state) {
        vc::EvaluateAlerts(*world.item, world.item->Close, 0, 0, 0, world.clock);
        world.item->StampUp = 0;
        vc::EvaluateAlerts(*world.item, world.item->Close, 0, 0, 0, world.clock);
        vc::tScr_AlertForm form(world.item, *world.tape, {}, sound, nullptr);
        ShowUntilPainted(form);
    }
}

void SymbolProperties(benchmark::State& state) {
    tWorld world;
    for (auto _ : state) {
        vc::tScr_TickerForm form(world.item, *world.tape, world.translation, nullptr, nullptr);
        ShowUntilPainted(form);
    }
}

BENCHMARK(BareDialog)->Name("Windows/Bare_FirstFrame")->Unit(benchmark::kMillisecond);
BENCHMARK(AlertWindow)->Name("Windows/Alert_FirstFrame")->Unit(benchmark::kMillisecond);
BENCHMARK(SymbolProperties)->Name("Windows/SymbolProperties_FirstFrame")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    vc::bench::tRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    for (const char* name : {"Windows/Alert_FirstFrame", "Windows/SymbolProperties_FirstFrame"}) {
        double ours = 0;
        double bare = 0;
        if (recorder.Pair(name, "Windows/Bare_FirstFrame", ours, bare)) {
            std::printf("%s: %.2f ms to the first painted frame, %.2fx a bare dialog (%.2f ms)\n", name, ours,
                        ours / bare, bare);
        }
    }
    benchmark::Shutdown();
    return 0;
}
