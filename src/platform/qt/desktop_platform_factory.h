// The one place where the desktop's implementation of tDesktopPlatform is chosen.
#pragma once

#include <memory>

#include "platform/desktop_platform.h"
#include "platform/xdg_dirs.h"

namespace vc {

// The desktop of this build: lock files in the program folder, XDG autostart, shared-mime-info and
// desktop entries, QProcess, and the termination signals and session manager of a QGuiApplication.
// env names the user's folders (the process's environment in the program, temporary folders in
// tests).
std::unique_ptr<tDesktopPlatform> CreateDesktopPlatform(const tEnvLookup& env = SystemEnvironment());

} // namespace vc
