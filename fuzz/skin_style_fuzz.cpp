// Skin.INI files are copied in by users. Whatever they hold, reading the styles must not crash,
// position texts stay within their 10 characters, and laying the fields out with them stays defined.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "display/skin_style.h"
#include "tape/ini_object.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vc::tIniObject ini;
    ini.LoadFromBytes(bytes);
    vc::tSkinStyle style;
    style.Read(ini);
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    for (int i = 0; i < vc::kSkinFieldCount; ++i) {
        const vc::tSkinField& field = style.Field(static_cast<vc::tSkinFieldId>(i));
        if (field.XPos.size() > vc::kSkinPositionLength || field.YPos.size() > vc::kSkinPositionLength) {
            std::abort();
        }
        (void)vc::ParseFontStyle(field.Style);
        (void)vc::FontPixelSize(field.Size);
        (void)vc::MapFontFace(field.Font);
        left = vc::ResolvePosition(field.XPos, left, right);
        top = vc::ResolvePosition(field.YPos, top, bottom);
        // A field of any width and height, as a measured text could be.
        const auto edge = [&field](int from) {
            return static_cast<int>(std::clamp(static_cast<long long>(from) + field.Size,
                                               static_cast<long long>(INT_MIN),
                                               static_cast<long long>(INT_MAX)));
        };
        right = std::max(right, edge(left));
        bottom = std::max(bottom, edge(top));
    }
    return 0;
}
