// The one place where text crosses between the program's Windows-1252 bytes and Qt's QString.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace vc {

// Every byte has a character: 0x80..0x9F are the Windows-1252 punctuation and letters (euro sign,
// curly quotes, dashes ...); the five bytes Windows-1252 leaves undefined become U+0081, U+008D,
// U+008F, U+0090 and U+009D.
QString FromWin1252(std::string_view bytes);

// The reverse; a character Windows-1252 cannot hold becomes one "?" (a surrogate pair, being one
// character, gives one "?").
std::string ToWin1252(const QString& text);

} // namespace vc
