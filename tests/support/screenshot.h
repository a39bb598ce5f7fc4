// Where tests leave the pictures they draw for a person to look at: build/<preset>/screenshots,
// or the folder $VELOCREST_SCREENSHOT_DIR names.
#pragma once

#include <filesystem>
#include <string_view>

namespace vc::test {

// The path of a picture file in the screenshot folder, which is created when missing.
std::filesystem::path ScreenshotPath(std::string_view fileName);

} // namespace vc::test
