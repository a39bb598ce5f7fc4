#include "temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace vc::test {

tTempDir::tTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velocrest-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
    if (const char* home = std::getenv("VELOCREST_HOME")) {
        hadHome_ = true;
        oldHome_ = home;
    }
    setenv("VELOCREST_HOME", path_.c_str(), 1);
}

tTempDir::~tTempDir() {
    std::error_code ec;
    // A test may have taken permissions away; give them back so the folder can be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(path_, ec);
    if (hadHome_) {
        setenv("VELOCREST_HOME", oldHome_.c_str(), 1);
    } else {
        unsetenv("VELOCREST_HOME");
    }
}

std::string tTempDir::File(std::string_view name) const {
    return (path_ / name).string();
}

void tTempDir::Write(std::string_view name, std::string_view bytes) const {
    const auto target = path_ / name;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string tTempDir::Read(std::string_view name) const {
    return ReadFileBytes(path_ / name);
}

bool tTempDir::Exists(std::string_view name) const {
    return std::filesystem::exists(path_ / name);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path SourcePath(std::string_view relative) {
    const char* source = std::getenv("VELOCREST_SOURCE_DIR");
    const std::filesystem::path root = source != nullptr ? source : VELOCREST_SOURCE_DIR_FALLBACK;
    return root / relative;
}

std::filesystem::path FixturePath(std::string_view name) {
    return SourcePath("tests/fixtures") / name;
}

} // namespace vc::test
