// The text-field styles of a skin and the rules that place them: the five fields with their
// defaults, font style letters, position texts ("-", "+n"/"-n", absolute) and the chart box.
#pragma once

#include "toolkit/colors.h"

#include <array>
#include <string>
#include <string_view>

namespace vc {

// The five text fields of an item in drawing order.
enum class tSkinFieldId { Name, Tick, Close, Proc, Abs };
inline constexpr int kSkinFieldCount = 5;
// Key prefixes in Skin.INI, in tSkinFieldId order.
inline constexpr std::array<std::string_view, kSkinFieldCount> kSkinFieldPrefixes = {"Name", "Tick", "Close",
                                                                                     "Proc", "Abs"};
// Position texts longer than this are cut.
inline constexpr std::size_t kSkinPositionLength = 10;

struct tSkinField {
    std::string Font;
    int Size = 0;      // points; 0 or less hides the field
    std::string Style; // any of the letters B, I, U in any case
    tColor Color = 0;
    tColor ColorUp = kClNone;   // none: Color
    tColor ColorDown = kClNone; // none: Color
    tColor Shadow = kClNone;    // none: no shadow
    std::string XPos;
    std::string YPos;

    bool Shown() const { return Size > 0; }
    // The colour for a price trend of +1, -1 or 0.
    tColor TextColor(int trend) const;
    bool operator==(const tSkinField&) const = default;
};

// The field as a skin that does not mention it has it.
tSkinField DefaultSkinField(tSkinFieldId id);

// Box of the intraday mini chart in item pixels; drawn only when XPos is above 0.
struct tChartBox {
    int XPos = 0;
    int YPos = 0;
    int Width = 0;
    int Height = 0;
    bool Shown() const { return XPos > 0; }
    bool operator==(const tChartBox&) const = default;
};

struct tFontStyle {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool operator==(const tFontStyle&) const = default;
};
// Letters B, I and U in any order and case; everything else is ignored.
tFontStyle ParseFontStyle(std::string_view style);

enum class tPositionRule {
    Previous, // exactly "-": the previous field's left (or top) edge
    Relative, // holds "+" or "-": added to the right-most (or lowest) edge drawn so far
    Absolute, // anything else: a pixel position in the item
};
struct tSkinPosition {
    tPositionRule Rule = tPositionRule::Absolute;
    int Value = 0;
    bool operator==(const tSkinPosition&) const = default;
};
tSkinPosition ParsePosition(std::string_view text);
// The pixel position of a position text given the previous field's edge (left for x, top for y)
// and the running edge (right-most right, lowest bottom) of everything drawn before it.
int ResolvePosition(std::string_view text, int previousEdge, int runningEdge);

// The layout state while one item's fields are placed: the rectangle of the field drawn last and
// the right-most and lowest edges reached by anything drawn so far.
class tSkinLayout {
public:
    struct tSpot {
        int X = 0;
        int Y = 0;
        bool operator==(const tSpot&) const = default;
    };
    // Where a field with these position texts goes.
    tSpot Place(std::string_view xPos, std::string_view yPos) const;
    // A field was drawn at (x, y), w wide and h high: it becomes the previous field.
    void Drawn(int x, int y, int w, int h);
    // Something that is not a field reached this far right (a logo, an alert frame).
    void ReachRight(int right);
    // A logo at the left makes the next "-" position start right of it.
    void SetPreviousRight(int right) { previousRight_ = right; }

    int Right() const { return right_; }
    int Bottom() const { return bottom_; }
    int PreviousLeft() const { return previousLeft_; }
    int PreviousTop() const { return previousTop_; }
    int PreviousRight() const { return previousRight_; }
    int PreviousBottom() const { return previousBottom_; }

private:
    int previousLeft_ = 0;
    int previousTop_ = 0;
    int previousRight_ = 0;
    int previousBottom_ = 0;
    int right_ = 0;
    int bottom_ = 0;
};

// Pixel height of a font of the given point size on the 96 dpi the skins were drawn for.
int FontPixelSize(int points);
// Installed face for a face a skin names: the Windows faces map onto their metric twins.
std::string MapFontFace(std::string_view face);

} // namespace vc
