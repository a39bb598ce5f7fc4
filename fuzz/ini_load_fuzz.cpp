// Settings and skin files come from users and from other machines. Loading any bytes must neither
// crash nor leak, and what was loaded must save to a text that loads back to the same contents.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tape/ini_object.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto fixedKey = [](int) { return 0; };

    vc::tIniObject first;
    first.SetRandomSource(fixedKey);
    first.LoadFromBytes(bytes);
    // The typed reads of whatever the first section and key hold.
    if (const auto lines = first.ReadSection("S")) {
        for (const std::string& line : *lines) {
            const std::string key = line.substr(0, line.find('='));
            (void)first.ReadInteger("S", key, 0);
            (void)first.ReadFloat("S", key, 0);
            (void)first.ReadDateTime("S", key, 0);
            (void)first.ReadColor("S", key, 0);
        }
    }
    std::vector<std::string> list;
    first.ReadList("S", list);
    const std::string saved = first.SaveText();

    vc::tIniObject second;
    second.SetRandomSource(fixedKey);
    second.LoadFromBytes(saved);
    if (second.ValueCount() != first.ValueCount() || second.Scrambled() != first.Scrambled() ||
        second.SaveText() != saved) {
        std::abort();
    }
    return 0;
}
