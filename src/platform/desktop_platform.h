// What the program asks of the desktop it runs on, as one interface: its instance number, the start
// at login, the file type, starting a further instance, the end of the session and the dock at the
// screen's edge. The platform's
// implementation is chosen in one place (platform/qt/desktop_platform_factory.h); tests and builds
// without a desktop use tNullDesktopPlatform.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop_files.h"
#include "platform/instance_lock.h"
#include "platform/screen_edge_dock.h"

namespace vc {

enum class tSessionEnd {
    Signal,         // SIGTERM or SIGINT: the program is to save and quit
    SessionManager, // the desktop session ends: save now, the session manager ends the process
};

// Runs on the event loop, never inside a signal handler: save like a close, without asking.
using tSessionEndHandler = std::function<void(tSessionEnd reason)>;

class tDesktopPlatform {
public:
    virtual ~tDesktopPlatform() = default;

    // The full path of the running executable; empty when it cannot be told.
    virtual std::string ExecutablePath() const = 0;

    // Reserves the lowest free instance number in programDir for as long as the returned lock
    // lives; locks of processes that died are taken over. Nothing when no number can be reserved
    // (the folder is not writable, or every number is taken).
    virtual std::unique_ptr<tInstanceLock> AcquireInstanceNumber(const std::string& programDir) = 0;

    // Whether the program is set to start at login.
    virtual bool AutostartEnabled() const = 0;
    // Sets the program to start at login by running executablePath; false when that failed.
    virtual bool EnableAutostart(const std::string& executablePath) = 0;

    // Registers the file type "*.velocrest" to be opened by executablePath.
    virtual tFileTypeResult RegisterFileType(const std::string& executablePath) = 0;

    // Starts executablePath with arguments and this process's environment, not waited for; false
    // when it could not be started.
    virtual bool StartProgram(const std::string& executablePath,
                              const std::vector<std::string>& arguments) = 0;

    // From now on a termination signal or the end of the desktop session calls handler on the event
    // loop. A later call replaces the handler; an empty handler stops the watch.
    virtual void WatchSessionEnd(tSessionEndHandler handler) = 0;

    // The dock the docked window reserves its strip through, for the window system in use.
    virtual std::unique_ptr<tScreenEdgeDock> CreateScreenEdgeDock() = 0;
};

// A desktop that offers nothing: always instance 1, no autostart, no file type, nothing started,
// no session end.
class tNullDesktopPlatform : public tDesktopPlatform {
public:
    std::string ExecutablePath() const override;
    std::unique_ptr<tInstanceLock> AcquireInstanceNumber(const std::string& programDir) override;
    bool AutostartEnabled() const override;
    bool EnableAutostart(const std::string& executablePath) override;
    tFileTypeResult RegisterFileType(const std::string& executablePath) override;
    bool StartProgram(const std::string& executablePath, const std::vector<std::string>& arguments) override;
    void WatchSessionEnd(tSessionEndHandler handler) override;
    // The plain dock that reserves nothing.
    std::unique_ptr<tScreenEdgeDock> CreateScreenEdgeDock() override;
};

} // namespace vc
