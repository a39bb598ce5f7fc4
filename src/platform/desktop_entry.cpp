#include "platform/desktop_entry.h"

namespace vc {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// The string escapes of the file format: \s \n \t \r \\.
std::optional<std::string> UnescapeString(std::string_view stored) {
    std::string text;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] != '\\') {
            text += stored[i];
            continue;
        }
        if (++i == stored.size()) {
            return std::nullopt;
        }
        switch (stored[i]) {
        case 's':
            text += ' ';
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'r':
            text += '\r';
            break;
        case '\\':
            text += '\\';
            break;
        default:
            return std::nullopt;
        }
    }
    return text;
}

std::string EntryText(const std::string& exec, std::string_view extraLines) {
    return std::string("[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Velocrest\n"
                       "Comment=Stock ticker tape with price alerts\n"
                       "Icon=") +
           kIconName + "\nExec=" + exec + "\nTerminal=false\n" + std::string(extraLines);
}

} // namespace

std::optional<std::string> QuoteExecArgument(std::string_view argument) {
    if (argument.empty()) {
        return std::nullopt;
    }
    std::string quoted = "\"";
    for (const char c : argument) {
        switch (c) {
        case '\n':
        case '\r':
        case '\0':
            return std::nullopt;
        case '"':
        case '`':
        case '$':
        case '\\':
            quoted += '\\';
            quoted += c;
            break;
        case '%':
            quoted += "%%";
            break;
        default:
            quoted += c;
        }
    }
    quoted += '"';
    // The file format's string escapes come on top: every backslash is doubled.
    std::string stored;
    for (const char c : quoted) {
        stored += c;
        if (c == '\\') {
            stored += c;
        }
    }
    return stored;
}

std::optional<std::string> FirstExecArgument(std::string_view storedExec) {
    const std::optional<std::string> unescaped = UnescapeString(TrimBlanks(storedExec));
    if (!unescaped || unescaped->empty()) {
        return std::nullopt;
    }
    const std::string& exec = *unescaped;
    std::string argument;
    std::size_t i = 0;
    if (exec[0] == '"') {
        for (i = 1; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\') {
                if (i + 1 == exec.size()) {
                    return std::nullopt;
                }
                const char next = exec[i + 1];
                if (next != '"' && next != '`' && next != '$' && next != '\\') {
                    return std::nullopt;
                }
                ++i;
            }
            argument += exec[i];
        }
        if (i == exec.size()) {
            return std::nullopt;
        }
    } else {
        for (; i < exec.size() && !IsBlank(exec[i]) && exec[i] != '\n'; ++i) {
            argument += exec[i];
        }
    }
    // "%%" is a literal "%"; other field codes do not belong in a program's path.
    std::string path;
    for (std::size_t k = 0; k < argument.size(); ++k) {
        if (argument[k] == '%') {
            if (k + 1 == argument.size() || argument[k + 1] != '%') {
                return std::nullopt;
            }
            ++k;
        }
        path += argument[k];
    }
    if (path.empty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<std::string> DesktopEntryValue(std::string_view fileText, std::string_view key) {
    bool inEntryGroup = false;
    std::size_t start = 0;
    while (start < fileText.size()) {
        std::size_t end = fileText.find('\n', start);
        if (end == std::string_view::npos) {
            end = fileText.size();
        }
        const std::string_view line = TrimBlanks(fileText.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            inEntryGroup = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inEntryGroup || equals == std::string_view::npos) {
            continue;
        }
        if (TrimBlanks(line.substr(0, equals)) == key) {
            return std::string(TrimBlanks(line.substr(equals + 1)));
        }
    }
    return std::nullopt;
}

std::optional<std::string> AutostartEntryText(std::string_view executablePath) {
    const std::optional<std::string> exec = QuoteExecArgument(executablePath);
    if (!exec) {
        return std::nullopt;
    }
    return EntryText(*exec, "X-GNOME-Autostart-enabled=true\n");
}

std::optional<std::string> ApplicationEntryText(std::string_view executablePath) {
    const std::optional<std::string> exec = QuoteExecArgument(executablePath);
    if (!exec) {
        return std::nullopt;
    }
    return EntryText(*exec + " %f",
                     std::string("MimeType=") + kMimeTypeName + ";\nCategories=Office;Finance;\n");
}

std::string MimePackageText() {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                       "  <mime-type type=\"") +
           kMimeTypeName +
           "\">\n"
           "    <comment>" +
           kFileTypeDescription +
           "</comment>\n"
           "    <sub-class-of type=\"text/plain\"/>\n"
           "    <glob pattern=\"" +
           kFileTypeGlob +
           "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

} // namespace vc
