// Where windows and grids keep their layout between runs: single keys of the instance's settings
// file. The toolkit only sees this interface; the settings-file layer implements it, and tests use
// an in-memory map.
#pragma once

#include <string>
#include <string_view>

namespace vc {

class tLayoutStore {
public:
    virtual ~tLayoutStore() = default;
    // The value of key in section, or defaultValue when either is missing.
    virtual std::string Read(std::string_view section, std::string_view key,
                             std::string_view defaultValue) const = 0;
    // Sets one key; false when it could not be stored (the layout is then simply not remembered).
    virtual bool Write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

} // namespace vc
