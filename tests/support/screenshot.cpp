#include "screenshot.h"

#include <cstdlib>
#include <system_error>

namespace vc::test {

std::filesystem::path ScreenshotPath(std::string_view fileName) {
    const char* configured = std::getenv("VELOCREST_SCREENSHOT_DIR");
    const std::filesystem::path folder =
        configured != nullptr && *configured != '\0'
            ? std::filesystem::path(configured)
            : std::filesystem::path(VELOCREST_BINARY_DIR_FALLBACK) / "screenshots";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return folder / fileName;
}

} // namespace vc::test
