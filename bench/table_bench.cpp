// The table grid against a bare QTableWidget doing the same work in the same run: fill 5 000 rows
// of 8 columns and sort them on a number column and on a text column. The ratios are printed at
// the end of the run.
#include <QApplication>
#include <QTableWidget>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "toolkit/table_data.h"
#include "toolkit/text.h"

namespace {

constexpr int kRows = 5000;
constexpr int kCols = 8;
constexpr int kNumberCol = 2;
constexpr int kTextCol = 0;

// A quote list: name, symbol, price, change, percent, volume, date, time.
struct tQuoteRows {
    std::vector<std::vector<std::string>> Texts;
    std::vector<double> Prices;

    tQuoteRows() {
        unsigned seed = 12345;
        auto next = [&seed] {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 8) % 100000u;
        };
        for (int row = 0; row < kRows; ++row) {
            const double price = next() / 100.0;
            Prices.push_back(price);
            Texts.push_back({"Company " + std::to_string(next()) + " N.V.", "SYM" + std::to_string(next()),
                             vc::NumberText(price), vc::NumberText((next() % 200) / 100.0 - 1.0),
                             vc::NumberText((next() % 1000) / 100.0 - 5.0), std::to_string(next() * 37),
                             "1" + std::to_string(next() % 9) + "/12/2026",
                             "15:3" + std::to_string(next() % 10)});
        }
    }
};

const tQuoteRows& Quotes() {
    static const tQuoteRows quotes;
    return quotes;
}

void FillTable(QTableWidget& table) {
    const tQuoteRows& quotes = Quotes();
    table.setRowCount(kRows);
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kCols; ++col) {
            auto* item = new QTableWidgetItem;
            if (col == kNumberCol) {
                // Numbers sort by value only when the item holds one.
                item->setData(Qt::DisplayRole, quotes.Prices[static_cast<std::size_t>(row)]);
            } else {
                item->setText(QString::fromLatin1(
                    quotes.Texts[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]));
            }
            table.setItem(row, col, item);
        }
    }
}

void BareFillSort(benchmark::State& state, int col) {
    for (auto _ : state) {
        QTableWidget table(0, kCols);
        FillTable(table);
        table.sortItems(col);
        benchmark::DoNotOptimize(table.item(0, 0));
    }
}

void GridFillSort(benchmark::State& state, int col) {
    const tQuoteRows& quotes = Quotes();
    for (auto _ : state) {
        vc::tTableData grid;
        for (int c = 0; c < kCols; ++c) {
            grid.tab_Kolommen.Add().ColSorting =
                c == kNumberCol ? vc::tSortType::sort_NUM : vc::tSortType::sort_ALFA;
        }
        grid.ApplyColumnOrder();
        grid.SetRowCount(kRows + 1);
        for (int row = 0; row < kRows; ++row) {
            grid.SetRow(row + 1, quotes.Texts[static_cast<std::size_t>(row)]);
        }
        grid.HeaderClicked(col);
        benchmark::DoNotOptimize(grid.Cell(0, 1).data());
    }
}

BENCHMARK_CAPTURE(BareFillSort, Number, kNumberCol)
    ->Name("Table/Bare_FillSortNumber")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GridFillSort, Number, kNumberCol)
    ->Name("Table/Grid_FillSortNumber")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BareFillSort, Text, kTextCol)
    ->Name("Table/Bare_FillSortText")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GridFillSort, Text, kTextCol)
    ->Name("Table/Grid_FillSortText")
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    vc::bench::tRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    for (const char* kind : {"Number", "Text"}) {
        double grid = 0;
        double bare = 0;
        if (recorder.Pair(std::string("Table/Grid_FillSort") + kind,
                          std::string("Table/Bare_FillSort") + kind, grid, bare)) {
            std::printf(
                "Fill 5000 x 8 and sort on the %s column: %.2f ms, %.2fx the bare QTableWidget (%.2f ms)\n",
                kind, grid, grid / bare, bare);
        }
    }
    benchmark::Shutdown();
    return 0;
}
