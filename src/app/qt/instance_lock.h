// Which instance this process is: one lock file per instance number in the program folder, the
// lowest free number taken, held until the process ends.
#pragma once

#include <QLockFile>

#include <memory>
#include <string>

namespace vc {

class tInstanceLock {
public:
    static constexpr int kMaxInstances = 99;

    // The lowest number from 1 whose lock nobody holds, now held by this object; 0 when every
    // number up to kMaxInstances is taken or the folder cannot be written.
    int Acquire(const std::string& programDir);
    int Number() const { return number_; }

private:
    std::unique_ptr<QLockFile> lock_;
    int number_ = 0;
};

} // namespace vc
