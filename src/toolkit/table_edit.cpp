// What the user does to a grid's cells besides sorting: check boxes, edits, the clipboard,
// type-ahead, and the grid's own menus and header hints.
#include <algorithm>

#include "toolkit/table_data.h"
#include "toolkit/text.h"
#include "toolkit/translation.h"

namespace vc {

namespace {

bool IsTypeAheadKey(char key) {
    return !SearchText(std::string_view(&key, 1)).empty();
}

tTableMenuEntry Separator() {
    tTableMenuEntry entry;
    entry.Separator = true;
    return entry;
}

tTableMenuEntry Entry(std::string caption, std::string shortcut, tTableCommand command, bool enabled = true) {
    tTableMenuEntry entry;
    entry.Caption = std::move(caption);
    entry.Shortcut = std::move(shortcut);
    entry.Command = command;
    entry.Enabled = enabled;
    return entry;
}

} // namespace

tButtonType tTableData::CellKind(int col, int row) const {
    const tButtonType kind = ColumnAt(col).ColBtnType();
    if (kind == tButtonType::tab_EVENT && Events.CellGetType) {
        return Events.CellGetType(col, row);
    }
    return kind;
}

bool tTableData::SetChecked(int col, int row, bool checked) {
    if (row < 1 || row >= RowCount() || !IsCheckKind(CellKind(col, row))) {
        return false;
    }
    const int object = Object(col, row);
    const bool old = (object & kCellChecked) != 0;
    if ((object & kCellInactive) != 0 || old == checked) {
        return false;
    }
    if (Events.CheckChanging && !Events.CheckChanging(col, row, old)) {
        return false;
    }
    SetObject(col, row, checked ? object | kCellChecked : object & ~kCellChecked);
    if (Events.CheckChanged) {
        Events.CheckChanged(col, row, checked);
    }
    return true;
}

bool tTableData::ToggleCheck(int col, int row) {
    return SetChecked(col, row, !IsChecked(col, row));
}

bool tTableData::HasCheckColumns() const {
    for (int col = 0; col < FillerCol(); ++col) {
        if (IsCheckKind(ColumnAt(col).ColBtnType())) {
            return true;
        }
    }
    return false;
}

void tTableData::SetAllChecks(bool checked, const std::vector<int>& rows) {
    auto setRow = [&](int row) {
        for (int col = 0; col < FillerCol(); ++col) {
            SetChecked(col, row, checked);
        }
    };
    if (rows.empty()) {
        for (int row = 1; row < RowCount(); ++row) {
            setRow(row);
        }
    } else {
        for (int row : rows) {
            setRow(row);
        }
    }
}

bool tTableData::WriteCell(int col, int row, const std::string& text) {
    if (row < 1 || row >= RowCount() || col < 0 || col >= FillerCol()) {
        return false;
    }
    if (Events.CellCanChange && !Events.CellCanChange(col, row)) {
        return false;
    }
    if (Events.CellChanging && !Events.CellChanging(col, row, text)) {
        return false;
    }
    SetCell(col, row, text);
    if (Events.CellChanged) {
        Events.CellChanged(col, row, text);
    }
    return true;
}

std::string tTableData::ClipboardText(const std::vector<int>& rows, const std::vector<int>& cols,
                                      bool withHeader, char decimalSeparator) const {
    std::vector<int> shown;
    for (int col : cols) {
        if (col >= 0 && col < FillerCol()) {
            shown.push_back(col);
        }
    }
    std::string text;
    auto addLine = [&](auto cellText) {
        for (std::size_t i = 0; i < shown.size(); ++i) {
            text += (i == 0 ? "" : "\t") + cellText(shown[i]);
        }
        text += "\r\n";
    };
    if (withHeader) {
        addLine([&](int col) { return Trim(ColumnAt(col).Text); });
    }
    for (int row : rows) {
        if (row < 1 || row >= RowCount()) {
            continue;
        }
        addLine([&](int col) {
            std::string cell = Trim(Cell(col, row));
            if (ColumnAt(col).ColSorting == tSortType::sort_NUM) {
                std::replace(cell.begin(), cell.end(), '.', decimalSeparator);
            }
            return cell;
        });
    }
    return text;
}

std::string tTableData::PasteText(std::string_view clipboard) {
    return std::string(clipboard.substr(0, clipboard.find_first_of("\t\n\r")));
}

bool tTableData::SearchMatches(int row, int col, std::string_view text) const {
    return SearchText(Cell(col, row)).starts_with(text);
}

int tTableData::FindTypeAhead(std::string_view text) const {
    const int col = ColOfId(tab_SearchKolom);
    if (col < 0) {
        return -1;
    }
    const int current = std::clamp(Row, 0, RowCount() - 1);
    for (int row = current + 1; row < RowCount(); ++row) {
        if (SearchMatches(row, col, text)) {
            return row;
        }
    }
    for (int row = 1; row <= current; ++row) {
        if (SearchMatches(row, col, text)) {
            return row;
        }
    }
    return -1;
}

int tTableData::TypeAhead(char key) {
    if (!IsTypeAheadKey(key) || RowCount() <= 2) {
        return -1;
    }
    const std::string typed = SearchText(std::string_view(&key, 1));
    typeAhead_ += typed;
    int row = FindTypeAhead(typeAhead_);
    if (row < 0) {
        typeAhead_ = typed;
        row = FindTypeAhead(typeAhead_);
    }
    if (row < 0) {
        typeAhead_.clear();
        return -1;
    }
    Row = row;
    return row;
}

std::vector<tTableMenuEntry> tTableData::DataMenu(bool editable, bool rowSelect) const {
    std::vector<tTableMenuEntry> menu;
    if (!tab_ColumnOrder.empty()) {
        menu.push_back(Entry("Tabel eigenschappen...", "", tTableCommand::TableProperties));
        menu.push_back(Separator());
    }
    const bool writable = editable && !rowSelect;
    menu.push_back(Entry("K&nippen", "Ctrl+X", tTableCommand::Cut, writable));
    menu.push_back(Entry("&Kopi\xEBren", "Ctrl+C", tTableCommand::Copy));
    menu.push_back(Entry("&Plakken", "Ctrl+V", tTableCommand::Paste, writable));
    menu.push_back(Separator());
    menu.push_back(Entry("&Alles selecteren", "Ctrl+A", tTableCommand::SelectAll));
    if (HasCheckColumns()) {
        menu.push_back(Entry("&Alles AANschakelen", "", tTableCommand::CheckAll));
        menu.push_back(Entry("&Alles UITschakelen", "", tTableCommand::UncheckAll));
        menu.push_back(Entry("&Selectie AANschakelen", "", tTableCommand::CheckSelection));
        menu.push_back(Entry("&Selectie UITschakelen", "", tTableCommand::UncheckSelection));
    }
    return menu;
}

std::vector<tTableMenuEntry> tTableData::HeaderMenu(bool columnSizing) const {
    std::vector<tTableMenuEntry> menu;
    for (const tColumnChoice& choice : ColumnChoices()) {
        tTableMenuEntry entry =
            Entry(choice.Caption, "", tTableCommand::ToggleColumn, CanChooseColumns() && !choice.Required);
        entry.ColumnId = choice.Id;
        entry.Checked = choice.Visible;
        menu.push_back(std::move(entry));
    }
    if (columnSizing) {
        menu.push_back(Separator());
        menu.push_back(Entry("Kolommen herschikken", "", tTableCommand::Autosize));
    }
    menu.push_back(Separator());
    // The dialog rebuilds the column order, so a grid without one has nothing it could change.
    menu.push_back(
        Entry("Tabel eigenschappen...", "", tTableCommand::TableProperties, !tab_ColumnOrder.empty()));
    return menu;
}

std::string tTableData::HeaderHint(int col, const tTranslation& translation) const {
    if (col < 0 || col >= FillerCol()) {
        return {};
    }
    std::string hint = ColumnAt(col).Comment;
    if (hint.empty()) {
        return hint;
    }
    if (col == SortedCol()) {
        hint += "\n(" +
                translation.Translate(SortDescending() ? "in dalende volgorde" : "in stijgende volgorde") +
                ")";
    }
    return hint;
}

} // namespace vc
