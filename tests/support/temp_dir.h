// A fresh temporary folder per test, removed afterwards; also the program folder of the test
// (VELOCREST_HOME points at it while the object lives).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vc::test {

class tTempDir {
public:
    tTempDir();
    ~tTempDir();
    tTempDir(const tTempDir&) = delete;
    tTempDir& operator=(const tTempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Path of a file inside the folder, as text.
    std::string File(std::string_view name) const;
    // Writes bytes exactly as given (no line-end conversion).
    void Write(std::string_view name, std::string_view bytes) const;
    std::string Read(std::string_view name) const;
    bool Exists(std::string_view name) const;

private:
    std::filesystem::path path_;
    std::string oldHome_;
    bool hadHome_ = false;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);
// A file of the source tree, named relative to its root.
std::filesystem::path SourcePath(std::string_view relative);
// Directory of the checked-in test fixtures.
std::filesystem::path FixturePath(std::string_view name);

} // namespace vc::test
