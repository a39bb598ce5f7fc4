#include "display/skin_style.h"

#include "tape/ini_object.h"

#include <string>

namespace vc {
namespace {

std::string PositionText(std::string text) {
    if (text.size() > kSkinPositionLength) {
        text.resize(kSkinPositionLength);
    }
    return text;
}

tSkinField ReadField(const tIniObject& ini, tSkinFieldId id) {
    const std::string prefix(kSkinFieldPrefixes[static_cast<std::size_t>(id)]);
    const tSkinField defaults = DefaultSkinField(id);
    const auto key = [&prefix](const char* suffix) { return prefix + suffix; };
    tSkinField field;
    field.Font = ini.ReadString(kSkinSection, key("_Font"), defaults.Font);
    field.Size = ini.ReadInteger(kSkinSection, key("_Size"), defaults.Size);
    field.Style = ini.ReadString(kSkinSection, key("_Style"), defaults.Style);
    field.Color = ini.ReadColor(kSkinSection, key("_Color"), defaults.Color);
    field.ColorUp = ini.ReadColor(kSkinSection, key("_ColorUp"), defaults.ColorUp);
    field.ColorDown = ini.ReadColor(kSkinSection, key("_ColorDown"), defaults.ColorDown);
    field.Shadow = ini.ReadColor(kSkinSection, key("_Shadow"), defaults.Shadow);
    field.XPos = PositionText(ini.ReadString(kSkinSection, key("_XPos"), defaults.XPos));
    field.YPos = PositionText(ini.ReadString(kSkinSection, key("_YPos"), defaults.YPos));
    return field;
}

} // namespace

tSkinStyle::tSkinStyle() : Name(DefaultSkinField(tSkinFieldId::Name)) {}

tSkinField& tSkinStyle::Field(tSkinFieldId id) {
    switch (id) {
    case tSkinFieldId::Name:
        return Name;
    case tSkinFieldId::Tick:
        return Tick;
    case tSkinFieldId::Close:
        return Close;
    case tSkinFieldId::Proc:
        return Proc;
    case tSkinFieldId::Abs:
        break;
    }
    return Abs;
}

const tSkinField& tSkinStyle::Field(tSkinFieldId id) const {
    return const_cast<tSkinStyle*>(this)->Field(id);
}

void tSkinStyle::Read(const tIniObject& ini) {
    for (int i = 0; i < kSkinFieldCount; ++i) {
        const auto id = static_cast<tSkinFieldId>(i);
        Field(id) = ReadField(ini, id);
    }
    ChartBox.XPos = ini.ReadInteger(kSkinSection, "Chart_XPos", 0);
    ChartBox.YPos = ini.ReadInteger(kSkinSection, "Chart_YPos", 0);
    ChartBox.Width = ini.ReadInteger(kSkinSection, "Chart_Width", 0);
    ChartBox.Height = ini.ReadInteger(kSkinSection, "Chart_Height", 0);
}

} // namespace vc
