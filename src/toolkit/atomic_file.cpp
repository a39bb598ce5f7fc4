#include "toolkit/atomic_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

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

// The names a temporary file of a write of the file called name takes: name, ".tmp-" and six
// letters or digits (the form mkostemp makes; the unnamed route names its files the same way).
constexpr std::string_view kTempMark = ".tmp-";
constexpr std::size_t kTempRandomChars = 6;

bool IsTempChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool IsTemporaryNameOf(std::string_view candidate, std::string_view name) {
    if (candidate.size() != name.size() + kTempMark.size() + kTempRandomChars ||
        candidate.substr(0, name.size()) != name ||
        candidate.substr(name.size(), kTempMark.size()) != kTempMark) {
        return false;
    }
    const std::string_view random = candidate.substr(name.size() + kTempMark.size());
    return std::all_of(random.begin(), random.end(), IsTempChar);
}

std::string RandomTempSuffix() {
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char random[kTempRandomChars] = {};
    if (getrandom(random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random)) {
        // Only a clash with an existing name can follow from a poor draw, and that is retried.
        std::random_device device;
        for (auto& byte : random) {
            byte = static_cast<unsigned char>(device());
        }
    }
    std::string suffix(kTempMark);
    for (const unsigned char byte : random) {
        suffix += kChars[byte % (sizeof kChars - 1)];
    }
    return suffix;
}

// Gives the unnamed file a name beside target so that it can be renamed over it. Through /proc for
// everyone; AT_EMPTY_PATH works without /proc but only for a privileged process.
bool LinkUnnamed(int fd, const std::string& target, std::string& temp) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target + RandomTempSuffix();
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return true;
        }
        if (errno != EEXIST && linkat(fd, "", AT_FDCWD, temp.c_str(), AT_EMPTY_PATH) == 0) {
            return true;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    temp.clear();
    return false;
}

enum class tAttempt { Done, Failed, NoTemporaryFile };

tAttempt WriteThroughTemporary(const std::string& target, std::string_view bytes, const tWriteFn& write,
                               mode_t mode, bool unnamed) {
    std::string temp;
    int fd = -1;
    if (unnamed) {
        fd = open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    } else {
        temp = target + ".tmp-XXXXXX";
        fd = mkostemp(temp.data(), O_CLOEXEC);
    }
    if (fd < 0) {
        return tAttempt::NoTemporaryFile;
    }
    bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, bytes, write) && fsync(fd) == 0;
    int error = errno;
    if (ok && unnamed && !LinkUnnamed(fd, target, temp)) {
        // The contents are lost with the descriptor, which is all an unnamed file leaves behind.
        error = errno;
        close(fd);
        errno = error;
        return tAttempt::NoTemporaryFile;
    }
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        if (!temp.empty()) {
            unlink(temp.c_str());
        }
        errno = error;
        return tAttempt::Failed;
    }
    // The rename itself reaches the disk only with the folder; a failure here loses nothing that
    // was there before, so it is not reported.
    const int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return tAttempt::Done;
}

// The file's own blocks are overwritten first and the file cut to length afterwards, so a file
// that does not grow needs no new room on the disk and a full disk does not find it empty.
bool RewriteInPlace(const std::string& target, std::string_view bytes, const tWriteFn& write,
                    int folderError) {
    // O_NONBLOCK and the check below: the name may have turned into a pipe or a device since.
    const int fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        // The folder is the reason the save could not go the safe way; say that.
        errno = errno == EACCES || errno == EPERM || errno == EROFS ? errno : folderError;
        return false;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = folderError;
        return false;
    }
    bool ok =
        WriteAll(fd, bytes, write) && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
    int error = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    errno = error;
    return ok;
}

std::atomic<bool> gUnnamedTemporaryFiles{true};

} // namespace

bool FolderRefusesNewFiles(int error) {
    return error == EACCES || error == EPERM || error == EROFS || error == ENAMETOOLONG;
}

void UseUnnamedTemporaryFiles(bool use) {
    gUnnamedTemporaryFiles = use;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, const tWriteFn& write,
                         tInPlace inPlace) {
    const std::string target = ResolveTarget(path);
    struct stat old {};
    const bool exists = stat(target.c_str(), &old) == 0;
    const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());

    tAttempt attempt = tAttempt::NoTemporaryFile;
    if (gUnnamedTemporaryFiles) {
        // Systems and file systems without unnamed files refuse them with an error of their own;
        // every refusal is met by the named route, which then tells the real reason.
        attempt = WriteThroughTemporary(target, bytes, write, mode, true);
    }
    if (attempt == tAttempt::NoTemporaryFile) {
        attempt = WriteThroughTemporary(target, bytes, write, mode, false);
    }
    if (attempt != tAttempt::NoTemporaryFile) {
        return attempt == tAttempt::Done;
    }
    const int error = errno;
    if (inPlace == tInPlace::WhenFolderRefuses && FolderRefusesNewFiles(error) && exists &&
        S_ISREG(old.st_mode)) {
        return RewriteInPlace(target, bytes, write, error);
    }
    errno = error;
    return false;
}

std::string KeepUnderNewName(const std::string& path, std::string_view suffix) {
    for (int number = 1; number <= 1000; ++number) {
        std::string name = path + std::string(suffix);
        if (number > 1) {
            name += "-" + std::to_string(number);
        }
        if (renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0) {
            return name;
        }
        if (errno == EEXIST) {
            continue;
        }
        if (errno != EINVAL && errno != ENOSYS) {
            return {};
        }
        // A file system that cannot rename without replacing: a hard link fails on an existing
        // name just the same, and the old name then goes.
        if (link(path.c_str(), name.c_str()) == 0) {
            unlink(path.c_str());
            return name;
        }
        if (errno != EEXIST) {
            return {};
        }
    }
    errno = EEXIST;
    return {};
}

int RemoveTemporaryFilesOf(const std::string& path) {
    std::vector<std::string> files{path};
    const std::string target = ResolveTarget(path);
    if (target != path) {
        files.push_back(target);
    }
    int removed = 0;
    for (const std::string& file : files) {
        const std::string folder = FolderOf(file);
        const auto slash = file.find_last_of('/');
        const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
        std::vector<std::string> found;
        if (DIR* dir = opendir(folder.c_str())) {
            while (const dirent* entry = readdir(dir)) {
                if (IsTemporaryNameOf(entry->d_name, name)) {
                    found.emplace_back(entry->d_name);
                }
            }
            closedir(dir);
        }
        for (const std::string& leftover : found) {
            const std::string full = folder + "/" + leftover;
            struct stat info {};
            // A folder or a link of that name is nobody's temporary file.
            if (lstat(full.c_str(), &info) == 0 && S_ISREG(info.st_mode) && unlink(full.c_str()) == 0) {
                ++removed;
            }
        }
    }
    return removed;
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
