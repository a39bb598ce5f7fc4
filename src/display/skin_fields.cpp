#include "display/skin_fields.h"

#include "toolkit/file_names.h"
#include "toolkit/text.h"

#include <algorithm>
#include <climits>

namespace vc {
namespace {

int ClampToInt(long long value) {
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

} // namespace

tColor tSkinField::TextColor(int trend) const {
    if (trend < 0 && ColorDown != kClNone) {
        return ColorDown;
    }
    if (trend > 0 && ColorUp != kClNone) {
        return ColorUp;
    }
    return Color;
}

tSkinField DefaultSkinField(tSkinFieldId id) {
    tSkinField field;
    field.Font = "Arial";
    field.Shadow = kClBlack;
    switch (id) {
    case tSkinFieldId::Name:
        field.Size = 9;
        field.Style = "B";
        field.Color = kClWhite;
        field.XPos = "16";
        field.YPos = "2";
        break;
    case tSkinFieldId::Tick:
        field.Size = 8;
        field.Color = kClSilver;
        field.XPos = "-";
        field.YPos = "14";
        break;
    case tSkinFieldId::Close:
        field.Size = 16;
        field.Style = "B";
        field.Color = kClWhite;
        field.XPos = "+4";
        field.YPos = "5";
        break;
    case tSkinFieldId::Proc:
        field.Size = 8;
        field.Color = kClWhite;
        field.XPos = "+4";
        field.YPos = "2";
        break;
    case tSkinFieldId::Abs:
        field.Size = 8;
        field.Color = kClSilver;
        field.XPos = "-";
        field.YPos = "12";
        break;
    }
    return field;
}

tFontStyle ParseFontStyle(std::string_view style) {
    tFontStyle result;
    for (const char c : style) {
        switch (c) {
        case 'B':
        case 'b':
            result.Bold = true;
            break;
        case 'I':
        case 'i':
            result.Italic = true;
            break;
        case 'U':
        case 'u':
            result.Underline = true;
            break;
        default:
            break;
        }
    }
    return result;
}

tSkinPosition ParsePosition(std::string_view text) {
    if (text == "-") {
        return {tPositionRule::Previous, 0};
    }
    const tPositionRule rule = text.find_first_of("+-") != std::string_view::npos ? tPositionRule::Relative
                                                                                  : tPositionRule::Absolute;
    return {rule, ToInteger(text)};
}

int ResolvePosition(std::string_view text, int previousEdge, int runningEdge) {
    const tSkinPosition position = ParsePosition(text);
    switch (position.Rule) {
    case tPositionRule::Previous:
        return previousEdge;
    case tPositionRule::Relative:
        return ClampToInt(static_cast<long long>(runningEdge) + position.Value);
    case tPositionRule::Absolute:
        break;
    }
    return position.Value;
}

tSkinLayout::tSpot tSkinLayout::Place(std::string_view xPos, std::string_view yPos) const {
    return {ResolvePosition(xPos, previousLeft_, right_), ResolvePosition(yPos, previousTop_, bottom_)};
}

void tSkinLayout::Drawn(int x, int y, int w, int h) {
    const int right = ClampToInt(static_cast<long long>(x) + w);
    const int bottom = ClampToInt(static_cast<long long>(y) + h);
    previousLeft_ = x;
    previousTop_ = y;
    previousRight_ = right;
    previousBottom_ = bottom;
    right_ = std::max(right_, right);
    bottom_ = std::max(bottom_, bottom);
}

void tSkinLayout::ReachRight(int right) {
    right_ = std::max(right_, right);
}

int FontPixelSize(int points) {
    if (points <= 0) {
        return 0;
    }
    // Rounded as the 96/72 scaling of the systems the skins were made on.
    return ClampToInt((static_cast<long long>(points) * 96 + 36) / 72);
}

std::string MapFontFace(std::string_view face) {
    struct tFaceMap {
        std::string_view From;
        std::string_view To;
    };
    static constexpr tFaceMap kFaces[] = {
        {"Arial", "Liberation Sans"},
        {"Helvetica", "Liberation Sans"},
        {"Tahoma", "Liberation Sans"},
        {"Verdana", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Microsoft Sans Serif", "Liberation Sans"},
        {"Small Fonts", "Liberation Sans"},
        {"Segoe UI", "Liberation Sans"},
        {"Trebuchet MS", "Liberation Sans"},
        {"Arial Narrow", "Liberation Sans Narrow"},
        {"Times New Roman", "Liberation Serif"},
        {"Times", "Liberation Serif"},
        {"MS Serif", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        {"Courier", "Liberation Mono"},
    };
    for (const tFaceMap& map : kFaces) {
        if (SameFileName(face, map.From)) {
            return std::string(map.To);
        }
    }
    return std::string(face);
}

} // namespace vc
