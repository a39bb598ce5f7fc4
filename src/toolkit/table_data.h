// What a table grid knows without drawing anything: its column definitions and visible column order,
// the cells, row heights and column widths, the sort state and built-in sort, check cells, the
// clipboard text, type-ahead, the entries of its context menus, the table-properties rules and the
// layout it saves. tKestroTable (toolkit/qt) shows one of these and forwards the user's actions.
//
// Rows and columns are counted as the grid shows them: row 0 is the header row, data rows start at
// 1; grid column c shows the definition VisibleIds()[c], and the last grid column is the filler,
// which has no definition, holds no data and never sorts.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/colors.h"
#include "toolkit/grid_defaults.h"
#include "toolkit/kolom.h"

namespace vc {

class tLayoutStore;
class tTranslation;

// A cell's object: for check cells the flags below, for picture cells the frame number.
inline constexpr int kCellChecked = 1;
inline constexpr int kCellInactive = 2;

// The drawing state handed to CellGetColor and CellGetColorBk: any of these bits.
inline constexpr int kCellSelected = 1;
inline constexpr int kCellFocused = 2;
inline constexpr int kCellFixed = 4;

inline constexpr int kMaxVisibleColumns = 51;
inline constexpr int kBaseRowHeight = 17;
inline constexpr int kMaxLinesPerRow = 50;

// The grid's published events. The owner assigns the ones it wants; an empty one is not called.
struct tTableEvents {
    std::function<void(int col, int row, bool newState)> CheckChanged;
    std::function<bool(int col, int row, bool oldState)> CheckChanging;
    std::function<bool(int col, int row)> CellCanChange;
    std::function<bool(int col, int row, const std::string& text)> CellChanging;
    std::function<void(int col, int row, const std::string& text)> CellChanged;
    std::function<void(int col, int row, std::vector<std::string>& entries)> CellGetListbox;
    std::function<tColor(int col, int row, int state, tColor def)> CellGetColor;
    std::function<tColor(int col, int row, int state, tColor def)> CellGetColorBk;
    std::function<bool(int col, int row)> CellGetBold;
    std::function<void(int col, int row, std::string& hint)> CellGetHint;
    std::function<tButtonType(int col, int row)> CellGetType;
    std::function<int(int row)> RowGetType;
    std::function<void()> OnGridSetup;
    std::function<void(int col, bool descending)> OnSorting;
    std::function<void()> OnPaintEmpty;
    std::function<void()> OnSelChanged;
    std::function<void(int col, int row)> OnClickButton;
    std::function<void(int col, int row)> OnHotCellClick;
};

// Commands of the grid's context menus.
enum class tTableCommand {
    None,
    TableProperties,
    Cut,
    Copy,
    Paste,
    SelectAll,
    CheckAll,
    UncheckAll,
    CheckSelection,
    UncheckSelection,
    ToggleColumn, // ColumnId says which
    Autosize,
};

struct tTableMenuEntry {
    bool Separator = false;
    std::string Caption; // a Dutch source text to translate, or a column caption as shown
    std::string Shortcut;
    tTableCommand Command = tTableCommand::None;
    int ColumnId = -1;
    bool Checked = false;
    bool Enabled = true;
};

// One line of the table-properties dialog.
struct tColumnChoice {
    int Id = 0;
    std::string Caption;
    bool Visible = false;
    bool Required = false;
};

// A text reduced to its letters and digits, in upper case: what sort keys and type-ahead compare.
std::string SearchText(std::string_view text);

class tTableData {
public:
    tTableData();

    // Published settings, with the names and defaults the grid has always had.
    bool tab_Sorting = true;
    tColor tab_HeadColStart = kClWhite;
    int tab_HeadColSteps = 6;
    int tab_PressColOfs = 2;
    int tab_PressDepth = 2;
    tColor tab_ColorOdd = kClWindow;
    tColor tab_ColorEven = kClWindow;
    tKolommen tab_Kolommen;
    std::string tab_SaveName;
    int tab_SearchKolom = 0;
    bool tab_DragDrop = false;
    tSelection tab_HideSelection = tSelection::sel_NORMAL;
    std::string tab_ColumnOrder;

    tTableEvents Events;

    // Program-wide settings in force (ApplyDefaults).
    int RowsPerBand = 1;
    bool HotTrack = true;
    bool SystemDates = false;
    std::string ShortDateFormat = "dd/MM/yyyy";
    bool ShowSelection = true;
    bool VertLines = true;

    // --- Shape and cells -------------------------------------------------------------------------
    int ColCount() const { return static_cast<int>(widths_.size()); }
    // The filler column, the last grid column.
    int FillerCol() const { return ColCount() - 1; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // At least the header row; new rows are empty with the default row height.
    void SetRowCount(int count);
    // The definition shown in grid column col (col < FillerCol()).
    const tKolom& ColumnAt(int col) const;
    const std::vector<int>& VisibleIds() const { return visibleIds_; }
    // Grid column that shows the definition with this Id, or -1.
    int ColOfId(int id) const;

    // Empty / 0 outside the grid; writes outside it are ignored.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, std::string text);
    int Object(int col, int row) const;
    void SetObject(int col, int row, int object);
    // A whole data row at once; missing texts are empty.
    void SetRow(int row, const std::vector<std::string>& texts);

    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);
    // Height of every data row; setting it resizes them all.
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int height);
    // The one-line row height the grid measures lines per row against.
    int BaseRowHeight() const { return baseRowHeight_; }
    void SetBaseRowHeight(int height);

    // Current row (the Qt control keeps it in step with its cursor).
    int Row = 1;

    // --- Column order -------------------------------------------------------------------------------
    // Makes the visible columns those of tab_ColumnOrder (all definitions when it is empty), moves
    // them to the front of the collection in that order, and gives the grid that many columns plus
    // the filler. Widths of columns that stay in place are kept; new ones get their definition's.
    void ApplyColumnOrder();
    // Whether the header menu may hide or show the column: an order exists, an OnGridSetup handler
    // refills the grid, and (for hiding) the column is not Required.
    bool CanChooseColumns() const;
    bool CanHide(int id) const;
    // Hides a visible column (widths right of it shift one place left) or shows a hidden one at the
    // end with its definition's width, then refills the grid through OnGridSetup. False when refused.
    bool HideColumn(int id);
    bool ShowColumn(int id);
    // After the columns changed: the owner refills, or without a handler the grid keeps its header.
    void GridSetup();

    // --- Sorting ----------------------------------------------------------------------------------
    // 0 unsorted; -(c + 1) ascending on grid column c; +(c + 1) descending.
    int SortState = 0;
    int SortedCol() const;
    bool SortDescending() const { return SortState > 0; }
    // A completed click on header column col: the filler clears the sort; any other column sorts,
    // ascending first and flipping on the next click. Does nothing when sorting is off or there are
    // no data rows. True when the sort state or the rows changed.
    bool HeaderClicked(int col);
    // The built-in sort key of a data row for sorting on grid column col.
    std::string SortKey(int row, int col) const;
    // Sorts the data rows on grid column col with the built-in quicksort; whole rows move, heights
    // and objects with them.
    void SortRows(int col, bool descending);
    // Sorts the rows again as SortState says (through OnSorting when assigned): for owners that
    // refill a grid whose sort was restored with its layout.
    void Resort();

    // --- Cells the user changes -------------------------------------------------------------------
    // The kind of a cell: its column's, or what CellGetType says for tab_EVENT columns.
    tButtonType CellKind(int col, int row) const;
    bool IsChecked(int col, int row) const { return (Object(col, row) & kCellChecked) != 0; }
    // Sets a check cell after CheckChanging agreed, then raises CheckChanged. False when nothing
    // changed (not a check cell, inactive, refused, or already in that state).
    bool SetChecked(int col, int row, bool checked);
    bool ToggleCheck(int col, int row);
    bool HasCheckColumns() const;
    // Checks or clears the check cells of the given rows (every data row when rows is empty).
    void SetAllChecks(bool checked, const std::vector<int>& rows = {});
    // Writes a cell the way the user's edits do: CellCanChange, CellChanging, the write, CellChanged.
    bool WriteCell(int col, int row, const std::string& text);

    // --- Clipboard and type-ahead -----------------------------------------------------------------
    // The selected cells as text: the given rows and grid columns, cells trimmed, joined by tab,
    // rows ended by CR LF; with header, the captions come first. In sort_NUM columns "." becomes
    // decimalSeparator.
    std::string ClipboardText(const std::vector<int>& rows, const std::vector<int>& cols, bool withHeader,
                              char decimalSeparator) const;
    // The text a paste writes: the clipboard's first line up to its first tab, LF or CR.
    static std::string PasteText(std::string_view clipboard);

    // A letter or digit typed with row selection on: the new current row, or -1 when nothing
    // matched (the type-ahead text is then cleared).
    int TypeAhead(char key);
    void ClearTypeAhead() { typeAhead_.clear(); }
    const std::string& TypeAheadText() const { return typeAhead_; }

    // --- Menus and hints --------------------------------------------------------------------------
    std::vector<tTableMenuEntry> DataMenu(bool editable, bool rowSelect) const;
    std::vector<tTableMenuEntry> HeaderMenu(bool columnSizing) const;
    // The hint over header column col, translated; empty when the column has no comment.
    std::string HeaderHint(int col, const tTranslation& translation) const;

    // --- Table properties ---------------------------------------------------------------------------
    // Every definition, the visible ones first in their order.
    std::vector<tColumnChoice> ColumnChoices() const;
    // Lines per row as the layout stores it.
    int LinesPerRow() const;
    // OK in the table-properties dialog: the visible ones become the column order, widths return
    // to the definitions', the row height follows lines (1..50), and the owner refills the grid.
    void ApplyProperties(const std::vector<tColumnChoice>& choices, int lines);

    // --- Loading and saving -----------------------------------------------------------------------
    // The program-wide settings, as a grid takes them when its window is loaded.
    void ApplyDefaults(const tGridDefaults& defaults);
    // Captions and comments into the current language, as the grid does once when loaded.
    void TranslateColumns(const tTranslation& translation);
    // Restores the saved layout (nothing when tab_SaveName is empty) and applies the column order.
    void LoadLayout(const tLayoutStore& store);
    // Writes the layout when tab_SaveName is set.
    void SaveLayout(tLayoutStore& store) const;

private:
    struct tCell {
        std::string Text;
        int Object = 0;
    };
    struct tRowData {
        std::vector<tCell> Cells;
        int Height = kBaseRowHeight;
    };

    tCell* CellAt(int col, int row);
    const tCell* CellAt(int col, int row) const;
    // The column order of tab_ColumnOrder (all definitions when empty), unknown and repeated Ids
    // left out, at most kMaxVisibleColumns.
    std::vector<int> OrderedIds() const;
    bool SearchMatches(int row, int col, std::string_view text) const;
    int FindTypeAhead(std::string_view text) const;

    std::vector<tRowData> rows_;
    std::vector<int> widths_;
    std::vector<int> visibleIds_;
    int defaultRowHeight_ = kBaseRowHeight;
    int baseRowHeight_ = kBaseRowHeight;
    std::string typeAhead_;
};

} // namespace vc
