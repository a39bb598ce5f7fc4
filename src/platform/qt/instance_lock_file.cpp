#include "platform/qt/instance_lock_file.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace vc {

namespace {

class tLockFileInstanceLock : public tInstanceLock {
public:
    tLockFileInstanceLock(std::unique_ptr<QLockFile> file, int number)
        : file_(std::move(file)), number_(number) {}
    int Number() const override { return number_; }

private:
    std::unique_ptr<QLockFile> file_;
    int number_;
};

// A lock file is written just after it is created, so one without readable contents is either
// being written this instant or was left by a crash at that instant. Past this age it is the latter.
constexpr qint64 kUnreadableLockGraceMs = 60 * 1000;

// Removes a lock file whose contents name no process once it is old enough; QLockFile itself keeps
// such a file for ever when locks do not go stale by age. The ".rmlock" beside it is the one QLockFile
// takes for its own stale removals, so two starting instances never remove each other's fresh lock.
void RemoveUnreadableLock(QLockFile& file, const QString& name) {
    qint64 pid = 0;
    QString host;
    QString application;
    if (file.getLockInfo(&pid, &host, &application)) {
        return;
    }
    QLockFile removal(name + QStringLiteral(".rmlock"));
    if (!removal.tryLock(0) || file.getLockInfo(&pid, &host, &application)) {
        return;
    }
    // The age is taken against the removal lock just written beside it, not against the process's
    // clock: both stamps then come from the file system's clock, which may differ from ours (a
    // network folder, a clock set since, a shifted clock in tests).
    const QDateTime written = QFileInfo(name).lastModified();
    const QDateTime now = QFileInfo(name + QStringLiteral(".rmlock")).lastModified();
    if (written.isValid() && now.isValid() && qAbs(written.msecsTo(now)) > kUnreadableLockGraceMs) {
        file.removeStaleLockFile();
    }
}

} // namespace

std::unique_ptr<tInstanceLock> AcquireInstanceNumber(const std::string& programDir) {
    for (int number = 1; number <= kMaxInstanceNumber; ++number) {
        const QString name =
            QFile::decodeName(QByteArray::fromStdString(InstanceLockFileNameFor(programDir, number)));
        auto file = std::make_unique<QLockFile>(name);
        // An instance runs for days: its lock must never go stale by age, only when the process
        // that wrote it is gone (QLockFile checks that by the process id in the file).
        file->setStaleLockTime(0);
        bool locked = file->tryLock(0);
        if (!locked && file->error() == QLockFile::LockFailedError) {
            RemoveUnreadableLock(*file, name);
            locked = file->tryLock(0);
        }
        if (locked) {
            return std::make_unique<tLockFileInstanceLock>(std::move(file), number);
        }
        if (file->error() != QLockFile::LockFailedError) {
            // The folder refuses lock files; every further number would fail the same way.
            return nullptr;
        }
    }
    return nullptr;
}

} // namespace vc
