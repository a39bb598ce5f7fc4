#include "platform/qt/desktop_processes.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace vc {

namespace {

QString LocalPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QStringList ArgumentList(const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments) {
        list << LocalPath(argument);
    }
    return list;
}

} // namespace

bool StartProgram(const std::string& executablePath, const std::vector<std::string>& arguments) {
    if (executablePath.empty()) {
        return false;
    }
    return QProcess::startDetached(LocalPath(executablePath), ArgumentList(arguments));
}

void RunDesktopTool(const std::string& program, const std::vector<std::string>& arguments) {
    const QString found = QStandardPaths::findExecutable(LocalPath(program));
    if (!found.isEmpty()) {
        QProcess::startDetached(found, ArgumentList(arguments));
    }
}

} // namespace vc
