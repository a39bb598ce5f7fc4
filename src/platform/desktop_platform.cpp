#include "platform/desktop_platform.h"

#include "platform/plain_edge_dock.h"

namespace vc {

namespace {

class tUnheldInstanceLock : public tInstanceLock {
public:
    int Number() const override { return 1; }
};

} // namespace

std::string tNullDesktopPlatform::ExecutablePath() const {
    return {};
}

std::unique_ptr<tInstanceLock>
tNullDesktopPlatform::AcquireInstanceNumber(const std::string& /*programDir*/) {
    return std::make_unique<tUnheldInstanceLock>();
}

bool tNullDesktopPlatform::AutostartEnabled() const {
    return false;
}

bool tNullDesktopPlatform::EnableAutostart(const std::string& /*executablePath*/) {
    return false;
}

tFileTypeResult tNullDesktopPlatform::RegisterFileType(const std::string& /*executablePath*/) {
    return {};
}

bool tNullDesktopPlatform::StartProgram(const std::string& /*executablePath*/,
                                        const std::vector<std::string>& /*arguments*/) {
    return false;
}

void tNullDesktopPlatform::WatchSessionEnd(tSessionEndHandler /*handler*/) {}

std::unique_ptr<tScreenEdgeDock> tNullDesktopPlatform::CreateScreenEdgeDock() {
    return std::make_unique<tPlainEdgeDock>();
}

} // namespace vc
