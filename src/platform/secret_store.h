// Where the program keeps what must not go into its settings file, such as the password of the
// mail server: the desktop's keyring. One login per mail server.
#pragma once

#include <string>
#include <string_view>

namespace vc {

struct tSecretLogin {
    std::string User;
    std::string Password;
};

class tSecretStore {
public:
    virtual ~tSecretStore() = default;
    // The login kept for server ("host:port"). False when none is kept; error is set as well when
    // the store could not be asked (no keyring runs, or it refused).
    virtual bool Find(std::string_view server, tSecretLogin& login, std::string& error) = 0;
    // Replaces any login kept for server. False, with why in error, when it could not be kept.
    virtual bool Save(std::string_view server, const tSecretLogin& login, std::string& error) = 0;
    virtual bool Remove(std::string_view server, std::string& error) = 0;
};

} // namespace vc
