// The skins below a program folder: every folder under "SKINS" that holds a "Skin.INI".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vc {

// Skin names, parts joined with "\" and spelled as on disk ("Classic\Blue"), in search order:
// in each folder its own Skin.INI first, then its sub-folders one after the other, taken in
// name order (case ignored) so that the menu does not change from one start to the next. A
// "Skin.INI" directly in SKINS has no name and is left out. Linked folders are followed once.
std::vector<std::string> FindSkins(const std::filesystem::path& programDir);

// Whether two stored skin names name the same skin: case ignored, "\" and "/" alike.
bool SameSkinName(std::string_view a, std::string_view b);
// A stored skin name that stays inside SKINS: not empty and without "." or ".." parts.
bool IsSafeSkinName(std::string_view name);

inline constexpr std::string_view kSkinsFolder = "SKINS";
inline constexpr std::string_view kSkinFile = "Skin.INI";
inline constexpr std::string_view kDefaultSkinName = "Default\\Arrow";

} // namespace vc
