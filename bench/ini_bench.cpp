// Loading and saving a large tape's settings file with tIniObject, against QSettings in INI format
// on the same file in the same run. The file has 500 item sections and 500 price lists of 50
// records, as a tape of 500 symbols leaves it. Before every round the file's time stamp moves, so
// neither side can answer from a cache of the parsed file.
#include <benchmark/benchmark.h>

#include <QSettings>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "tape/ini_object.h"

namespace {

std::string gPath;

std::string Number(int value, int digits) {
    std::string text = std::to_string(value);
    return std::string(static_cast<std::size_t>(std::max(0, digits - static_cast<int>(text.size()))), '0') +
           text;
}

void WriteTapeFile(const std::string& path) {
    vc::tIniObject ini(path);
    ini.WriteInteger("Tape_000", "Aantal", 500);
    ini.WriteInteger("Tape_000", "Speed", 30);
    ini.WriteString("Tape_000", "Skin", "Default\\Arrow");
    for (int item = 0; item < 500; ++item) {
        const std::string section = "Tape_000_Item" + Number(item, 3);
        const double close = 10 + item * 0.37;
        ini.WriteString(section, "Symbol", "SYM" + std::to_string(item));
        ini.WriteString(section, "Name", "COMPANY NUMBER " + std::to_string(item) + " INC");
        ini.WriteFloat(section, "Open", close - 0.5);
        ini.WriteFloat(section, "High", close + 1.25);
        ini.WriteFloat(section, "Low", close - 1.5);
        ini.WriteFloat(section, "Close", close);
        ini.WriteFloat(section, "Volume", 1234567 + item);
        ini.WriteFloat(section, "Prev", close - 0.1);
        ini.WriteDateTime(section, "Date", 45000.5 + item / 1440.0);
        std::vector<std::string> prices;
        for (int trade = 0; trade < 50; ++trade) {
            prices.push_back("15/03/2023|" + Number(9 + trade / 6, 2) + ":" + Number(trade % 6 * 10, 2) +
                             ":00|SYM" + std::to_string(item) + "|" + std::to_string(close + trade * 0.01) +
                             "|" + std::to_string(close + 1) + "|" + std::to_string(close - 1) + "|" +
                             std::to_string(1000 * trade));
        }
        ini.WriteList("Tape_000_Prices" + Number(item, 3), prices);
    }
}

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

// Keeps each benchmark's time per round (in ms) for the summary.
class tRecorder : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Ms;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                Ms[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    std::string folder = (std::filesystem::temp_directory_path() / "velocrest-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        return 1;
    }
    gPath = folder + "/Velocrest.INI";
    WriteTapeFile(gPath);
    const vc::tIniObject probe(gPath);
    std::printf("settings file: %zu values, %ju bytes\n", probe.ValueCount(),
                static_cast<std::uintmax_t>(std::filesystem::file_size(gPath)));

    benchmark::Initialize(&argc, argv);
    tRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);

    const auto ratio = [&](const char* ours, const char* theirs) {
        const auto a = recorder.Ms.find(ours);
        const auto b = recorder.Ms.find(theirs);
        if (a != recorder.Ms.end() && b != recorder.Ms.end() && b->second > 0) {
            std::printf("%-22s tIniObject %7.2f ms  QSettings %7.2f ms  ratio %.2f\n",
                        std::string(ours).substr(std::string(ours).rfind('_') + 1).c_str(), a->second,
                        b->second, a->second / b->second);
        }
    };
    ratio("BM_IniObject_LoadSave", "BM_QSettings_LoadSave");
    ratio("BM_IniObject_Load", "BM_QSettings_Load");
    std::filesystem::remove_all(folder);
    return 0;
}
