#include "platform/qt/instance_lock_file.h"

#include <QFile>
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

} // namespace

std::unique_ptr<tInstanceLock> AcquireInstanceNumber(const std::string& programDir) {
    for (int number = 1; number <= kMaxInstanceNumber; ++number) {
        const QByteArray name = QByteArray::fromStdString(InstanceLockFileNameFor(programDir, number));
        auto file = std::make_unique<QLockFile>(QFile::decodeName(name));
        // An instance runs for days: its lock must never go stale by age, only when the process
        // that wrote it is gone (QLockFile checks that by the process id in the file).
        file->setStaleLockTime(0);
        if (file->tryLock(0)) {
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
