#include "toolkit/table_data.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <utility>

#include "toolkit/layout_store.h"
#include "toolkit/text.h"
#include "toolkit/translation.h"

namespace vc {

namespace {

constexpr int kInitialRows = 20;
constexpr int kMaxColumnWidth = 32767;

constexpr const char* kSectionSizing = "Gridsizing";
constexpr const char* kSectionRows = "Gridrows";
constexpr const char* kSectionSorting = "Gridsorting";
constexpr const char* kSectionOrder = "Gridorder";

std::vector<std::string_view> SplitBars(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const auto bar = text.find('|', start);
        parts.push_back(
            text.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos) {
            return parts;
        }
        start = bar + 1;
    }
}

// A whole decimal number and nothing else (blanks around it allowed).
bool ParseWhole(std::string_view text, int& value) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) {
        return false;
    }
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc{} && end == last;
}

std::string JoinIds(const std::vector<int>& ids) {
    std::string text;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        text += (i == 0 ? "" : "|") + std::to_string(ids[i]);
    }
    return text;
}

const tKolom& NoColumn() {
    static const tKolom none(-1);
    return none;
}

} // namespace

tTableData::tTableData() : widths_{tKolom(0).Width} {
    SetRowCount(kInitialRows);
}

// --- Shape and cells -----------------------------------------------------------------------------

void tTableData::SetRowCount(int count) {
    const auto rows = static_cast<std::size_t>(std::max(1, count));
    const bool growing = rows > rows_.size();
    const std::size_t old = rows_.size();
    rows_.resize(rows);
    if (growing) {
        for (std::size_t r = old; r < rows; ++r) {
            rows_[r].Cells.resize(widths_.size());
            rows_[r].Height = r == 0 ? baseRowHeight_ : defaultRowHeight_;
        }
    }
}

const tKolom& tTableData::ColumnAt(int col) const {
    if (col < 0 || col >= static_cast<int>(visibleIds_.size())) {
        return NoColumn();
    }
    const tKolom* column = tab_Kolommen.FindId(visibleIds_[static_cast<std::size_t>(col)]);
    return column != nullptr ? *column : NoColumn();
}

int tTableData::ColOfId(int id) const {
    const auto found = std::find(visibleIds_.begin(), visibleIds_.end(), id);
    return found == visibleIds_.end() ? -1 : static_cast<int>(found - visibleIds_.begin());
}

tTableData::tCell* tTableData::CellAt(int col, int row) {
    if (row < 0 || row >= RowCount() || col < 0 || col >= ColCount()) {
        return nullptr;
    }
    return &rows_[static_cast<std::size_t>(row)].Cells[static_cast<std::size_t>(col)];
}

const tTableData::tCell* tTableData::CellAt(int col, int row) const {
    return const_cast<tTableData*>(this)->CellAt(col, row);
}

const std::string& tTableData::Cell(int col, int row) const {
    static const std::string empty;
    const tCell* cell = CellAt(col, row);
    return cell != nullptr ? cell->Text : empty;
}

void tTableData::SetCell(int col, int row, std::string text) {
    if (tCell* cell = CellAt(col, row)) {
        cell->Text = std::move(text);
    }
}

int tTableData::Object(int col, int row) const {
    const tCell* cell = CellAt(col, row);
    return cell != nullptr ? cell->Object : 0;
}

void tTableData::SetObject(int col, int row, int object) {
    if (tCell* cell = CellAt(col, row)) {
        cell->Object = object;
    }
}

void tTableData::SetRow(int row, const std::vector<std::string>& texts) {
    for (int col = 0; col < FillerCol(); ++col) {
        SetCell(col, row,
                static_cast<std::size_t>(col) < texts.size() ? texts[static_cast<std::size_t>(col)] : "");
    }
}

int tTableData::ColWidth(int col) const {
    return col >= 0 && col < ColCount() ? widths_[static_cast<std::size_t>(col)] : 0;
}

void tTableData::SetColWidth(int col, int width) {
    if (col >= 0 && col < ColCount()) {
        widths_[static_cast<std::size_t>(col)] = std::clamp(width, 0, kMaxColumnWidth);
    }
}

int tTableData::RowHeight(int row) const {
    return row >= 0 && row < RowCount() ? rows_[static_cast<std::size_t>(row)].Height : 0;
}

void tTableData::SetRowHeight(int row, int height) {
    if (row >= 0 && row < RowCount()) {
        rows_[static_cast<std::size_t>(row)].Height = std::max(1, height);
    }
}

void tTableData::SetDefaultRowHeight(int height) {
    defaultRowHeight_ = std::max(1, height);
    for (std::size_t r = 1; r < rows_.size(); ++r) {
        rows_[r].Height = defaultRowHeight_;
    }
}

void tTableData::SetBaseRowHeight(int height) {
    baseRowHeight_ = std::max(1, height);
    if (!rows_.empty()) {
        rows_[0].Height = baseRowHeight_;
    }
}

// --- Column order --------------------------------------------------------------------------------

std::vector<int> tTableData::OrderedIds() const {
    std::vector<int> ids;
    auto take = [&](int id) {
        if (static_cast<int>(ids.size()) < kMaxVisibleColumns && tab_Kolommen.FindId(id) != nullptr &&
            std::find(ids.begin(), ids.end(), id) == ids.end()) {
            ids.push_back(id);
        }
    };
    if (tab_ColumnOrder.empty()) {
        for (const tKolom& column : tab_Kolommen) {
            take(column.Id);
        }
        return ids;
    }
    for (std::string_view part : SplitBars(tab_ColumnOrder)) {
        int id = 0;
        if (ParseWhole(part, id)) {
            take(id);
        }
    }
    return ids;
}

void tTableData::ApplyColumnOrder() {
    const std::vector<int> ids = OrderedIds();
    for (std::size_t i = 0; i < ids.size(); ++i) {
        tab_Kolommen.Move(tab_Kolommen.IndexOfId(ids[i]), static_cast<int>(i));
    }
    // A column that stays visible keeps its width wherever it moves; one coming into view starts
    // at its definition's width. The sort follows its column, and ends when the column goes.
    const int sortedId = SortedCol() >= 0 ? visibleIds_[static_cast<std::size_t>(SortedCol())] : -1;
    std::vector<int> widths;
    widths.reserve(ids.size() + 1);
    for (int id : ids) {
        const int old = ColOfId(id);
        widths.push_back(old >= 0 ? widths_[static_cast<std::size_t>(old)] : tab_Kolommen.FindId(id)->Width);
    }
    widths.push_back(widths_.back());
    const bool wasDescending = SortDescending();
    visibleIds_ = ids;
    widths_ = std::move(widths);
    for (tRowData& row : rows_) {
        row.Cells.resize(widths_.size());
    }
    const int sortedCol = sortedId >= 0 ? ColOfId(sortedId) : -1;
    SortState = sortedCol < 0 ? 0 : (wasDescending ? sortedCol + 1 : -(sortedCol + 1));
}

bool tTableData::CanChooseColumns() const {
    return !tab_ColumnOrder.empty() && static_cast<bool>(Events.OnGridSetup);
}

bool tTableData::CanHide(int id) const {
    const tKolom* column = tab_Kolommen.FindId(id);
    return CanChooseColumns() && column != nullptr && !column->Required && ColOfId(id) >= 0;
}

bool tTableData::HideColumn(int id) {
    if (!CanHide(id)) {
        return false;
    }
    std::vector<int> ids = visibleIds_;
    ids.erase(std::find(ids.begin(), ids.end(), id));
    tab_ColumnOrder = JoinIds(ids);
    ApplyColumnOrder();
    GridSetup();
    return true;
}

bool tTableData::ShowColumn(int id) {
    if (!CanChooseColumns() || tab_Kolommen.FindId(id) == nullptr || ColOfId(id) >= 0 ||
        static_cast<int>(visibleIds_.size()) >= kMaxVisibleColumns) {
        return false;
    }
    std::vector<int> ids = visibleIds_;
    ids.push_back(id);
    tab_ColumnOrder = JoinIds(ids);
    ApplyColumnOrder();
    GridSetup();
    return true;
}

void tTableData::GridSetup() {
    if (Events.OnGridSetup) {
        Events.OnGridSetup();
    } else {
        SetRowCount(1);
    }
}

// --- Table properties ----------------------------------------------------------------------------

std::vector<tColumnChoice> tTableData::ColumnChoices() const {
    std::vector<tColumnChoice> choices;
    for (int id : visibleIds_) {
        const tKolom* column = tab_Kolommen.FindId(id);
        choices.push_back({id, column->Text, true, column->Required});
    }
    for (const tKolom& column : tab_Kolommen) {
        if (ColOfId(column.Id) < 0) {
            choices.push_back({column.Id, column.Text, false, column.Required});
        }
    }
    return choices;
}

int tTableData::LinesPerRow() const {
    if (defaultRowHeight_ == baseRowHeight_) {
        return 1;
    }
    return (defaultRowHeight_ + 3) / baseRowHeight_;
}

void tTableData::ApplyProperties(const std::vector<tColumnChoice>& choices, int lines) {
    std::vector<int> ids;
    for (const tColumnChoice& choice : choices) {
        if (choice.Visible || choice.Required) {
            ids.push_back(choice.Id);
        }
    }
    tab_ColumnOrder = JoinIds(ids);
    ApplyColumnOrder();
    for (int col = 0; col < FillerCol(); ++col) {
        SetColWidth(col, ColumnAt(col).Width);
    }
    lines = std::clamp(lines, 1, kMaxLinesPerRow);
    SetDefaultRowHeight(lines == 1 ? baseRowHeight_ : baseRowHeight_ * lines - 3);
    GridSetup();
}

// --- Loading and saving --------------------------------------------------------------------------

void tTableData::ApplyDefaults(const tGridDefaults& defaults) {
    if (defaults.HeadColStart) {
        tab_HeadColStart = *defaults.HeadColStart;
    }
    if (defaults.HeadColSteps) {
        tab_HeadColSteps = *defaults.HeadColSteps;
    }
    tab_ColorOdd = defaults.ColorOdd;
    tab_ColorEven = defaults.ColorEven;
    VertLines = defaults.VertLines;
    if (defaults.RowHeight > 0) {
        SetBaseRowHeight(defaults.RowHeight);
        SetDefaultRowHeight(defaults.RowHeight);
    }
    for (tKolom& column : tab_Kolommen) {
        if (column.Color == kClOlive) {
            column.Color = defaults.OliveColor;
        }
    }
    RowsPerBand = std::max(1, defaults.RowsPerBand);
    HotTrack = defaults.HotTrack;
    SystemDates = defaults.SystemDates;
    ShortDateFormat = defaults.ShortDateFormat;
    ShowSelection = defaults.ShowSelection;
}

void tTableData::TranslateColumns(const tTranslation& translation) {
    for (tKolom& column : tab_Kolommen) {
        column.Text = translation.Translate(column.Text);
        column.Comment = translation.Translate(column.Comment);
    }
}

void tTableData::LoadLayout(const tLayoutStore& store) {
    const std::string& name = tab_SaveName;
    if (!name.empty() && !tab_ColumnOrder.empty()) {
        const std::string saved = store.Read(kSectionOrder, name, "");
        if (!saved.empty()) {
            // An order that names none of our columns (a damaged file, a grid that changed) would
            // leave an empty grid the user cannot repair from its header; keep the design's.
            const std::string design = std::exchange(tab_ColumnOrder, saved);
            if (OrderedIds().empty()) {
                tab_ColumnOrder = design;
            }
        }
    }
    SortState = 0;
    ApplyColumnOrder();
    for (int col = 0; col < FillerCol(); ++col) {
        SetColWidth(col, ColumnAt(col).Width);
    }
    if (name.empty()) {
        return;
    }
    const std::string sizing = store.Read(kSectionSizing, name, "");
    const std::vector<std::string_view> widths = SplitBars(sizing);
    for (int col = 0; col < ColCount() && static_cast<std::size_t>(col) < widths.size(); ++col) {
        int width = 0;
        if (ParseWhole(widths[static_cast<std::size_t>(col)], width) && width >= 0) {
            SetColWidth(col, width);
        }
    }
    int sortState = 0;
    if (ParseWhole(store.Read(kSectionSorting, name, "0"), sortState) && sortState != 0 &&
        std::abs(sortState) - 1 < FillerCol()) {
        SortState = sortState;
    }
    int lines = 0;
    if (!tab_ColumnOrder.empty() && ParseWhole(store.Read(kSectionRows, name, ""), lines) && lines >= 1 &&
        lines <= kMaxLinesPerRow) {
        SetDefaultRowHeight(lines == 1 ? baseRowHeight_ : baseRowHeight_ * lines - 3);
    }
}

void tTableData::SaveLayout(tLayoutStore& store) const {
    const std::string& name = tab_SaveName;
    if (name.empty()) {
        return;
    }
    std::string widths;
    for (std::size_t col = 0; col < widths_.size(); ++col) {
        widths += (col == 0 ? "" : "|") + std::to_string(widths_[col]);
    }
    store.Write(kSectionSizing, name, widths);
    if (!tab_ColumnOrder.empty()) {
        store.Write(kSectionRows, name, std::to_string(LinesPerRow()));
    }
    store.Write(kSectionSorting, name, std::to_string(SortState));
    if (!tab_ColumnOrder.empty()) {
        store.Write(kSectionOrder, name, tab_ColumnOrder);
    }
}

} // namespace vc
