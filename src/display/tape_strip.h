// tTapeStrip, the arithmetic of the endless strip the tape shows: the items laid end to end and
// repeated forever, a head item with how far it has moved out of the window's left edge, moving the
// head as the strip scrolls, the cells a window of some width shows, and which cell a point is in.
// It knows items only by their position and width, so it is free of the widget and its pictures.
#pragma once

#include <functional>
#include <vector>

namespace vc {

// Where the strip stands: the item at the window's left edge and its left edge's x, never above 0
// once the strip has been scrolled.
struct tStripPos {
    int Head = 0;
    int Offset = 0;
};

// One item as the window shows it.
struct tStripCell {
    int Index = 0;
    int Left = 0;
    int Width = 0;
};

class tTapeStrip {
public:
    // width(index) is asked each time an item is measured, so a caller that draws items lazily can
    // draw there. A width below 1 counts as 1: a picture without width cannot stop a walk.
    tTapeStrip(int count, std::function<int(int)> width);

    int Count() const { return count_; }
    int Next(int index) const { return (index + 1) % count_; }
    int Prev(int index) const { return (index + count_ - 1) % count_; }
    int Advance(int index) const;

    // Moves the strip n pixels (positive: to the right). crossed(index) is told of each item that
    // leaves over the left edge when moving left, after it was measured, and of each that comes in
    // over it when moving right, before it is measured. An empty strip or n == 0 changes nothing.
    tStripPos Scroll(tStripPos pos, int n, const std::function<void(int)>& crossed = {}) const;

    // The cells from pos.Offset on until windowWidth is covered, wrapping round the items; the same
    // item shows several times when the strip is shorter than the window.
    std::vector<tStripCell> Cells(tStripPos pos, int windowWidth) const;

    // The item of the cell among Cells(pos, windowWidth) that holds x; -1 when none does.
    int IndexAt(tStripPos pos, int windowWidth, int x) const;

private:
    int count_;
    std::function<int(int)> width_;
};

} // namespace vc
