// tSkinStyle: what Skin.INI says about a skin, the five text-field styles and the chart box, read
// from its "Settings" section with the built-in defaults for every key that is missing.
#pragma once

#include "display/skin_fields.h"

#include <array>
#include <string_view>

namespace vc {

class tIniObject;

inline constexpr std::string_view kSkinSection = "Settings";

class tSkinStyle {
public:
    // Only the name field has a style until a skin is read: a tape without a skin shows names.
    tSkinStyle();

    tSkinField Name;
    tSkinField Tick;
    tSkinField Close;
    tSkinField Proc;
    tSkinField Abs;
    tChartBox ChartBox;

    tSkinField& Field(tSkinFieldId id);
    const tSkinField& Field(tSkinFieldId id) const;

    // Every key of the section, each missing one taking its default (never the value held before).
    void Read(const tIniObject& ini);
};

} // namespace vc
