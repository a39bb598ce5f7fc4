#include "toolkit/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vc {

namespace {

// The process's umask without changing it (umask() can only be read by setting it, which would
// race with other threads creating files). Linux reports it in /proc/self/status.
mode_t CurrentUmask() {
    mode_t mask = 022;
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, status) != nullptr) {
            if (std::strncmp(line, "Umask:", 6) == 0) {
                mask = static_cast<mode_t>(std::strtoul(line + 6, nullptr, 8) & 0777);
                break;
            }
        }
        std::fclose(status);
    }
    return mask;
}

// A symbolic link is followed so that a settings file kept elsewhere and linked in stays linked.
std::string ResolveTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = realpath(path.c_str(), nullptr)) {
            std::string resolved(real);
            std::free(real);
            return resolved;
        }
    }
    return path;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes, const tWriteFn& write) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1 << 20);
        const ssize_t n =
            write ? write(fd, bytes.data() + done, chunk) : ::write(fd, bytes.data() + done, chunk);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            // A write that makes no progress would loop for ever; treat it as a full disk.
            errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, const tWriteFn& write) {
    const std::string target = ResolveTarget(path);
    std::string temp = target + ".tmp-XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }

    struct stat old {};
    const mode_t mode = stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());

    bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, bytes, write) && fsync(fd) == 0;
    int error = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        unlink(temp.c_str());
        errno = error;
        return false;
    }
    // The rename itself reaches the disk only with the folder; a failure here loses nothing that
    // was there before, so it is not reported.
    const int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

tReadResult ReadFileLimited(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? tReadResult::Missing : tReadResult::Failed;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return tReadResult::Failed;
    }
    // One byte past the limit tells a file of exactly maxBytes from a longer one. The size from
    // fstat is only a first guess: the file may grow or shrink while it is read.
    const std::size_t limit = maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1;
    const auto sizeHint = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
    std::string buffer;
    buffer.resize(std::min(limit, std::max<std::size_t>(sizeHint + 1, 4096)));
    std::size_t used = 0;
    for (;;) {
        if (used == buffer.size()) {
            if (buffer.size() >= limit) {
                break;
            }
            buffer.resize(std::min(limit, buffer.size() * 2));
        }
        const ssize_t n = read(fd, buffer.data() + used, buffer.size() - used);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            close(fd);
            return tReadResult::Failed;
        }
        if (n == 0) {
            break;
        }
        used += static_cast<std::size_t>(n);
    }
    close(fd);
    const bool truncated = used > maxBytes;
    buffer.resize(std::min(used, maxBytes));
    bytes = std::move(buffer);
    return truncated ? tReadResult::Truncated : tReadResult::Ok;
}

} // namespace vc
