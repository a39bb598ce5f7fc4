#include "notify/mail_account.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "toolkit/text.h"

namespace vc {
namespace {

// A prefs.js as Thunderbird writes it, with the local folders as the first account.
std::string Prefs(const std::string& server, const std::string& address) {
    return "// Mozilla User Preferences\n"
           "\n"
           "user_pref(\"mail.account.account1.server\", \"server1\");\n"
           "user_pref(\"mail.identity.id1.fullName\", \"Pat Doe\");\n"
           "user_pref(\"mail.identity.id1.useremail\", \"" +
           address +
           "\");\n"
           "user_pref(\"mail.server.server1.hostname\", \"Local Folders\");\n"
           "user_pref(\"mail.server.server1.type\", \"none\");\n"
           "user_pref(\"mail.server.server2.hostname\", \"" +
           server +
           "\");\n"
           "user_pref(\"mail.server.server2.port\", 993);\n";
}

TEST(MailAccountFromPrefsTest, LineRules) {
    const struct {
        const char* What;
        std::string Text;
        std::string Expected;
    } cases[] = {
        {"a whole file", Prefs("imap.example.org", "pat@example.org"), "imap.example.org|pat@example.org"},
        {"windows line ends", ReplaceAll(Prefs("imap.example.org", "pat@example.org"), "\n", "\r\n"),
         "imap.example.org|pat@example.org"},
        {"local folders in any case skipped for the next server",
         "user_pref(\"mail.server.server1.hostname\", \"local FOLDERS\");\n"
         "user_pref(\"mail.server.server2.hostname\", \"imap.b.org\");\n"
         "user_pref(\"mail.identity.id1.useremail\", \"a@b.org\");\n",
         "imap.b.org|a@b.org"},
        {"first server and first address win",
         "user_pref(\"mail.server.server3.hostname\", \"first.org\");\n"
         "user_pref(\"mail.identity.id2.useremail\", \"first@first.org\");\n"
         "user_pref(\"mail.server.server4.hostname\", \"second.org\");\n"
         "user_pref(\"mail.identity.id3.useremail\", \"second@second.org\");\n",
         "first.org|first@first.org"},
        {"server without an address", "user_pref(\"mail.server.server2.hostname\", \"imap.b.org\");\n", ""},
        {"address without a server",
         "user_pref(\"mail.server.server1.hostname\", \"Local Folders\");\n"
         "user_pref(\"mail.identity.id1.useremail\", \"a@b.org\");\n",
         ""},
        {"names are read without regard to case",
         "USER_PREF(\"Mail.Server.Server2.HostName\", \"imap.b.org\");\n"
         "User_Pref(\"MAIL.IDENTITY.ID1.USEREMAIL\", \"a@b.org\");\n",
         "imap.b.org|a@b.org"},
        {"only exactly user_pref( before the first quote counts",
         " user_pref(\"mail.server.server1.hostname\", \"indented.org\");\n"
         "user_pref (\"mail.server.server1.hostname\", \"spaced.org\");\n"
         "pref(\"mail.server.server1.hostname\", \"default.org\");\n"
         "// user_pref(\"mail.server.server1.hostname\", \"comment.org\");\n"
         "user_pref(\"mail.server.server2.hostname\", \"imap.b.org\");\n"
         "user_pref(\"mail.identity.id1.useremail\", \"a@b.org\");\n",
         "imap.b.org|a@b.org"},
        {"the fourth part of the name must be the host name or the address",
         "user_pref(\"mail.server.server1.realhostname\", \"real.org\");\n"
         "user_pref(\"mail.smtpserver.smtp1.hostname\", \"smtp.org\");\n"
         "user_pref(\"mail.identity.id1.reply_to\", \"reply@b.org\");\n"
         "user_pref(\"mail.server.server2.hostname\", \"imap.b.org\");\n"
         "user_pref(\"mail.identity.id1.useremail\", \"a@b.org\");\n",
         "imap.b.org|a@b.org"},
        {"a value without quotes, and text after the closing parenthesis",
         "user_pref(\"mail.server.server2.hostname\",   10.0.0.7  );\n"
         "user_pref(\"mail.identity.id1.useremail\", \"a@b.org\"); // (work)\n",
         "10.0.0.7|a@b.org"},
        {"spaces inside the quotes are trimmed",
         "user_pref(\"mail.server.server2.hostname\", \"  imap.b.org \");\n"
         "user_pref(\"mail.identity.id1.useremail\",\" a@b.org\");\n",
         "imap.b.org|a@b.org"},
        {"an empty host name lets a later server count",
         "user_pref(\"mail.server.server1.hostname\", \"\");\n"
         "user_pref(\"mail.server.server2.hostname\", \"imap.b.org\");\n"
         "user_pref(\"mail.identity.id1.useremail\", \"a@b.org\");\n",
         "imap.b.org|a@b.org"},
        {"broken lines", "user_pref(\"mail.server.server2.hostname\nuser_pref(\"\",\n\"\"\"\n,,)))\n", ""},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MailAccountFromPrefs(c.Text), c.Expected) << c.What;
    }
}

// One file below the home folder; "@HOME@" in its text stands for the home folder, and
// "@BACKSLASHED_HOME@" for the same written with "\".
struct tFile {
    std::string Name;
    std::string Text;
};

const std::string kProfiles = "[General]\nStartWithLastProfile=1\n\n"
                              "[Profile0]\nName=default\nIsRelative=1\nPath=Profiles/abc.default\n";

TEST(ThunderbirdAccountsTest, FindsTheProfileOfTheFirstInstallation) {
    const std::string snap = "snap/thunderbird/common/.thunderbird/";
    const std::string flatpak = ".var/app/org.mozilla.Thunderbird/.thunderbird/";
    const struct {
        const char* What;
        std::vector<tFile> Files;
        std::string Expected;
    } cases[] = {
        {"relative path with /",
         {{".thunderbird/profiles.ini", kProfiles},
          {".thunderbird/Profiles/abc.default/prefs.js", Prefs("imap.a.org", "a@a.org")}},
         "imap.a.org|a@a.org"},
        {"relative path with \\",
         {{".thunderbird/profiles.ini", "[Profile0]\r\nIsRelative=1\r\nPath=Profiles\\abc.default\r\n"},
          {".thunderbird/Profiles/abc.default/prefs.js", Prefs("imap.a.org", "a@a.org")}},
         "imap.a.org|a@a.org"},
        {"IsRelative missing means relative",
         {{".thunderbird/profiles.ini", "[Profile0]\nPath=abc.default\n"},
          {".thunderbird/abc.default/prefs.js", Prefs("imap.a.org", "a@a.org")}},
         "imap.a.org|a@a.org"},
        {"absolute path",
         {{".thunderbird/profiles.ini", "[Profile0]\nIsRelative=0\nPath=@HOME@/mail/tb\n"},
          {"mail/tb/prefs.js", Prefs("imap.a.org", "a@a.org")}},
         "imap.a.org|a@a.org"},
        {"absolute path with \\",
         {{".thunderbird/profiles.ini", "[Profile0]\nIsRelative=0\nPath=@BACKSLASHED_HOME@\\mail\\tb\n"},
          {"mail/tb/prefs.js", Prefs("imap.a.org", "a@a.org")}},
         "imap.a.org|a@a.org"},
        {"names in another case",
         {{".thunderbird/Profiles.INI", "[PROFILE0]\nisrelative=1\nPATH=profiles/ABC.default\n"},
          {".thunderbird/Profiles/abc.default/Prefs.JS", Prefs("imap.a.org", "a@a.org")}},
         "imap.a.org|a@a.org"},
        {"snap",
         {{snap + "profiles.ini", kProfiles},
          {snap + "Profiles/abc.default/prefs.js", Prefs("imap.s.org", "s@s.org")}},
         "imap.s.org|s@s.org"},
        {"flatpak",
         {{flatpak + "profiles.ini", kProfiles},
          {flatpak + "Profiles/abc.default/prefs.js", Prefs("imap.f.org", "f@f.org")}},
         "imap.f.org|f@f.org"},
        {"the package before the snap",
         {{snap + "profiles.ini", kProfiles},
          {snap + "Profiles/abc.default/prefs.js", Prefs("imap.s.org", "s@s.org")},
          {".thunderbird/profiles.ini", kProfiles},
          {".thunderbird/Profiles/abc.default/prefs.js", Prefs("imap.a.org", "a@a.org")}},
         "imap.a.org|a@a.org"},
        {"the snap before the flatpak",
         {{flatpak + "profiles.ini", kProfiles},
          {flatpak + "Profiles/abc.default/prefs.js", Prefs("imap.f.org", "f@f.org")},
          {snap + "profiles.ini", kProfiles},
          {snap + "Profiles/abc.default/prefs.js", Prefs("imap.s.org", "s@s.org")}},
         "imap.s.org|s@s.org"},
        {"a profiles.ini without a profile does not send the search on",
         {{".thunderbird/profiles.ini", "[General]\nStartWithLastProfile=1\n"},
          {snap + "profiles.ini", kProfiles},
          {snap + "Profiles/abc.default/prefs.js", Prefs("imap.s.org", "s@s.org")}},
         ""},
        {"a profile without prefs.js", {{".thunderbird/profiles.ini", kProfiles}}, ""},
        {"a prefs.js that is a folder",
         {{".thunderbird/profiles.ini", kProfiles}, {".thunderbird/Profiles/abc.default/prefs.js/x", ""}},
         ""},
        {"a path to nowhere",
         {{".thunderbird/profiles.ini", "[Profile0]\nIsRelative=0\nPath=/nonexistent/../../x\n"}},
         ""},
        {"no Thunderbird", {{".config/other/prefs.js", Prefs("imap.a.org", "a@a.org")}}, ""},
    };
    for (const auto& c : cases) {
        const test::tTempDir home;
        const std::string homeText = home.Path().string();
        for (const tFile& file : c.Files) {
            const std::string text = ReplaceAll(file.Text, "@HOME@", homeText);
            home.Write(file.Name, ReplaceAll(text, "@BACKSLASHED_HOME@", ReplaceAll(homeText, "/", "\\")));
        }
        tThunderbirdAccounts accounts(homeText);
        tMailAccountSource& source = accounts;
        EXPECT_EQ(source.DefaultMailAccount(), c.Expected) << c.What;
    }
}

} // namespace
} // namespace vc
