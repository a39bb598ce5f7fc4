#include "notify/mail_account.h"

#include <cstddef>
#include <filesystem>
#include <system_error>

#include "tape/ini_object.h"
#include "tape/ini_text.h"
#include "toolkit/atomic_file.h"
#include "toolkit/file_names.h"
#include "toolkit/text.h"

namespace vc {
namespace {

namespace fs = std::filesystem;

// Where the package, the snap and the flatpak keep Thunderbird's settings, in the order they are
// tried. Someone with more than one keeps using the package's, as before the others came along.
constexpr std::string_view kProfileFolders[] = {
    ".thunderbird",
    "snap/thunderbird/common/.thunderbird",
    ".var/app/org.mozilla.Thunderbird/.thunderbird",
};

// A real prefs.js is well below a megabyte; the limit only keeps a damaged or hostile file from
// taking the program's memory.
constexpr std::size_t kMaxPrefsBytes = std::size_t{16} << 20;

constexpr std::string_view kPrefStart = "USER_PREF(";

bool IsFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// The n-th "."-separated part of a preference name, counted from 1; empty when there are fewer.
std::string_view NamePart(std::string_view name, int n) {
    for (; n > 1; --n) {
        const std::size_t dot = name.find('.');
        if (dot == std::string_view::npos) {
            return {};
        }
        name.remove_prefix(dot + 1);
    }
    return name.substr(0, name.find('.'));
}

// Splits a user_pref("name", value); line into the upper-cased name and the bare value. False for
// any other line.
bool ReadPrefLine(std::string_view line, std::string& name, std::string& value) {
    const std::string_view head = line.substr(0, line.find('"'));
    if (head.size() != kPrefStart.size() || UpperText(head) != kPrefStart) {
        return false;
    }
    const std::string rest = After(line, '"');
    name = UpperText(Before(rest, '"'));
    // A value cut at its first ")" keeps this simple reading of a JavaScript call: host names and
    // addresses never hold one.
    value = Before(Trim(After(After(rest, '"'), ',')), ')');
    if (!value.empty() && value.front() == '"') {
        value.erase(0, 1);
        if (!value.empty() && value.back() == '"') {
            value.pop_back();
        }
    }
    return true;
}

} // namespace

std::string MailAccountFromPrefs(std::string_view prefsText) {
    std::string server;
    std::string address;
    std::string name;
    std::string value;
    ini::ForEachLine(prefsText, [&](std::string_view line) {
        if ((!server.empty() && !address.empty()) || !ReadPrefLine(line, name, value)) {
            return;
        }
        // The local folders are an account without a server; the next account has the real one.
        // An empty host name is no server either and lets a later one count.
        if (server.empty() && name.starts_with("MAIL.SERVER.SERVER") && NamePart(name, 4) == "HOSTNAME" &&
            UpperText(value) != "LOCAL FOLDERS") {
            server = Trim(value);
        }
        if (address.empty() && name.starts_with("MAIL.IDENTITY.ID") && NamePart(name, 4) == "USEREMAIL") {
            address = Trim(value);
        }
    });
    if (server.empty() || address.empty()) {
        return {};
    }
    return server + kFieldSeparator + address;
}

std::string ThunderbirdPrefsFile(const std::string& homeFolder) {
    if (homeFolder.empty()) {
        return {};
    }
    for (const std::string_view place : kProfileFolders) {
        const fs::path folder = ResolveCaseless(homeFolder, place);
        const fs::path profilesFile = ResolveCaseless(folder, "profiles.ini");
        if (!IsFile(profilesFile)) {
            continue;
        }
        // The first place with a profiles.ini is the one in use; a broken one does not send the
        // search on to another installation's older settings.
        const tIniObject profiles(profilesFile.string());
        // A path edited by hand after a move from Windows may use "\".
        const std::string path = ReplaceAll(profiles.ReadString("Profile0", "Path", ""), "\\", "/");
        if (path.empty()) {
            return {};
        }
        fs::path prefs;
        if (profiles.ReadInteger("Profile0", "IsRelative", 1) == 1) {
            prefs = ResolveCaseless(folder, path + "/prefs.js");
        } else {
            prefs = ResolveCaseless(path.starts_with('/') ? "/" : ".", path + "/prefs.js");
        }
        return IsFile(prefs) ? prefs.string() : std::string();
    }
    return {};
}

std::string FindThunderbirdAccount(const std::string& homeFolder) {
    const std::string prefsFile = ThunderbirdPrefsFile(homeFolder);
    if (prefsFile.empty()) {
        return {};
    }
    std::string bytes;
    const tReadResult result = ReadFileLimited(prefsFile, kMaxPrefsBytes, bytes);
    // An oversized file is read as far as the limit: what it holds there is still worth a look.
    if (result != tReadResult::Ok && result != tReadResult::Truncated) {
        return {};
    }
    return MailAccountFromPrefs(bytes);
}

std::string tThunderbirdAccounts::DefaultMailAccount() {
    return FindThunderbirdAccount(homeFolder_);
}

} // namespace vc
