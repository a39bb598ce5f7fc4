// Whole-file reading and writing for the files the program keeps (settings, history, skins).
// A file is never rewritten in place: the new contents go to a temporary file in the same folder,
// are flushed to disk and then renamed over the old file, so a crash or a full disk leaves either
// the old file or the new one, never a half-written mix.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace vc {

// The low-level write used for the temporary file, with the contract of POSIX write(): returns the
// number of bytes written (possibly fewer than asked) or -1 with errno set. Tests hand in one that
// fails part-way to play a full disk.
using tWriteFn = std::function<ssize_t(int fd, const char* data, std::size_t size)>;

// Writes bytes as the whole new contents of path (the folder must exist). On failure the old file
// (if any) is untouched, the temporary file is gone, errno tells why and the result is false.
// A symbolic link at path is followed, so the link stays and its target gets the new contents.
// The new file keeps the permission bits of the old one; a new file gets 0666 less the umask.
// An empty write means the system's write().
bool WriteFileAtomically(const std::string& path, std::string_view bytes, const tWriteFn& write = {});

enum class tReadResult {
    Ok,        // the whole file is in bytes
    Truncated, // the file is longer than the limit; bytes holds its first maxBytes bytes
    Missing,   // there is no file of that name
    Failed,    // unreadable, or not a regular file (a folder, a device, a pipe)
};

// Reads a regular file, at most maxBytes of it. Never blocks on a pipe and never follows a device
// without end; bytes is empty unless the result is Ok or Truncated.
tReadResult ReadFileLimited(const std::string& path, std::size_t maxBytes, std::string& bytes);

} // namespace vc
