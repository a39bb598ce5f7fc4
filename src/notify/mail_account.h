// Mail account discovery: a mail server and the user's e-mail address, read from the mail client's
// own settings so that alert e-mail works without typing. On Linux that client is Thunderbird
// (installed as a package, a snap or a flatpak); its profiles.ini names the profile and the
// profile's prefs.js holds the accounts. The server is the first account's host name, not the
// outgoing server, so it is a first guess the user can correct in the setup dialog.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "tape/tape_hooks.h"

namespace vc {

// The account in the text of a prefs.js: "server|address", each trimmed, or "" unless both are
// there. Any bytes are accepted.
std::string MailAccountFromPrefs(std::string_view prefsText);

// The prefs.js of the first Thunderbird profile below the home folder, found without regard to the
// case of its names, or "" when there is none.
std::string ThunderbirdPrefsFile(const std::string& homeFolder);

// The account of the home folder's Thunderbird profile as MailAccountFromPrefs gives it.
std::string FindThunderbirdAccount(const std::string& homeFolder);

class tThunderbirdAccounts : public tMailAccountSource {
public:
    explicit tThunderbirdAccounts(std::string homeFolder) : homeFolder_(std::move(homeFolder)) {}
    std::string DefaultMailAccount() override;

private:
    std::string homeFolder_;
};

} // namespace vc
