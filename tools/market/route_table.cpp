#include "route_table.h"

namespace vc::sim {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Calls visit(name, value) for each "&"-separated pair until it returns true.
template <typename Visit>
bool FindPair(std::string_view query, std::string_view name, Visit visit) {
    std::size_t start = 0;
    while (start <= query.size()) {
        std::size_t end = query.find('&', start);
        if (end == std::string_view::npos) {
            end = query.size();
        }
        const std::string_view pair = query.substr(start, end - start);
        const std::size_t eq = pair.find('=');
        const std::string_view key = pair.substr(0, eq);
        if (PercentDecode(key) == name) {
            visit(eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1));
            return true;
        }
        start = end + 1;
    }
    return false;
}

} // namespace

std::string PercentDecode(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
            HexDigit(text[i + 2]) >= 0) {
            result.push_back(static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
            i += 2;
        } else {
            result.push_back(text[i]);
        }
    }
    return result;
}

std::string RawQueryValue(std::string_view query, std::string_view name) {
    std::string value;
    FindPair(query, name, [&](std::string_view raw) { value = raw; });
    return value;
}

bool HasQueryValue(std::string_view query, std::string_view name) {
    return FindPair(query, name, [](std::string_view) {});
}

void tRouteTable::Add(const std::string& path, tPage page) {
    pages_[path] = std::move(page);
}

tResponse tRouteTable::Dispatch(const tRequest& request) const {
    const auto it = pages_.find(PercentDecode(request.Path));
    if (it == pages_.end()) {
        return {404, "text/plain", "Not Found\r\n"};
    }
    if (request.Method != "GET") {
        return {405, "text/plain", "Method Not Allowed\r\n"};
    }
    return it->second(request);
}

std::vector<std::string> tRouteTable::Paths() const {
    std::vector<std::string> paths;
    for (const auto& [path, page] : pages_) {
        paths.push_back(path);
    }
    return paths;
}

} // namespace vc::sim
