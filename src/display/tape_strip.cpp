#include "display/tape_strip.h"

#include <algorithm>
#include <utility>

namespace vc {

tTapeStrip::tTapeStrip(int count, std::function<int(int)> width)
    : count_(std::max(0, count)), width_(std::move(width)) {}

int tTapeStrip::Advance(int index) const {
    return std::max(1, width_(index));
}

tStripPos tTapeStrip::Scroll(tStripPos pos, int n, const std::function<void(int)>& crossed) const {
    if (count_ == 0 || n == 0) {
        return pos;
    }
    pos.Offset += n;
    if (n < 0) {
        for (int advance = Advance(pos.Head); pos.Offset + advance < 0; advance = Advance(pos.Head)) {
            pos.Offset += advance;
            if (crossed) {
                crossed(pos.Head);
            }
            pos.Head = Next(pos.Head);
        }
    } else {
        while (pos.Offset >= 0) {
            pos.Head = Prev(pos.Head);
            if (crossed) {
                crossed(pos.Head);
            }
            pos.Offset -= Advance(pos.Head);
        }
    }
    return pos;
}

std::vector<tStripCell> tTapeStrip::Cells(tStripPos pos, int windowWidth) const {
    std::vector<tStripCell> cells;
    if (count_ == 0) {
        return cells;
    }
    for (int left = pos.Offset, index = pos.Head; left < windowWidth; index = Next(index)) {
        const int advance = Advance(index);
        cells.push_back({index, left, advance});
        left += advance;
    }
    return cells;
}

int tTapeStrip::IndexAt(tStripPos pos, int windowWidth, int x) const {
    if (count_ == 0) {
        return -1;
    }
    for (int left = pos.Offset, index = pos.Head; left < windowWidth; index = Next(index)) {
        const int advance = Advance(index);
        if (x >= left && x < left + advance) {
            return index;
        }
        left += advance;
    }
    return -1;
}

} // namespace vc
