#include "toolkit/kolom.h"

#include <array>

namespace vc {

namespace {

template <typename E, std::size_t N>
std::string_view NameOf(E value, const std::array<std::string_view, N>& names) {
    const auto index = static_cast<std::size_t>(value);
    return index < N ? names[index] : std::string_view{};
}

constexpr std::array<std::string_view, 4> kAlignNames = {"tab_LEFT", "tab_RIGHT", "tab_CENTER", "tab_HIDDEN"};
constexpr std::array<std::string_view, 6> kSortNames = {"sort_ALFA",   "sort_DATE",  "sort_NUM",
                                                        "sort_NUMWIN", "sort_COLOR", "sort_DATEWIN"};
constexpr std::array<std::string_view, 6> kEllipsNames = {"ellips_NONE",  "ellips_TEXT", "ellips_PATH",
                                                          "ellips_ARROW", "ellips_BARS", "ellips_DECIMAL"};
constexpr std::array<std::string_view, 14> kButtonNames = {
    "tab_NONE",     "tab_RADIOBUTTON", "tab_CHECKBOX",  "tab_PUSHBUTTON", "tab_COMBOBOX",
    "tab_LISTBOX",  "tab_CUSTOM",      "tab_CALENDER",  "tab_EVENT",      "tab_PIEBOX",
    "tab_ARROWBOX", "tab_TRADES",      "tab_HISTOGRAM", "tab_POPUP"};
constexpr std::array<std::string_view, 3> kSelectionNames = {"sel_NORMAL", "sel_HIDE", "sel_GRAYED"};

} // namespace

std::string_view PublishedName(tAlignType value) {
    return NameOf(value, kAlignNames);
}
std::string_view PublishedName(tSortType value) {
    return NameOf(value, kSortNames);
}
std::string_view PublishedName(tEllipsType value) {
    return NameOf(value, kEllipsNames);
}
std::string_view PublishedName(tButtonType value) {
    return NameOf(value, kButtonNames);
}
std::string_view PublishedName(tSelection value) {
    return NameOf(value, kSelectionNames);
}

bool IsCheckKind(tButtonType kind) {
    return kind == tButtonType::tab_RADIOBUTTON || kind == tButtonType::tab_CHECKBOX ||
           kind == tButtonType::tab_PUSHBUTTON;
}

bool tKolom::SetCellAlign(tAlignType align) {
    if (align == tAlignType::tab_HIDDEN) {
        return false;
    }
    cellAlign_ = align;
    return true;
}

void tKolom::SetColBtnType(tButtonType type) {
    btnType_ = type;
    if (type != tButtonType::tab_CUSTOM) {
        customBmp_.reset();
    }
}

void tKolom::SetCustomBmp(std::shared_ptr<const tPictureStrip> strip) {
    customBmp_ = std::move(strip);
    if (customBmp_) {
        btnType_ = tButtonType::tab_CUSTOM;
    }
}

tKolom& tKolommen::Add() {
    items_.emplace_back(Count());
    return items_.back();
}

int tKolommen::IndexOfId(int id) const {
    for (int i = 0; i < Count(); ++i) {
        if (items_[static_cast<std::size_t>(i)].Id == id) {
            return i;
        }
    }
    return -1;
}

const tKolom* tKolommen::FindId(int id) const {
    const int index = IndexOfId(id);
    return index < 0 ? nullptr : &items_[static_cast<std::size_t>(index)];
}

tKolom* tKolommen::FindId(int id) {
    const int index = IndexOfId(id);
    return index < 0 ? nullptr : &items_[static_cast<std::size_t>(index)];
}

void tKolommen::Move(int from, int to) {
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to) {
        return;
    }
    tKolom moved = std::move(items_[static_cast<std::size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(moved));
}

} // namespace vc
