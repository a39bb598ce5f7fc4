// Whole-file reading and writing for the files the program keeps (settings, history, skins).
// The new contents go to a temporary file in the same folder, are flushed to disk and then renamed
// over the old file, so a crash or a full disk leaves either the old file or the new one, never a
// half-written mix. The temporary file is an unnamed one where the system offers it, so a process
// killed mid-save leaves nothing behind; only a folder that refuses new files makes the write go
// into the old file itself.
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

enum class tInPlace {
    // A folder the user may not create files in (read-only, or a name too long for the temporary
    // one) does not stop the save when the file itself is writable: it is rewritten in place.
    WhenFolderRefuses,
    // Only a whole new file will do (a file that is renamed into place afterwards).
    Never,
};

// Writes bytes as the whole new contents of path (the folder must exist). On failure through the
// temporary file the old file (if any) is untouched, the temporary file is gone, errno tells why and
// the result is false; a failure while rewriting in place can leave the file cut.
// A symbolic link at path is followed, so the link stays and its target gets the new contents.
// The new file keeps the permission bits of the old one; a new file gets 0666 less the umask.
// An empty write means the system's write().
bool WriteFileAtomically(const std::string& path, std::string_view bytes, const tWriteFn& write = {},
                         tInPlace inPlace = tInPlace::WhenFolderRefuses);

// Whether an error from creating a file beside another says that the folder is in the way (no
// right to create files there, a read-only file system, a name too long) rather than the disk.
bool FolderRefusesNewFiles(int error);

// Removes the named temporary files that writes of path (and of the file a link at path points to)
// leave when the process dies between naming the file and renaming it over path. Only the caller
// can know that nobody is writing path at the moment. Returns how many were removed.
int RemoveTemporaryFilesOf(const std::string& path);

// Renames path to path + suffix, or to path + suffix + "-2", "-3", ... when that name is taken,
// never replacing an existing file. Returns the name it now has, or an empty text (errno set) when
// it could not be renamed.
std::string KeepUnderNewName(const std::string& path, std::string_view suffix);

// Tests turn the unnamed temporary file off to take the route of systems without one.
void UseUnnamedTemporaryFiles(bool use);

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
