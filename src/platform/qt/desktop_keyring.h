// The secret store on the freedesktop Secret Service (GNOME Keyring, KWallet's bridge, KeePassXC...)
// through libsecret. Without a session bus there is no keyring to ask, and nothing is kept.
#pragma once

#include "platform/secret_store.h"

namespace vc {

class tDesktopKeyring final : public tSecretStore {
public:
    bool Find(std::string_view server, tSecretLogin& login, std::string& error) override;
    bool Save(std::string_view server, const tSecretLogin& login, std::string& error) override;
    bool Remove(std::string_view server, std::string& error) override;
};

} // namespace vc
