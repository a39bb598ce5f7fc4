// SkypeMsg: delivers one chat message or SMS of the program through a web service and leaves the
// outcome in SkypeMsg_<request>.LOG in the working folder, whose first line is empty on success and
// the error otherwise. Exit code 0 on success, 1 on failure, 2 on bad arguments.
//
//   SkypeMsg /MSG|/SMS <request> <recipient[;recipient...]> <text with "|" for line breaks>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "message_request.h"
#include "qt/http_sender.h"
#include "tape/ini_object.h"

namespace {

using namespace vc::skypemsg;

// The program starts the helper in its TOOLS folder; a helper started from elsewhere still finds
// the settings beside itself.
std::string SettingsPath() {
    const QString here = QDir::current().filePath(QString::fromLatin1(kSettingsFileName));
    if (QFileInfo::exists(here)) {
        return QFile::encodeName(here).toStdString();
    }
    return QFile::encodeName(
               QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kSettingsFileName)))
        .toStdString();
}

int Finish(const std::string& folder, const std::string& request, const std::string& error, int code) {
    if (!error.empty()) {
        std::fprintf(stderr, "SkypeMsg: %s\n", error.c_str());
    }
    if (!request.empty() && !WriteLog(folder, request, error)) {
        std::fprintf(stderr, "SkypeMsg: cannot write %s in %s\n", LogFileName(request).c_str(),
                     folder.c_str());
        return code == 0 ? 1 : code;
    }
    return code;
}

} // namespace

int main(int argc, char** argv) {
    // The arguments' bytes as the program gave them, before Qt reads any of them.
    const std::vector<std::string> args(argv + 1, argv + argc);
    QCoreApplication app(argc, argv);
    const std::string folder = QFile::encodeName(QDir::currentPath()).toStdString();

    const tArguments parsed = ParseArguments(args);
    if (!parsed.Message) {
        return Finish(folder, parsed.Request, parsed.Error, 2);
    }
    tMessage message = *parsed.Message;
    message.Stamp = QDateTime::currentMSecsSinceEpoch();

    const vc::tIniObject settings(SettingsPath());
    const tPlan plan = PlanDelivery(settings, message);
    std::string error = plan.Error;
    if (error.empty()) {
        tHttpSender sender(DeadlineMs(std::getenv("VELOCREST_SKYPEMSG_DEADLINE_MS")));
        error = sender.SendAll(plan);
    }
    return Finish(folder, parsed.Request, error, error.empty() ? 0 : 1);
}
