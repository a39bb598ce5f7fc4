// The table grid against a bare QTableWidget doing the same work in the same run: fill 5 000 rows
// of 8 columns and sort them on a number column and on a text column, and paint one screen of
// rows. The ratios and the time of one painted screen are printed at the end of the run.
#include <QApplication>
#include <QImage>
#include <QTableWidget>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "toolkit/grid_defaults.h"
#include "toolkit/qt/kestro_table.h"
#include "toolkit/table_data.h"
#include "toolkit/text.h"
#include "toolkit/translation.h"
#include "toolkit/vocabulary.h"

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

const vc::tTranslation& Translation() {
    static const vc::tTranslation translation = [] {
        vc::tTranslation t;
        vc::RegisterStartupVocabulary(t);
        return t;
    }();
    return translation;
}

// The grid as a dialog builds it: eight columns, the program's look, no saved layout.
std::unique_ptr<vc::tKestroTable> MakeGrid() {
    auto grid = std::make_unique<vc::tKestroTable>();
    for (int c = 0; c < kCols; ++c) {
        vc::tKolom& column = grid->Data().tab_Kolommen.Add();
        column.Text = "Column " + std::to_string(c);
        column.ColSorting = c == kNumberCol ? vc::tSortType::sort_NUM : vc::tSortType::sort_ALFA;
        column.Width = 90;
    }
    grid->Load(vc::ProgramGridDefaults("dd/MM/yyyy"), Translation(), nullptr);
    return grid;
}

void FillGrid(vc::tKestroTable& grid) {
    const tQuoteRows& quotes = Quotes();
    vc::tTableData& data = grid.Data();
    data.SetRowCount(kRows + 1);
    for (int row = 0; row < kRows; ++row) {
        data.SetRow(row + 1, quotes.Texts[static_cast<std::size_t>(row)]);
    }
}

void GridFillSort(benchmark::State& state, int col) {
    for (auto _ : state) {
        auto grid = MakeGrid();
        FillGrid(*grid);
        grid->Data().HeaderClicked(col);
        grid->Rebuild();
        benchmark::DoNotOptimize(grid->Data().Cell(0, 1).data());
    }
}

// One screen of rows (800 x 600) drawn into an off-screen picture, scrolled into the middle.
template <typename Widget>
void PaintScreen(benchmark::State& state, Widget& widget) {
    widget.resize(800, 600);
    widget.show();
    widget.scrollTo(widget.model()->index(kRows / 2, 0));
    QImage screen(800, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        widget.render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
    }
}

void BarePaint(benchmark::State& state) {
    QTableWidget table(0, kCols);
    FillTable(table);
    PaintScreen(state, table);
}

void GridPaint(benchmark::State& state) {
    auto grid = MakeGrid();
    FillGrid(*grid);
    grid->Rebuild();
    PaintScreen(state, *grid);
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
BENCHMARK(BarePaint)->Name("Table/Bare_PaintScreen")->Unit(benchmark::kMillisecond);
BENCHMARK(GridPaint)->Name("Table/Grid_PaintScreen")->Unit(benchmark::kMillisecond);

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
    double grid = 0;
    double bare = 0;
    if (recorder.Pair("Table/Grid_PaintScreen", "Table/Bare_PaintScreen", grid, bare)) {
        std::printf("One screen of 800 x 600 painted: %.2f ms, %.2fx the bare QTableWidget (%.2f ms)\n", grid,
                    grid / bare, bare);
    }
    benchmark::Shutdown();
    return 0;
}
