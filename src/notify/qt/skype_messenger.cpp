#include "notify/qt/skype_messenger.h"

#include "tape/ini_object.h"
#include "toolkit/file_names.h"
#include "toolkit/qt/win1252_codec.h"
#include "toolkit/text.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <ctime>
#include <filesystem>
#include <fstream>

namespace vc {

namespace {

namespace fs = std::filesystem;

std::int64_t MillisecondsSinceBoot() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Keeps the event loop running for a while.
void WaitMs(int ms) {
    if (ms <= 0) {
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void ProcessEventsTwice() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

bool IsFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

} // namespace

tSkypeMessenger::tSkypeMessenger(std::string programDir)
    : TickCount(MillisecondsSinceBoot), programDir_(std::move(programDir)) {}

std::string tSkypeMessenger::Send(tMessengerMode mode, std::string_view recipient, std::string_view text) {
    const fs::path tools = ResolveCaseless(programDir_, kMessengerFolder);
    // A service for this mode must be set up, or the helper has nothing to deliver through.
    const tIniObject settings(ResolveCaseless(tools, kMessengerSettings).string());
    if (Trim(settings.ReadString(MessengerSection(mode), "Service", "")).empty()) {
        return std::string(kMessengerNotInstalled);
    }
    const fs::path helper = ResolveCaseless(tools, kMessengerProgram);
    std::error_code ec;
    const bool exists = IsFile(helper);
    const fs::perms perms = fs::status(helper, ec).permissions();
    if (exists && (perms & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) ==
                      fs::perms::none) {
        return std::string(kMessengerLibraryMissing);
    }
    if (!exists) {
        return std::string(kMessengerNotFound);
    }

    const std::string request = std::to_string(TickCount());
    const fs::path log = tools / ("SkypeMsg_" + request + ".LOG");
    const QStringList arguments = {QString::fromStdString(MessengerModeArgument(mode)),
                                   QString::fromStdString(request), FromWin1252(Trim(recipient)),
                                   FromWin1252(MessengerText(text))};
    // Detached: the helper ends on its own within its deadline, and nobody waits for its exit.
    if (!QProcess::startDetached(QString::fromStdString(helper.string()), arguments,
                                 QString::fromStdString(tools.string()))) {
        return std::string(kMessengerStartFailed);
    }

    ProcessEventsTwice();
    WaitMs(Waits.BeforeMs);
    std::string result(kMessengerUnknownError);
    bool found = IsFile(log);
    if (!found) {
        QEventLoop loop;
        QTimer poll;
        QTimer deadline;
        deadline.setSingleShot(true);
        deadline.setTimerType(Qt::PreciseTimer);
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (IsFile(log)) {
                found = true;
                loop.quit();
            }
        });
        QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        poll.start(Waits.CheckEveryMs);
        deadline.start(Waits.PollMs);
        loop.exec();
    }
    if (found) {
        WaitMs(Waits.AfterMs);
        std::ifstream file(log, std::ios::binary);
        std::string line;
        if (!file) {
            result = std::string(kMessengerException);
        } else if (std::getline(file, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            // The helper writes its result in Windows-1252, as the program keeps its texts.
            result = line;
        }
        file.close();
        fs::remove(log, ec);
    }
    return result;
}

} // namespace vc
