// Text conversions of the messenger helper: the program's Windows-1252 bytes to the UTF-8 that web
// services expect and back for the log, and the encodings the request bodies and addresses need.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vc::skypemsg {

bool IsValidUtf8(std::string_view bytes);
// Every byte has a character; the five bytes Windows-1252 leaves undefined become U+0081, U+008D,
// U+008F, U+0090 and U+009D, as the program's own codec reads them.
std::string Win1252ToUtf8(std::string_view bytes);
// For the log, which the program reads as Windows-1252: a character Windows-1252 cannot hold and
// every byte of a broken sequence become "?".
std::string Utf8ToWin1252(std::string_view utf8);
// A command-line argument or a settings value as UTF-8. Started through QProcess the program's texts
// arrive in UTF-8 already (Qt encodes arguments that way), and a settings file edited on Linux is
// UTF-8 too; anything that is not valid UTF-8 is Windows-1252. A Windows-1252 text that also reads
// as UTF-8 would need letter pairs such as "Ã©", which these texts do not contain.
std::string AsUtf8(std::string_view bytes);

// The program writes a line break as "|" because its command line is one line.
std::string BarsToLineBreaks(std::string_view text);
// The recipients of one message, separated by ";" or ","; each trimmed, empty ones dropped.
std::vector<std::string> SplitRecipients(std::string_view recipients);
// Blanks and tabs removed from both ends.
std::string TrimBlanks(std::string_view text);

// A JSON string literal, quotes included. Control characters are escaped; other bytes are kept, so
// the result is valid UTF-8 exactly when the input is.
std::string JsonString(std::string_view utf8);
// application/x-www-form-urlencoded: letters, digits and "*-._" stay, a blank becomes "+", every
// other byte "%" and two upper-case hexadecimal digits.
std::string FormEncode(std::string_view utf8);
// Percent-encoding for one segment of a path: the unreserved characters of RFC 3986
// (letters, digits, "-._~") and those in keep stay, every other byte is escaped.
std::string PercentEncode(std::string_view utf8, std::string_view keep = {});
std::string Base64(std::string_view bytes);

// A text for one line of the log: line breaks, tabs and other control characters become blanks,
// runs of blanks one blank, the ends trimmed, and at most maxChars characters kept.
std::string OneLine(std::string_view utf8, std::size_t maxChars);

} // namespace vc::skypemsg
