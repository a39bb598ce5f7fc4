// Instance numbers reserved through lock files in the program folder ("Velocrest_1.lock", ...),
// one QLockFile per number, held for the life of the instance.
#pragma once

#include <memory>
#include <string>

#include "platform/instance_lock.h"

namespace vc {

// Takes the lowest number whose lock file no living process holds; a lock left by a process that
// died is taken over. Nothing when the folder does not let us create a lock file or all numbers up
// to kMaxInstanceNumber are taken. programDir must exist and end in "/".
std::unique_ptr<tInstanceLock> AcquireInstanceNumber(const std::string& programDir);

} // namespace vc
