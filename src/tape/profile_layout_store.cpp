#include "tape/profile_layout_store.h"

#include "tape/profile.h"

namespace vc {

std::string tProfileLayoutStore::Read(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
    return ProfileReadString(fileName_, section, key, defaultValue);
}

bool tProfileLayoutStore::Write(std::string_view section, std::string_view key, std::string_view value) {
    return ProfileWriteString(fileName_, section, key, value);
}

} // namespace vc
