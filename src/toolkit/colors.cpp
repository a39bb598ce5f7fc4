#include "toolkit/colors.h"

#include <array>
#include <charconv>

#include "toolkit/text.h"

namespace vc {

namespace {

struct tColorName {
    std::string_view Name; // upper case, for comparing with the upper-cased text
    std::string_view Spelling;
    tColor Color;
};

// The first name of a colour is the one ColorText gives; later names are accepted aliases.
constexpr std::array kColorNames{
    tColorName{"CLBLACK", "clBlack", kClBlack},
    tColorName{"CLMAROON", "clMaroon", kClMaroon},
    tColorName{"CLGREEN", "clGreen", kClGreen},
    tColorName{"CLOLIVE", "clOlive", kClOlive},
    tColorName{"CLNAVY", "clNavy", kClNavy},
    tColorName{"CLPURPLE", "clPurple", kClPurple},
    tColorName{"CLTEAL", "clTeal", kClTeal},
    tColorName{"CLGRAY", "clGray", kClGray},
    tColorName{"CLSILVER", "clSilver", kClSilver},
    tColorName{"CLRED", "clRed", kClRed},
    tColorName{"CLLIME", "clLime", kClLime},
    tColorName{"CLYELLOW", "clYellow", kClYellow},
    tColorName{"CLBLUE", "clBlue", kClBlue},
    tColorName{"CLFUCHSIA", "clFuchsia", kClFuchsia},
    tColorName{"CLAQUA", "clAqua", kClAqua},
    tColorName{"CLWHITE", "clWhite", kClWhite},
    tColorName{"CLLTGRAY", "clLtGray", kClSilver},
    tColorName{"CLDKGRAY", "clDkGray", kClGray},
    tColorName{"CLMONEYGREEN", "clMoneyGreen", kClMoneyGreen},
    tColorName{"CLSKYBLUE", "clSkyBlue", kClSkyBlue},
    tColorName{"CLCREAM", "clCream", kClCream},
    tColorName{"CLMEDGRAY", "clMedGray", kClMedGray},
    tColorName{"CLNONE", "clNone", kClNone},
    tColorName{"CLDEFAULT", "clDefault", kClDefault},
    tColorName{"CLSCROLLBAR", "clScrollBar", kClScrollBar},
    tColorName{"CLBACKGROUND", "clBackground", kClBackground},
    tColorName{"CLACTIVECAPTION", "clActiveCaption", kClActiveCaption},
    tColorName{"CLINACTIVECAPTION", "clInactiveCaption", kClInactiveCaption},
    tColorName{"CLMENU", "clMenu", kClMenu},
    tColorName{"CLWINDOW", "clWindow", kClWindow},
    tColorName{"CLWINDOWFRAME", "clWindowFrame", kClWindowFrame},
    tColorName{"CLMENUTEXT", "clMenuText", kClMenuText},
    tColorName{"CLWINDOWTEXT", "clWindowText", kClWindowText},
    tColorName{"CLCAPTIONTEXT", "clCaptionText", kClCaptionText},
    tColorName{"CLACTIVEBORDER", "clActiveBorder", kClActiveBorder},
    tColorName{"CLINACTIVEBORDER", "clInactiveBorder", kClInactiveBorder},
    tColorName{"CLAPPWORKSPACE", "clAppWorkSpace", kClAppWorkSpace},
    tColorName{"CLHIGHLIGHT", "clHighlight", kClHighlight},
    tColorName{"CLHIGHLIGHTTEXT", "clHighlightText", kClHighlightText},
    tColorName{"CLBTNFACE", "clBtnFace", kClBtnFace},
    tColorName{"CLBTNSHADOW", "clBtnShadow", kClBtnShadow},
    tColorName{"CLGRAYTEXT", "clGrayText", kClGrayText},
    tColorName{"CLBTNTEXT", "clBtnText", kClBtnText},
    tColorName{"CLINACTIVECAPTIONTEXT", "clInactiveCaptionText", kClInactiveCaptionText},
    tColorName{"CLBTNHIGHLIGHT", "clBtnHighlight", kClBtnHighlight},
    tColorName{"CL3DDKSHADOW", "cl3DDkShadow", kCl3DDkShadow},
    tColorName{"CL3DLIGHT", "cl3DLight", kCl3DLight},
    tColorName{"CLINFOTEXT", "clInfoText", kClInfoText},
    tColorName{"CLINFOBK", "clInfoBk", kClInfoBk},
    tColorName{"CLHOTLIGHT", "clHotLight", kClHotLight},
    tColorName{"CLGRADIENTACTIVECAPTION", "clGradientActiveCaption", kClGradientActiveCaption},
    tColorName{"CLGRADIENTINACTIVECAPTION", "clGradientInactiveCaption", kClGradientInactiveCaption},
    tColorName{"CLMENUHIGHLIGHT", "clMenuHighlight", kClMenuHighlight},
    tColorName{"CLMENUBAR", "clMenuBar", kClMenuBar},
};

std::optional<tColor> HexColor(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<tColor> DecimalColor(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if (negative) {
        if (value > 0x80000000ULL) {
            return std::nullopt;
        }
        return static_cast<tColor>(0x100000000ULL - value);
    }
    if (value > 0xFFFFFFFFULL) {
        return std::nullopt;
    }
    return static_cast<tColor>(value);
}

} // namespace

std::optional<tColor> ColorFromText(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    if (text.front() == '$') {
        return HexColor(text.substr(1));
    }
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        return HexColor(text.substr(2));
    }
    if (text.size() > 2 && (text[0] == 'c' || text[0] == 'C')) {
        const std::string upper = UpperText(text);
        for (const auto& entry : kColorNames) {
            if (entry.Name == upper) {
                return entry.Color;
            }
        }
        return std::nullopt;
    }
    return DecimalColor(text);
}

std::string ColorText(tColor color) {
    for (const auto& entry : kColorNames) {
        if (entry.Color == color) {
            return std::string(entry.Spelling);
        }
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "$";
    for (int shift = 28; shift >= 0; shift -= 4) {
        text += kHex[(color >> shift) & 0xF];
    }
    return text;
}

} // namespace vc
