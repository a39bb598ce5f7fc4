// The proxy setting comes from a hand-editable settings file: any bytes must parse into fields
// without "|" or outer spaces, and a port the client can use.
#include "market/proxy_settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vc::tProxySettings proxy = vc::ParseProxySettings(text);
    for (const std::string_view field :
         {std::string_view(proxy.Address), std::string_view(proxy.User), std::string_view(proxy.Password)}) {
        if (field.find('|') != std::string_view::npos ||
            (!field.empty() && (field.front() == ' ' || field.back() == ' '))) {
            std::abort();
        }
    }
    if (proxy.Enabled() ? (proxy.Port < 1 || proxy.Port > 65535 || proxy.Host.size() > proxy.Address.size())
                        : (proxy.Port != 0 || !proxy.User.empty() || !proxy.Password.empty())) {
        std::abort();
    }
    return 0;
}
