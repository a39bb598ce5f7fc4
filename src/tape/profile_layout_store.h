// Window and grid layouts kept in the instance's settings file, one key at a time, while the
// program runs.
#pragma once

#include <string>

#include "toolkit/layout_store.h"

namespace vc {

class tProfileLayoutStore : public tLayoutStore {
public:
    explicit tProfileLayoutStore(std::string fileName) : fileName_(std::move(fileName)) {}

    std::string Read(std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override;
    bool Write(std::string_view section, std::string_view key, std::string_view value) override;

private:
    std::string fileName_;
};

} // namespace vc
