// A second process for the platform tests.
//   hold <programDir> [applicationName]: reserves an instance number, prints it (0 for none) and
//     keeps it until its standard input closes.
//   report <outFile> <args...>: writes its arguments and $VELOCREST_TEST_MARK to outFile, one a
//     line; the file appears complete or not at all.
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

#include "platform/qt/instance_lock_file.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 3 && args[1] == "hold") {
        if (args.size() >= 4) {
            QCoreApplication::setApplicationName(args[3]);
        }
        const std::unique_ptr<vc::tInstanceLock> lock =
            vc::AcquireInstanceNumber(QFile::encodeName(args[2]).toStdString());
        std::printf("%d\n", lock ? lock->Number() : 0);
        std::fflush(stdout);
        char byte;
        while (::read(0, &byte, 1) > 0) {
        }
        return 0;
    }
    if (args.size() >= 3 && args[1] == "report") {
        QSaveFile out(args[2]);
        if (!out.open(QIODevice::WriteOnly)) {
            return 1;
        }
        for (qsizetype i = 3; i < args.size(); ++i) {
            out.write(args[i].toUtf8() + "\n");
        }
        out.write(qgetenv("VELOCREST_TEST_MARK") + "\n");
        return out.commit() ? 0 : 1;
    }
    return 2;
}
