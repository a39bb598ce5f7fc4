#include "failing_writer.h"

#include <algorithm>
#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vc::test {

tFullDiskWriter::tFullDiskWriter(std::size_t allowBytes, int error, std::size_t chunk)
    : state_(std::make_shared<tState>(tState{allowBytes, error, std::max<std::size_t>(chunk, 1)})) {}

tWriteFn tFullDiskWriter::Fn() {
    return [state = state_](int fd, const char* data, std::size_t size) -> ssize_t {
        const std::size_t room = state->Allow - state->Written;
        if (room == 0) {
            ++state->Failures;
            errno = state->Error;
            return -1;
        }
        const std::size_t n = std::min({size, room, state->Chunk});
        const ssize_t done = ::write(fd, data, n);
        if (done > 0) {
            state->Written += static_cast<std::size_t>(done);
        }
        return done;
    };
}

int RunInReadOnlyFolder(const std::filesystem::path& folder, const std::function<bool()>& body) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto oldPerms = fs::status(folder, ec).permissions();
    if (geteuid() != 0) {
        fs::permissions(folder, fs::perms(0555), ec);
        const bool result = body();
        fs::permissions(folder, oldPerms, ec);
        return result ? 1 : 0;
    }
    // nobody must be able to reach the folder and read what lies in it.
    for (fs::path p = folder.parent_path(); !p.empty() && p != p.root_path(); p = p.parent_path()) {
        if (p.string().find("velocrest-test-") != std::string::npos) {
            fs::permissions(p, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add, ec);
        }
    }
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        fs::permissions(entry.path(), fs::perms::others_read, fs::perm_options::add, ec);
    }
    fs::permissions(folder, fs::perms(0555), ec);
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) {
            _exit(3);
        }
        _exit(body() ? 0 : 1);
    }
    int status = 0;
    const bool waited = child > 0 && waitpid(child, &status, 0) == child;
    fs::permissions(folder, oldPerms, ec);
    if (!waited || !WIFEXITED(status) || WEXITSTATUS(status) > 1) {
        return -1;
    }
    return WEXITSTATUS(status) == 0 ? 1 : 0;
}

int CountTemporaryFiles(const std::filesystem::path& folder) {
    int count = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.path().filename().string().find(".tmp-") != std::string::npos) {
            ++count;
        }
    }
    return count;
}

} // namespace vc::test
