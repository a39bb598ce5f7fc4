#include "platform_helper_process.h"

#include <QFile>

namespace vc::test {

namespace {
// Generous: only a hung helper comes near it.
constexpr int kHangGuardMs = 20000;
} // namespace

QString PlatformHelperPath() {
    return QStringLiteral(VELOCREST_PLATFORM_HELPER);
}

tLockHolder::tLockHolder(const std::string& programDir, const QString& applicationName) {
    QStringList arguments{QStringLiteral("hold"), QFile::decodeName(QByteArray::fromStdString(programDir))};
    if (!applicationName.isEmpty()) {
        arguments << applicationName;
    }
    process_.start(PlatformHelperPath(), arguments);
}

tLockHolder::~tLockHolder() {
    if (process_.state() != QProcess::NotRunning) {
        Kill();
    }
}

int tLockHolder::Number() {
    while (number_ < 0 && !process_.canReadLine() && process_.waitForReadyRead(kHangGuardMs)) {
    }
    if (number_ < 0 && process_.canReadLine()) {
        number_ = process_.readLine().trimmed().toInt();
    }
    return number_;
}

void tLockHolder::Release() {
    process_.closeWriteChannel();
    process_.waitForFinished(kHangGuardMs);
}

void tLockHolder::Kill() {
    process_.kill();
    process_.waitForFinished(kHangGuardMs);
}

} // namespace vc::test
