// A prefs.js is read from the user's home folder, where anything may have put any bytes. Reading
// it must neither crash nor hang, and what it gives is either nothing or a trimmed server and
// address joined by "|".
#include "notify/mail_account.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string account = vc::MailAccountFromPrefs(text);
    // Server and address are each trimmed pieces of the text joined by "|"; either may hold a "|"
    // of its own, so only the ends and the length say something for certain.
    if (!account.empty() && (account.find('|') == std::string::npos || account.front() == ' ' ||
                             account.back() == ' ' || account.size() > size + 1)) {
        std::abort();
    }
    return 0;
}
