// File names inside the program folder. Skins, lists and settings come from Windows, where names
// are not case sensitive and paths are written with "\": these helpers find such names on a case
// sensitive file system.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vc {

// The parts of a stored relative path split at "\" and "/", empty parts left out
// ("Default\Arrow" gives Default and Arrow).
std::vector<std::string> SplitStoredPath(std::string_view storedPath);

// Finds the stored relative path `name` below `folder`, comparing each part without regard to the
// case of ASCII letters; an exact spelling wins over other matches, then the first match in name
// order. Parts that cannot be found are appended as spelled, so the result is also the right place
// to create a missing file. "." parts are skipped; ".." is kept as written.
std::filesystem::path ResolveCaseless(const std::filesystem::path& folder, std::string_view name);

// Case-blind comparison of ASCII letters; other bytes must be equal.
bool SameFileName(std::string_view a, std::string_view b);

} // namespace vc
