#include "route_table.h"

namespace vc::sim {

namespace {

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
