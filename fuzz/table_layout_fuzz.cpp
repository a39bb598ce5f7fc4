// A grid's saved layout comes from a hand-editable settings file. The input is split at its first
// three newlines into the four saved values (widths, lines per row, sorting, order); whatever they
// hold, the grid must come out usable: at least one column when it has definitions, widths in
// range, a sort on a column that exists, lines per row within limits, and a layout that saves and
// loads again to the same grid.
#include "toolkit/layout_store.h"
#include "toolkit/table_data.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

namespace {

class tMapStore : public vc::tLayoutStore {
public:
    std::string Read(std::string_view section, std::string_view, std::string_view def) const override {
        const auto found = values.find(std::string(section));
        return found == values.end() ? std::string(def) : found->second;
    }
    bool Write(std::string_view section, std::string_view, std::string_view value) override {
        values[std::string(section)] = value;
        return true;
    }
    std::map<std::string, std::string> values;
};

vc::tTableData MakeGrid() {
    vc::tTableData grid;
    for (int i = 0; i < 6; ++i) {
        grid.tab_Kolommen.Add().Width = 40 + i;
    }
    grid.tab_SaveName = "Fuzz";
    grid.tab_ColumnOrder = "0|1|2|3|4|5";
    return grid;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckUsable(const vc::tTableData& grid) {
    Check(!grid.VisibleIds().empty());
    Check(grid.ColCount() == static_cast<int>(grid.VisibleIds().size()) + 1);
    for (int col = 0; col < grid.ColCount(); ++col) {
        Check(grid.ColWidth(col) >= 0 && grid.ColWidth(col) <= 32767);
    }
    Check(grid.SortedCol() < grid.FillerCol());
    Check(grid.LinesPerRow() >= 1 && grid.LinesPerRow() <= vc::kMaxLinesPerRow);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    tMapStore store;
    for (const char* section : {"Gridsizing", "Gridrows", "Gridsorting", "Gridorder"}) {
        const auto newline = text.find('\n');
        store.values[section] = std::string(text.substr(0, newline));
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
    }
    vc::tTableData grid = MakeGrid();
    grid.LoadLayout(store);
    CheckUsable(grid);

    tMapStore saved;
    grid.SaveLayout(saved);
    vc::tTableData again = MakeGrid();
    again.LoadLayout(saved);
    CheckUsable(again);
    Check(again.VisibleIds() == grid.VisibleIds() && again.SortState == grid.SortState &&
          again.LinesPerRow() == grid.LinesPerRow());
    for (int col = 0; col < grid.ColCount(); ++col) {
        Check(again.ColWidth(col) == grid.ColWidth(col));
    }
    return 0;
}
