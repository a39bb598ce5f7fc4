#include "display/skin_list.h"

#include "toolkit/file_names.h"
#include "toolkit/text.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace vc {
namespace {

namespace fs = std::filesystem;

// Deep enough for any real skin tree, shallow enough to stop a runaway one.
constexpr int kMaxDepth = 16;

void Search(const fs::path& folder, const std::string& name, int depth, std::set<fs::path>& seen,
            std::vector<std::string>& skins) {
    std::error_code ec;
    const fs::path canonical = fs::canonical(folder, ec);
    if (ec || !seen.insert(canonical).second) {
        return;
    }
    std::vector<std::string> folders;
    bool hasSkin = false;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            folders.push_back(entry);
        } else if (SameFileName(entry, kSkinFile) && it->is_regular_file(typeError)) {
            hasSkin = true;
        }
    }
    if (hasSkin && !name.empty()) {
        skins.push_back(name);
    }
    if (depth >= kMaxDepth) {
        return;
    }
    std::sort(folders.begin(), folders.end(), [](const std::string& a, const std::string& b) {
        const std::string la = LowerText(a);
        const std::string lb = LowerText(b);
        return la != lb ? la < lb : a < b;
    });
    for (const std::string& sub : folders) {
        Search(folder / sub, name.empty() ? sub : name + "\\" + sub, depth + 1, seen, skins);
    }
}

} // namespace

std::vector<std::string> FindSkins(const fs::path& programDir) {
    std::vector<std::string> skins;
    std::set<fs::path> seen;
    const fs::path root = ResolveCaseless(programDir, kSkinsFolder);
    std::error_code ec;
    if (fs::is_directory(root, ec)) {
        Search(root, "", 0, seen, skins);
    }
    return skins;
}

bool SameSkinName(std::string_view a, std::string_view b) {
    const std::vector<std::string> left = SplitStoredPath(a);
    const std::vector<std::string> right = SplitStoredPath(b);
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](const std::string& x, const std::string& y) { return SameFileName(x, y); });
}

bool IsSafeSkinName(std::string_view name) {
    const std::vector<std::string> parts = SplitStoredPath(name);
    return !parts.empty() && std::none_of(parts.begin(), parts.end(), [](const std::string& part) {
        return part == "." || part == "..";
    });
}

} // namespace vc
