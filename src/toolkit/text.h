// Text helpers over Windows-1252 byte strings: "|"-separated fields, replacing, trimming, the
// program's upper-case rule and number texts with "." as decimal mark whatever the locale.
#pragma once

#include <string>
#include <string_view>

namespace vc {

inline constexpr char kFieldSeparator = '|';

// Upper case: ASCII letters and the Western accented small letters (à á â ä å æ ç è é ê ë ï ñ ô ö û ü)
// to their capitals; every other byte unchanged. Symbols, names and keys are compared this way.
std::string UpperText(std::string_view text);
// Only ASCII A..Z to lower case.
std::string LowerText(std::string_view text);
char UpperChar(char c);

// Remove the space character (only that) from both ends, the start, or the end.
std::string Trim(std::string_view text);
// Trim without a copy: the view of text without its leading and trailing spaces.
std::string_view TrimView(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// Fields are separated by "|" and counted from 1.
// The n-th field; empty when the text has fewer fields.
std::string Field(std::string_view text, int n);
// The number of "|" characters (the text has this many fields plus one).
int FieldCount(std::string_view text);
// Number of the first field of list equal to key, both trimmed and upper-cased; 0 when none.
int FieldIndex(std::string_view list, std::string_view key);
// The text with field n replaced and every other field kept; a text with fewer fields is padded.
std::string ReplaceField(std::string_view text, int n, std::string_view value);

// Every occurrence of from replaced, left to right; an inserted text is never searched again.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
// As ReplaceAll, matching from by the upper-case rule.
std::string ReplaceAllCaseless(std::string_view text, std::string_view from, std::string_view to);

// Text after the first ch; empty when ch does not occur.
std::string After(std::string_view text, char ch);
// Text before the first ch; the whole text when ch does not occur.
std::string Before(std::string_view text, char ch);
// Text after the last ch; the whole text when ch does not occur.
std::string AfterLast(std::string_view text, char ch);
// Text before the last ch; empty when ch does not occur.
std::string BeforeLast(std::string_view text, char ch);

std::string RemoveChar(std::string_view text, char ch);
int CountChar(std::string_view text, char ch);
// The last n characters (the whole text when it is shorter).
std::string Right(std::string_view text, int n);

// The decimal number a text begins with ("." as decimal mark; leading blanks and a sign allowed);
// 0 when it does not begin with one (as "N/A").
double ToNumber(std::string_view text);
// ToNumber truncated toward zero, held to the int range.
int ToInteger(std::string_view text);
// An optional sign, then digits with at most one "."; at least one digit.
bool IsNumber(std::string_view text);
// Fixed-point text with "." as decimal mark, right-aligned in width and cut to width characters;
// the cut only ever drops decimals, a whole part wider than width is kept whole. With 0 decimals,
// 0.0001 is added before rounding. NaN and infinities are written as 0; width <= 0 gives "".
std::string FormatFixed(double value, int width, int decimals);
// Trimmed; a number with a "." loses its trailing zeros and then a trailing "." (".0" gives "0").
std::string TrimZeros(std::string_view text);
// A value as the program writes numbers into texts: 6 decimals at most, trailing zeros removed.
std::string NumberText(double value);
// The value rounded, without decimals.
std::string WholeText(double value);

} // namespace vc
