// One scroll step of a 1920-pixel tape of 50 items (80 to 160 pixels wide) with its painting,
// against the floor of that work: one plain drawImage of a prepared 1920-pixel strip into an
// off-screen image. The ratios are printed after the run, both measured in it.
#include "display/qt/tape_widget.h"
#include "support/qt/fake_item_renderer.h"
#include "tape/ticker_tape.h"
#include "toolkit/program_values.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 24;
constexpr int kItems = 50;

// The tape with its items, scrolled a little so the head is partly out of view.
struct tBenchTape {
    vc::tSystemClock clock;
    vc::tProgramValues values;
    vc::test::tFakeItemRenderer renderer;
    vc::tTapeWidget widget{renderer, {}};
    vc::tTickerTape tape{values, vc::tTapeHooks{nullptr, nullptr, nullptr, &widget}};

    tBenchTape() {
        values.Clock = &clock;
        renderer.Height = kHeight;
        tape.ShowLogos = false;
        for (int i = 0; i < kItems; ++i) {
            const std::string symbol = "SYM" + std::to_string(i);
            renderer.Looks[symbol] = {80 + (i * 37) % 81, QColor::fromHsv((i * 29) % 360, 160, 200), {}};
            tape.AddSymbol(symbol, symbol);
        }
        widget.SetTape(&tape);
        widget.ShowButtons(false);
        widget.resize(kWidth, kHeight);
        widget.RenderBuffer();
        widget.Scroll(-37);
    }
};

void Floor(benchmark::State& state) {
    QImage strip(kWidth, kHeight, QImage::Format_RGB32);
    strip.fill(Qt::darkCyan);
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.drawImage(0, 0, strip);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}

// Scroll one pixel (leaving items lose their pictures, entering ones are drawn) and paint the
// off-screen picture.
void Step(benchmark::State& state) {
    tBenchTape bench;
    for (auto _ : state) {
        bench.widget.Scroll(-1);
        benchmark::DoNotOptimize(bench.widget.RenderBuffer().constBits());
    }
}

// The same, plus the one copy of the off-screen picture to the window.
void StepToScreen(benchmark::State& state) {
    tBenchTape bench;
    QImage screen(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        bench.widget.Scroll(-1);
        QPainter painter(&screen);
        painter.drawImage(0, 0, bench.widget.RenderBuffer());
        painter.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
}

BENCHMARK(Floor)->Name("TapeScroll/Floor_DrawStrip");
BENCHMARK(Step)->Name("TapeScroll/Step");
BENCHMARK(StepToScreen)->Name("TapeScroll/StepToScreen");

// Keeps the times of the run so the ratios can be printed at its end.
class tRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                nsPerStep[run.benchmark_name()] =
                    run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nsPerStep;
};

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    tRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto floor = reporter.nsPerStep.find("TapeScroll/Floor_DrawStrip");
    if (floor != reporter.nsPerStep.end() && floor->second > 0) {
        for (const char* name : {"TapeScroll/Step", "TapeScroll/StepToScreen"}) {
            const auto found = reporter.nsPerStep.find(name);
            if (found != reporter.nsPerStep.end()) {
                std::printf("%s: %.1f us per step, %.2fx the floor (%.1f us)\n", name, found->second / 1000.0,
                            found->second / floor->second, floor->second / 1000.0);
            }
        }
    }
    benchmark::Shutdown();
    return 0;
}
