#include "platform/qt/desktop_platform_factory.h"

#include <QCoreApplication>
#include <QFile>

#include "platform/qt/desktop_processes.h"
#include "platform/qt/instance_lock_file.h"
#include "platform/qt/screen_edge_dock_factory.h"
#include "platform/qt/session_end_watcher.h"

namespace vc {

namespace {

class tXdgDesktopPlatform : public tDesktopPlatform {
public:
    explicit tXdgDesktopPlatform(const tEnvLookup& env) : paths_(DesktopFilePathsFor(env)) {}

    std::string ExecutablePath() const override {
        if (QCoreApplication::instance() == nullptr) {
            return {};
        }
        return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    }

    std::unique_ptr<tInstanceLock> AcquireInstanceNumber(const std::string& programDir) override {
        return vc::AcquireInstanceNumber(programDir);
    }

    bool AutostartEnabled() const override { return AutostartEntryExists(paths_); }

    bool EnableAutostart(const std::string& executablePath) override {
        return WriteAutostartEntry(paths_, executablePath);
    }

    tFileTypeResult RegisterFileType(const std::string& executablePath) override {
        return vc::RegisterFileType(paths_, executablePath, RunDesktopTool);
    }

    bool StartProgram(const std::string& executablePath, const std::vector<std::string>& arguments) override {
        return vc::StartProgram(executablePath, arguments);
    }

    void WatchSessionEnd(tSessionEndHandler handler) override {
        // The old watcher gives the signals back before the new one takes them.
        watcher_.reset();
        if (handler) {
            watcher_ = std::make_unique<tSessionEndWatcher>(std::move(handler));
        }
    }

    std::unique_ptr<tScreenEdgeDock> CreateScreenEdgeDock() override { return vc::CreateScreenEdgeDock(); }

private:
    tDesktopFilePaths paths_;
    std::unique_ptr<tSessionEndWatcher> watcher_;
};

} // namespace

std::unique_ptr<tDesktopPlatform> CreateDesktopPlatform(const tEnvLookup& env) {
    return std::make_unique<tXdgDesktopPlatform>(env);
}

} // namespace vc
