// The files through which the desktop learns about the program: the autostart entry, the
// application entry that opens our file type and the shared-mime-info package that defines it.
// Their texts are built and read here; writing them is the platform implementation's business.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vc {

inline constexpr const char* kDesktopFileName = "velocrest.desktop";
inline constexpr const char* kMimePackageFileName = "velocrest.xml";
inline constexpr const char* kMimeTypeName = "application/x-velocrest";
inline constexpr const char* kFileTypeGlob = "*.velocrest";
inline constexpr const char* kFileTypeDescription = "Velocrest Stock selection";
// The icon theme name the install puts under share/icons/hicolor/.
inline constexpr const char* kIconName = "velocrest";

// One argument of an Exec line: in double quotes, with the quoting rules of desktop entries (", `,
// $ and \ escaped, "%" doubled) and then the string escapes of the file format. Nothing for an
// argument a desktop entry cannot carry (line breaks, NUL) or for an empty one.
std::optional<std::string> QuoteExecArgument(std::string_view argument);
// The first argument of an Exec value as stored in the file (both levels of escapes undone).
// Nothing for an empty or malformed value (an unterminated quote, a bad escape).
std::optional<std::string> FirstExecArgument(std::string_view storedExec);

// The stored value of key in the "[Desktop Entry]" group of a desktop entry file's text; the first
// one counts, localised variants ("Name[de]") are other keys. Nothing when absent.
std::optional<std::string> DesktopEntryValue(std::string_view fileText, std::string_view key);

// Both entries name the icon by its theme name (kIconName), so the desktop finds whichever size it
// needs in the installed icon theme.
// The entry that starts executablePath when the user logs in; nothing for an unquotable path.
std::optional<std::string> AutostartEntryText(std::string_view executablePath);
// The application entry that opens files of our type with executablePath.
std::optional<std::string> ApplicationEntryText(std::string_view executablePath);
// The shared-mime-info package for our file type.
std::string MimePackageText();

} // namespace vc
