// The grid's built-in sort: one key per row, compared as plain bytes, and a quicksort that moves
// whole rows.
#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "toolkit/dates.h"
#include "toolkit/table_data.h"
#include "toolkit/text.h"

namespace vc {

namespace {

constexpr double kNumberOffset = 1000000000.0;
constexpr std::size_t kSortWidth = 20;
constexpr std::size_t kOtherWidth = 15;

// Letters of Windows-1252 beyond ASCII: the accented capitals and small letters, and the few
// letters in the 0x80 block.
bool IsLetterOrDigit(unsigned char c) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
        return true;
    }
    switch (c) {
    case 0x83:
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
        return true;
    default:
        return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

std::string Padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

// Copy(text, from, count) with 1-based from, safe on short texts.
std::string_view Part(std::string_view text, std::size_t from, std::size_t count) {
    return from - 1 < text.size() ? text.substr(from - 1, count) : std::string_view{};
}

std::string DateKey(const std::string& text) {
    if (text.find(':') != std::string::npos) {
        return text;
    }
    std::string key(Part(text, 7, 4));
    key += Part(text, 4, 2);
    key += Part(text, 1, 2);
    return key;
}

} // namespace

// Letters and digits only, in upper case: what the sort keys and the type-ahead compare.
std::string SearchText(std::string_view text) {
    std::string kept;
    for (char c : text) {
        if (IsLetterOrDigit(static_cast<unsigned char>(c))) {
            kept += c;
        }
    }
    return UpperText(kept);
}

std::string tTableData::SortKey(int row, int col) const {
    const tKolom& column = ColumnAt(col);
    std::string text = Cell(col, row);
    const tButtonType kind = CellKind(col, row);
    if (kind == tButtonType::tab_PIEBOX || kind == tButtonType::tab_ARROWBOX) {
        text = Field(text, 1);
    }
    std::string key;
    switch (column.ColSorting) {
    case tSortType::sort_DATE:
        key = DateKey(text);
        break;
    case tSortType::sort_NUM:
        key = text.empty() ? std::string() : FormatFixed(ToNumber(text) + kNumberOffset, kSortWidth, 5);
        break;
    case tSortType::sort_NUMWIN: {
        std::string kept;
        std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                     [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
        key = FormatFixed(ToNumber(kept) + kNumberOffset, kSortWidth, 0);
        break;
    }
    case tSortType::sort_DATEWIN:
        if (SystemDates) {
            const double date = ParseFormattedDate(text, ShortDateFormat);
            key = date > 0 ? FormatFixed(date + kNumberOffset, kOtherWidth, 0) : std::string();
        } else {
            key = DateKey(text);
        }
        break;
    case tSortType::sort_ALFA:
    case tSortType::sort_COLOR:
        if (column.Ellips == tEllipsType::ellips_PATH) {
            const auto slash = text.find_last_of("\\/");
            text = slash == std::string::npos ? text : text.substr(slash + 1);
        }
        key = Padded(SearchText(text), kSortWidth);
        break;
    }
    for (int other = 0; other < FillerCol(); ++other) {
        if (other != col) {
            key += Padded(SearchText(Cell(other, row)), kOtherWidth);
        }
    }
    return key;
}

void tTableData::SortRows(int col, bool descending) {
    const int last = RowCount() - 1;
    if (last < 2 || col < 0 || col >= FillerCol()) {
        return;
    }
    std::vector<std::string> keys(static_cast<std::size_t>(RowCount()));
    for (int row = 1; row <= last; ++row) {
        keys[static_cast<std::size_t>(row)] = SortKey(row, col);
    }
    auto before = [descending](const std::string& a, const std::string& b) {
        return descending ? b < a : a < b;
    };
    auto exchange = [&](int i, int j) {
        std::swap(rows_[static_cast<std::size_t>(i)], rows_[static_cast<std::size_t>(j)]);
        std::swap(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)]);
    };
    // Partitions around the middle row's key and recurses into the smaller side, so that the depth
    // stays logarithmic whatever order the rows come in.
    auto sort = [&](auto&& self, int left, int right) -> void {
        while (left < right) {
            int i = left;
            int j = right;
            const std::string pivot = keys[static_cast<std::size_t>((left + right) / 2)];
            do {
                while (before(keys[static_cast<std::size_t>(i)], pivot)) {
                    ++i;
                }
                while (before(pivot, keys[static_cast<std::size_t>(j)])) {
                    --j;
                }
                if (i <= j) {
                    if (i != j) {
                        exchange(i, j);
                    }
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (j - left < right - i) {
                self(self, left, j);
                left = i;
            } else {
                self(self, i, right);
                right = j;
            }
        }
    };
    sort(sort, 1, last);
}

int tTableData::SortedCol() const {
    return SortState == 0 ? -1 : std::abs(SortState) - 1;
}

void tTableData::Resort() {
    const int col = SortedCol();
    if (col < 0 || col >= FillerCol()) {
        return;
    }
    if (Events.OnSorting) {
        Events.OnSorting(col, SortDescending());
    } else {
        SortRows(col, SortDescending());
    }
}

bool tTableData::HeaderClicked(int col) {
    if (!tab_Sorting || RowCount() <= 1 || col < 0 || col > FillerCol()) {
        return false;
    }
    if (col == FillerCol()) {
        const bool wasSorted = SortState != 0;
        SortState = 0;
        return wasSorted;
    }
    SortState = SortedCol() == col ? -SortState : -(col + 1);
    // The cursor stays on the same row number, not on the record it showed.
    const int row = Row;
    Resort();
    Row = row;
    return true;
}

} // namespace vc
