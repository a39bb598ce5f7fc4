// Low-level writes that fail on purpose, for code that writes files through WriteFileAtomically,
// and a way to run code in a folder it may not write to.
#pragma once

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>

#include "toolkit/atomic_file.h"

namespace vc::test {

// Plays a disk that fills up: the first allowBytes bytes are written (in pieces of at most chunk
// bytes, so the caller must loop), then every write fails with the given errno.
class tFullDiskWriter {
public:
    explicit tFullDiskWriter(std::size_t allowBytes, int error = ENOSPC, std::size_t chunk = 4096);
    // The write function to hand over; it shares this object's counters.
    tWriteFn Fn();
    std::size_t Written() const { return state_->Written; }
    int Failures() const { return state_->Failures; }

private:
    struct tState {
        std::size_t Allow;
        int Error;
        std::size_t Chunk;
        std::size_t Written = 0;
        int Failures = 0;
    };
    std::shared_ptr<tState> state_;
};

// Runs body while folder (inside a tTempDir) is read-only (0555) for the code that runs it. chmod
// does not stop root, so when the tests run as root the body runs in a forked child that drops to
// the user and group nobody (65534); the folders above are made traversable for it. Returns 1 when
// body returned true, 0 when it returned false, -1 when the child failed to run it.
// The child leaves with _exit, so no destructor of the parent's objects runs twice.
int RunInReadOnlyFolder(const std::filesystem::path& folder, const std::function<bool()>& body);

// Names in folder that look like left-over temporary files of WriteFileAtomically.
int CountTemporaryFiles(const std::filesystem::path& folder);

} // namespace vc::test
