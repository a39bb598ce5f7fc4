// Skin.INI files are copied in by users. Whatever they hold, reading the styles must not crash,
// position texts stay within their 10 characters, and laying the fields out with them stays defined.
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
    vc::tSkinLayout layout;
    for (int i = 0; i < vc::kSkinFieldCount; ++i) {
        const vc::tSkinField& field = style.Field(static_cast<vc::tSkinFieldId>(i));
        if (field.XPos.size() > vc::kSkinPositionLength || field.YPos.size() > vc::kSkinPositionLength) {
            std::abort();
        }
        (void)vc::ParseFontStyle(field.Style);
        (void)vc::MapFontFace(field.Font);
        const auto [x, y] = layout.Place(field.XPos, field.YPos);
        // A text as wide and high as the font is big, the measure of nothing in particular.
        const int pixels = vc::FontPixelSize(field.Size);
        layout.Drawn(x, y, pixels, pixels);
        layout.ReachRight(x);
    }
    return 0;
}
