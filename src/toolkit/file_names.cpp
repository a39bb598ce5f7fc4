#include "toolkit/file_names.h"

#include <system_error>

namespace vc {
namespace {

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

} // namespace

std::vector<std::string> SplitStoredPath(std::string_view storedPath) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : storedPath) {
        if (c == '\\' || c == '/') {
            if (!part.empty()) {
                parts.push_back(std::move(part));
                part.clear();
            }
        } else {
            part += c;
        }
    }
    if (!part.empty()) {
        parts.push_back(std::move(part));
    }
    return parts;
}

bool SameFileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::filesystem::path ResolveCaseless(const std::filesystem::path& folder, std::string_view name) {
    std::filesystem::path result = folder;
    bool searching = true;
    for (const std::string& part : SplitStoredPath(name)) {
        if (part == ".") {
            continue;
        }
        if (searching && part != "..") {
            std::error_code ec;
            if (!std::filesystem::exists(result / part, ec)) {
                std::string best;
                for (auto it = std::filesystem::directory_iterator(result, ec);
                     !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
                    const std::string entry = it->path().filename().string();
                    if (SameFileName(entry, part) && (best.empty() || entry < best)) {
                        best = entry;
                    }
                }
                if (!best.empty()) {
                    result /= best;
                    continue;
                }
                // Nothing below a missing folder can exist either.
                searching = false;
            }
        }
        result /= part;
    }
    return result;
}

} // namespace vc
