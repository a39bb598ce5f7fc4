// URL encoding and decoding and the query-string lookup used by the web links and page parsers.
#pragma once

#include <string>
#include <string_view>

namespace vc {

// Letters, digits, "-", ".", "/", "\" and "|" stay; every other byte becomes "%" and two upper-case
// hexadecimal digits.
std::string UrlEncode(std::string_view text);
// For a value in a query string whose server is to read back exactly these bytes: letters, digits
// and "-._~!$'()*,;=:@/?" stay; every other byte ("%", "&", "#", "+", blanks, controls and bytes
// above 127 included) becomes "%" and two upper-case hexadecimal digits of that one byte.
std::string EncodeQueryValue(std::string_view text);
// Blanks, control bytes and bytes above 127 become "%" and two upper-case hexadecimal digits of
// that one byte; every other byte stays, so escapes already in the text are kept. For an address
// handed to a URL parser that would take high bytes for characters of its own.
std::string EscapeUnprintable(std::string_view text);
// "%" and two hexadecimal digits become that byte, "+" a blank; a "%" without two characters after
// it stays.
std::string UrlDecode(std::string_view text);
// As UrlDecode, but "+" stays "+": for paths and for query texts whose "+" means plus.
std::string PercentDecode(std::string_view text);
// The value after name + "=" in the text (name trimmed and compared without regard to case) up to
// the next "&", trimmed and decoded. The name must start the text or follow a character that cannot
// be part of a name ("?", "&", ";", a blank...), so "s" is not found in "symbols=". Empty when the
// name is not there or is empty.
std::string QueryValue(std::string_view text, std::string_view name);

} // namespace vc
