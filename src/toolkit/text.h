// Text helpers over Windows-1252 byte strings: "|"-separated fields, replacing, trimming, the
// program's upper-case rule and number texts with "." as decimal mark whatever the locale.
#pragma once

#include <string>
#include <string_view>

namespace vc {

// Upper case: ASCII letters and the Western accented small letters (à á â ä å æ ç è é ê ë ï ñ ô ö û ü)
// to their capitals; every other byte unchanged. Symbols, names and keys are compared this way.
std::string UpperText(std::string_view text);
// Only ASCII A..Z to lower case.
std::string LowerText(std::string_view text);
char UpperChar(char c);

// Remove the space character (only that) from both ends, the start, or the end.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

} // namespace vc
