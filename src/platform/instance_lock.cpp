#include "platform/instance_lock.h"

#include "toolkit/program_values.h"

namespace vc {

std::string InstanceLockFileNameFor(const std::string& programDir, int instanceNumber) {
    return programDir + kProgramName + "_" + std::to_string(instanceNumber) + ".lock";
}

} // namespace vc
