// The reservation of an instance number. Each running instance holds the lock of its number for its
// whole life, so two instances never pick the same number and therefore never share a settings
// file, even when they start at the same moment.
#pragma once

#include <string>

namespace vc {

// Numbers above this are not handed out; far more tapes than any screen can show.
inline constexpr int kMaxInstanceNumber = 99;

class tInstanceLock {
public:
    virtual ~tInstanceLock() = default;
    // The instance number this lock reserves, 1 for the first instance.
    virtual int Number() const = 0;
};

// "Velocrest_1.lock", "Velocrest_2.lock", ... in programDir (which ends in "/").
std::string InstanceLockFileNameFor(const std::string& programDir, int instanceNumber);

} // namespace vc
