#include "app/qt/instance_lock.h"

#include <QString>

namespace vc {

int tInstanceLock::Acquire(const std::string& programDir) {
    for (int n = 1; n <= kMaxInstances; ++n) {
        auto lock = std::make_unique<QLockFile>(QString::fromStdString(programDir) +
                                                QStringLiteral("Velocrest_%1.lock").arg(n));
        // A lock is never stale by its age: a tape may run for months. One left by a process
        // that is gone is still taken over.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            lock_ = std::move(lock);
            number_ = n;
            return n;
        }
        if (lock->error() != QLockFile::LockFailedError) {
            return 0;
        }
    }
    return 0;
}

} // namespace vc
