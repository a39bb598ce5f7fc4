// The line rules of the settings-file text, shared by tIniObject and the single-key accessors so
// both read a file the same way: line breaks, section headers, key lines, number texts, and the
// limits that keep a damaged or hostile file from taking the program's memory.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace vc::ini {

// The largest tape the program writes (a few hundred items with 50 price records each) is about
// 2 MiB. A file past 256 MiB is not a settings file: it is not read at all (reading a part of it
// and saving that would lose the rest), so memory stays bounded whatever the file holds. Lines have
// no limit of their own: a long value comes back as it was saved.
inline constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;
// The limit in force: kMaxFileBytes, lowered by tests that need an over-limit file without writing
// 256 MiB.
std::size_t MaxFileBytes();
void SetMaxFileBytes(std::size_t limit);
// A regular file larger than MaxFileBytes, or holding more values than kMaxValues, is at fileName.
bool IsTooLarge(const std::string& fileName);
// Suffix of the name a file over the limit is kept under before anything overwrites it.
inline constexpr const char* kTooLargeSuffix = ".too-large";
// When the file is larger than MaxFileBytes, renames it to fileName + kTooLargeSuffix (or, when
// that is taken, + "-2", "-3", ...; an existing file is never overwritten) and returns the new
// name; else, or when it cannot be renamed, returns an empty text.
std::string SetAsideIfTooLarge(const std::string& fileName);
// Whether a save may take fileName's place: true when the file is not too large, or once it has
// been kept aside (SetAsideIfTooLarge); false when it is too large and could not be renamed.
bool MayBeReplaced(const std::string& fileName);
// Tiny lines cost far more in memory than in the file (an entry of "a=" is 3 bytes on disk and about
// a hundred in memory); a file of more than a million values (40 times the largest tape) is refused
// whole like a file over the size limit, never read in part and saved back without the rest.
inline constexpr std::size_t kMaxValues = 1'000'000;
// More lines that could hold a value ("key=value") than kMaxValues.
bool HasTooManyValues(std::string_view bytes);

// Position of c at or after from, or npos; memchr is far quicker than a loop over characters.
inline std::size_t FindChar(std::string_view text, char c, std::size_t from) {
    if (from >= text.size()) {
        return std::string_view::npos;
    }
    const void* found = std::memchr(text.data() + from, c, text.size() - from);
    return found == nullptr ? std::string_view::npos
                            : static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
}

// Position of the first CR or LF, or npos.
inline std::size_t FindLineBreak(std::string_view text) {
    return std::min(FindChar(text, '\r', 0), FindChar(text, '\n', 0));
}

// Calls lineFn(std::string_view line) for each line of bytes. CR LF, LF and a lone CR each end a
// line; the break is not part of the line. A last line without a break still counts.
template <class F>
void ForEachLine(std::string_view bytes, F&& lineFn) {
    const std::size_t size = bytes.size();
    // The next CR and the next LF are each looked for again only once passed, so a file that uses
    // only one kind of break is not searched to its end for the other on every line.
    std::size_t nextCr = FindChar(bytes, '\r', 0);
    std::size_t nextLf = FindChar(bytes, '\n', 0);
    std::size_t start = 0;
    while (start < size) {
        if (nextCr < start) {
            nextCr = FindChar(bytes, '\r', start);
        }
        if (nextLf < start) {
            nextLf = FindChar(bytes, '\n', start);
        }
        const std::size_t end = std::min(nextCr, nextLf);
        if (end == std::string_view::npos) {
            lineFn(bytes.substr(start));
            return;
        }
        lineFn(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < size && bytes[start] == '\n') {
            ++start;
        }
    }
}

// How many LF characters bytes holds.
inline std::size_t CountLineFeeds(std::string_view bytes) {
    std::size_t count = 0;
    for (std::size_t at = FindChar(bytes, '\n', 0); at != std::string_view::npos;
         at = FindChar(bytes, '\n', at + 1)) {
        ++count;
    }
    return count;
}

// The section named by a header line (already trimmed, beginning with "["): the name after "[", at
// most 255 characters of it, trimmed, without its last character (normally the "]"), trimmed again.
std::string SectionFromHeader(std::string_view trimmedLine);

// Splits a key line at its first "=": the key trimmed, the value as it is. False when the line has
// no "=" or the key is empty.
bool SplitKeyLine(std::string_view line, std::string& key, std::string_view& value);

// The integer encoding: trimmed, read as a decimal number, truncated toward zero and held to the
// int range; empty or malformed text is 0.
int IntegerFromText(std::string_view text);
// The float encoding: trimmed, read as a decimal number with "." as decimal mark; empty, malformed
// or not finite is 0.
double FloatFromText(std::string_view text);

} // namespace vc::ini
