// Loading and saving a large tape's settings file with tIniObject, against QSettings in INI format
// on the same file in the same run. The file is the big tape of bench_support.h: 500 item sections
// and 500 price lists of 50 records, as a tape of 500 symbols leaves it. Before every round the file's time
// stamp moves, so neither side can answer from a cache of the parsed file.
#include <benchmark/benchmark.h>

#include <QSettings>
#include <QString>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>

#include "bench_support.h"
#include "tape/ini_object.h"

namespace {

std::string gPath;

void Touch(const std::string& path) {
    static long tick = 0;
    ++tick;
    const struct timespec times[2] = {{1700000000 + tick, 0}, {1700000000 + tick, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
}

void BM_IniObject_LoadSave(benchmark::State& state) {
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Touch(gPath);
        state.ResumeTiming();
        vc::tIniObject ini(gPath);
        ini.WriteInteger("Tape_000", "Speed", 30 + round++ % 2);
        benchmark::DoNotOptimize(ini.Save());
    }
}

void BM_QSettings_LoadSave(benchmark::State& state) {
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Touch(gPath);
        state.ResumeTiming();
        QSettings settings(QString::fromStdString(gPath), QSettings::IniFormat);
        settings.setValue("Tape_000/Speed", 30 + round++ % 2);
        settings.sync();
        benchmark::DoNotOptimize(settings.status());
    }
}

void BM_IniObject_Load(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Touch(gPath);
        state.ResumeTiming();
        vc::tIniObject ini(gPath);
        benchmark::DoNotOptimize(ini.ReadString("Tape_000_Item499", "Symbol", ""));
    }
}

void BM_QSettings_Load(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Touch(gPath);
        state.ResumeTiming();
        QSettings settings(QString::fromStdString(gPath), QSettings::IniFormat);
        benchmark::DoNotOptimize(settings.value("Tape_000_Item499/Symbol"));
    }
}

BENCHMARK(BM_IniObject_LoadSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QSettings_LoadSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IniObject_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QSettings_Load)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const vc::bench::tBenchFolder folder;
    if (folder.Path().empty()) {
        return 1;
    }
    gPath = folder.File("Velocrest.INI");
    vc::bench::WriteBigTapeFile(gPath);
    const vc::tIniObject probe(gPath);
    std::printf("settings file: %zu values, %ju bytes\n", probe.ValueCount(),
                static_cast<std::uintmax_t>(std::filesystem::file_size(gPath)));

    benchmark::Initialize(&argc, argv);
    vc::bench::tRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);

    const auto ratio = [&](const std::string& ours, const std::string& theirs) {
        double a = 0;
        double b = 0;
        if (recorder.Pair(ours, theirs, a, b)) {
            std::printf("%-22s tIniObject %7.2f ms  QSettings %7.2f ms  ratio %.2f\n",
                        ours.substr(ours.rfind('_') + 1).c_str(), a, b, a / b);
        }
    };
    ratio("BM_IniObject_LoadSave", "BM_QSettings_LoadSave");
    ratio("BM_IniObject_Load", "BM_QSettings_Load");
    return 0;
}
