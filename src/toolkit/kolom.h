// The column definitions of a table grid: what each column shows, how it sorts, aligns, shortens
// and draws its cells. A grid owns one tKolommen; its owner fills it once when the window is built,
// as a designer would, and the grid keeps it in its visible order.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/colors.h"

namespace vc {

// The enumerators keep the names the grid's properties have always been published with, so that a
// grid described in a form's text reads the same here.
enum class tAlignType { tab_LEFT, tab_RIGHT, tab_CENTER, tab_HIDDEN };
enum class tSortType { sort_ALFA, sort_DATE, sort_NUM, sort_NUMWIN, sort_COLOR, sort_DATEWIN };
enum class tEllipsType { ellips_NONE, ellips_TEXT, ellips_PATH, ellips_ARROW, ellips_BARS, ellips_DECIMAL };
enum class tButtonType {
    tab_NONE,
    tab_RADIOBUTTON,
    tab_CHECKBOX,
    tab_PUSHBUTTON,
    tab_COMBOBOX,
    tab_LISTBOX,
    tab_CUSTOM,
    tab_CALENDER,
    tab_EVENT,
    tab_PIEBOX,
    tab_ARROWBOX,
    tab_TRADES,
    tab_HISTOGRAM,
    tab_POPUP
};
enum class tSelection { sel_NORMAL, sel_HIDE, sel_GRAYED };

// The published name of a value ("tab_LEFT", "sort_NUM", ...).
std::string_view PublishedName(tAlignType value);
std::string_view PublishedName(tSortType value);
std::string_view PublishedName(tEllipsType value);
std::string_view PublishedName(tButtonType value);
std::string_view PublishedName(tSelection value);

// Whether a cell of this kind draws a check box (a frame control with a checked state).
bool IsCheckKind(tButtonType kind);

// A horizontal strip of square pictures, frame n being the square at x = n * Height. Pixels are
// 0xAARRGGBB, row by row; the grid makes the colour of the top-left pixel transparent.
struct tPictureStrip {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;

    int FrameCount() const { return Height > 0 ? Width / Height : 0; }
};

class tKolom {
public:
    explicit tKolom(int id) : Id(id) {}

    std::string Text;    // header caption, a Dutch source text translated when the grid loads
    int Id;              // stable identifier used by the column order and the search column
    std::string Comment; // header hint, translated when the grid loads
    tColor Color = kClNone;
    int Width = 64;
    tAlignType ColAlign = tAlignType::tab_CENTER;
    tSortType ColSorting = tSortType::sort_ALFA;
    bool BoldFont = false;
    bool WordWrap = false;
    bool Required = false;
    std::string MaskChars;
    tEllipsType Ellips = tEllipsType::ellips_NONE;
    bool HotColumn = false;
    int Tag = 0;

    tAlignType CellAlign() const { return cellAlign_; }
    // tab_HIDDEN is refused: a data cell always shows its text somewhere. False when refused.
    bool SetCellAlign(tAlignType align);

    tButtonType ColBtnType() const { return btnType_; }
    // Leaving tab_CUSTOM drops the picture strip.
    void SetColBtnType(tButtonType type);

    const std::shared_ptr<const tPictureStrip>& CustomBmp() const { return customBmp_; }
    // A strip makes the column tab_CUSTOM; no strip leaves the kind as it is.
    void SetCustomBmp(std::shared_ptr<const tPictureStrip> strip);

private:
    tAlignType cellAlign_ = tAlignType::tab_LEFT;
    tButtonType btnType_ = tButtonType::tab_NONE;
    std::shared_ptr<const tPictureStrip> customBmp_;
};

// The column definitions of one grid, in collection order (the visible ones first once the grid has
// applied its column order).
class tKolommen {
public:
    // A new definition at the end; its Id is its index at creation.
    tKolom& Add();
    int Count() const { return static_cast<int>(items_.size()); }
    tKolom& operator[](int index) { return items_[static_cast<std::size_t>(index)]; }
    const tKolom& operator[](int index) const { return items_[static_cast<std::size_t>(index)]; }
    // Index in the collection of the definition with this Id, or -1.
    int IndexOfId(int id) const;
    // The definition with this Id, or nullptr.
    const tKolom* FindId(int id) const;
    tKolom* FindId(int id);
    // Moves the definition at from to index to, the others keeping their order.
    void Move(int from, int to);
    void Clear() { items_.clear(); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<tKolom> items_;
};

} // namespace vc
