#include "tape/profile.h"

#include <vector>

#include "tape/ini_text.h"
#include "toolkit/text.h"

namespace vc {

namespace {

constexpr std::size_t kReadLimit = 299;
constexpr std::size_t kWriteLimit = 300;

// The file in the scrambled form cannot be read or changed line by line: each line's text depends on
// every character before it.
bool IsScrambled(std::string_view bytes) {
    return !bytes.empty() && bytes.front() == '#';
}

// What one line of the file is, by the same rules tIniObject loads with.
struct tLine {
    std::string_view Text;
    bool IsHeader = false;
    bool InSection = false; // a header of, or a line below a header of, the section looked for
    bool IsKey = false;     // a "key=value" line of that section with the key looked for
    std::string_view Value;
};

std::vector<tLine> ClassifyLines(std::string_view bytes, std::string_view section, std::string_view key) {
    const std::string upperSection = UpperText(TrimView(section));
    const std::string upperKey = UpperText(TrimView(key));
    std::vector<tLine> lines;
    bool inSection = false;
    std::string lineKey;
    ini::ForEachLine(bytes, [&](std::string_view text) {
        tLine line;
        line.Text = text;
        const std::string_view trimmed = TrimView(text);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const std::string name = ini::SectionFromHeader(trimmed);
            line.IsHeader = true;
            inSection = !name.empty() && UpperText(name) == upperSection;
        } else if (inSection && ini::SplitKeyLine(text, lineKey, line.Value)) {
            line.IsKey = UpperText(lineKey) == upperKey;
        }
        line.InSection = inSection;
        lines.push_back(line);
    });
    return lines;
}

} // namespace

std::string ProfileReadString(const std::string& fileName, std::string_view section, std::string_view key,
                              std::string_view defaultValue) {
    std::string bytes;
    std::string_view found = defaultValue;
    // A file too large to be a settings file is not read at all, as tIniObject does not read it.
    const tReadResult result = ReadFileLimited(fileName, ini::MaxFileBytes(), bytes);
    if (result == tReadResult::Ok && !IsScrambled(bytes)) {
        for (const tLine& line : ClassifyLines(bytes, section, key)) {
            if (line.IsKey) {
                found = TrimView(line.Value);
                break;
            }
        }
    }
    return Trim(found.substr(0, kReadLimit));
}

int ProfileReadInteger(const std::string& fileName, std::string_view section, std::string_view key,
                       int defaultValue) {
    return ini::IntegerFromText(ProfileReadString(fileName, section, key, std::to_string(defaultValue)));
}

bool ProfileReadBool(const std::string& fileName, std::string_view section, std::string_view key,
                     bool defaultValue) {
    return ProfileReadInteger(fileName, section, key, defaultValue ? 1 : 0) != 0;
}

bool ProfileWriteString(const std::string& fileName, std::string_view section, std::string_view key,
                        std::string_view value, const tWriteFn& write) {
    const std::string_view sectionName = TrimView(section);
    const std::string_view keyName = TrimView(key).substr(0, kWriteLimit);
    value = value.substr(0, kWriteLimit);
    // A line break in the value would split it into lines of its own, a following "key=value" part
    // becoming a key of its own.
    value = value.substr(0, value.find_first_of("\r\n"));
    if (sectionName.empty() || keyName.empty() ||
        sectionName.find_first_of("\r\n") != std::string_view::npos ||
        keyName.find_first_of("\r\n=") != std::string_view::npos) {
        return false;
    }

    std::string bytes;
    const tReadResult result = ReadFileLimited(fileName, ini::MaxFileBytes(), bytes);
    if (result == tReadResult::Failed || result == tReadResult::Truncated || IsScrambled(bytes)) {
        return false;
    }
    const std::vector<tLine> lines = ClassifyLines(bytes, sectionName, keyName);

    std::string keyLine(keyName);
    keyLine += '=';
    keyLine += value;

    // Where the line goes: in place of the key's first line, else after the last non-empty line of
    // the section's first block, else in a new section at the end.
    std::size_t replace = lines.size();
    std::size_t insertAfter = lines.size();
    bool inFirstBlock = false;
    bool firstBlockSeen = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const tLine& line = lines[i];
        if (line.IsKey) {
            replace = i;
            break;
        }
        if (line.IsHeader) {
            inFirstBlock = line.InSection && !firstBlockSeen;
            if (inFirstBlock) {
                firstBlockSeen = true;
                insertAfter = i;
            }
        } else if (inFirstBlock && !TrimView(line.Text).empty()) {
            insertAfter = i;
        }
    }

    std::string out;
    out.reserve(bytes.size() + lines.size() + keyLine.size() + sectionName.size() + 16);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += i == replace ? std::string_view(keyLine) : lines[i].Text;
        out += "\r\n";
        if (replace == lines.size() && i == insertAfter) {
            out += keyLine;
            out += "\r\n";
        }
    }
    if (replace == lines.size() && !firstBlockSeen) {
        if (!lines.empty() && !TrimView(lines.back().Text).empty()) {
            out += "\r\n";
        }
        out += '[';
        out += sectionName;
        out += "]\r\n";
        out += keyLine;
        out += "\r\n";
    }
    return WriteFileAtomically(fileName, out, write);
}

} // namespace vc
