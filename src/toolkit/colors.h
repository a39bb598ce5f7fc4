// Colour values as settings files and skins store them: 0x00BBGGRR, the framework's special values
// clNone and clDefault, and the system colours 0x80000000 + n. In files a colour is a name such as
// "clWhite" or a number ("$" or "0x" before hexadecimal digits, else decimal).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vc {

using tColor = std::uint32_t;

inline constexpr tColor kClBlack = 0x000000;
inline constexpr tColor kClMaroon = 0x000080;
inline constexpr tColor kClGreen = 0x008000;
inline constexpr tColor kClOlive = 0x008080;
inline constexpr tColor kClNavy = 0x800000;
inline constexpr tColor kClPurple = 0x800080;
inline constexpr tColor kClTeal = 0x808000;
inline constexpr tColor kClGray = 0x808080;
inline constexpr tColor kClSilver = 0xC0C0C0;
inline constexpr tColor kClRed = 0x0000FF;
inline constexpr tColor kClLime = 0x00FF00;
inline constexpr tColor kClYellow = 0x00FFFF;
inline constexpr tColor kClBlue = 0xFF0000;
inline constexpr tColor kClFuchsia = 0xFF00FF;
inline constexpr tColor kClAqua = 0xFFFF00;
inline constexpr tColor kClWhite = 0xFFFFFF;
inline constexpr tColor kClMoneyGreen = 0xC0DCC0;
inline constexpr tColor kClSkyBlue = 0xF0CAA6;
inline constexpr tColor kClCream = 0xF0FBFF;
inline constexpr tColor kClMedGray = 0xA4A0A0;
// "No colour": nothing is drawn.
inline constexpr tColor kClNone = 0x1FFFFFFF;
// "The control's own colour".
inline constexpr tColor kClDefault = 0x20000000;

// System colours: the desktop's colour number n (the Windows COLOR_ numbering) as 0x80000000 + n.
inline constexpr tColor kSystemColorBase = 0x80000000;
constexpr tColor SystemColor(unsigned index) {
    return kSystemColorBase + index;
}
constexpr bool IsSystemColor(tColor color) {
    return (color & 0xFF000000) == kSystemColorBase;
}
inline constexpr tColor kClScrollBar = SystemColor(0);
inline constexpr tColor kClBackground = SystemColor(1);
inline constexpr tColor kClActiveCaption = SystemColor(2);
inline constexpr tColor kClInactiveCaption = SystemColor(3);
inline constexpr tColor kClMenu = SystemColor(4);
inline constexpr tColor kClWindow = SystemColor(5);
inline constexpr tColor kClWindowFrame = SystemColor(6);
inline constexpr tColor kClMenuText = SystemColor(7);
inline constexpr tColor kClWindowText = SystemColor(8);
inline constexpr tColor kClCaptionText = SystemColor(9);
inline constexpr tColor kClActiveBorder = SystemColor(10);
inline constexpr tColor kClInactiveBorder = SystemColor(11);
inline constexpr tColor kClAppWorkSpace = SystemColor(12);
inline constexpr tColor kClHighlight = SystemColor(13);
inline constexpr tColor kClHighlightText = SystemColor(14);
inline constexpr tColor kClBtnFace = SystemColor(15);
inline constexpr tColor kClBtnShadow = SystemColor(16);
inline constexpr tColor kClGrayText = SystemColor(17);
inline constexpr tColor kClBtnText = SystemColor(18);
inline constexpr tColor kClInactiveCaptionText = SystemColor(19);
inline constexpr tColor kClBtnHighlight = SystemColor(20);
inline constexpr tColor kCl3DDkShadow = SystemColor(21);
inline constexpr tColor kCl3DLight = SystemColor(22);
inline constexpr tColor kClInfoText = SystemColor(23);
inline constexpr tColor kClInfoBk = SystemColor(24);
inline constexpr tColor kClHotLight = SystemColor(26);
inline constexpr tColor kClGradientActiveCaption = SystemColor(27);
inline constexpr tColor kClGradientInactiveCaption = SystemColor(28);
inline constexpr tColor kClMenuHighlight = SystemColor(29);
inline constexpr tColor kClMenuBar = SystemColor(30);

// A colour name (case ignored, e.g. "clWhite", "CLNONE") or a number: "$" or "0x" followed by one
// to eight hexadecimal digits, or a decimal number from -2147483648 to 4294967295 (negative values
// are the 32-bit pattern, as files written by 32-bit programs hold system colours). The text is
// taken as it is: surrounding blanks make it no colour. Nothing when it is neither.
std::optional<tColor> ColorFromText(std::string_view text);

// The colour's name when it has one ("clRed"), else "$" and eight hexadecimal digits.
std::string ColorText(tColor color);

} // namespace vc
