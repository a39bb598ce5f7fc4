// Symbol lists come from anywhere: files dropped on the tape, the set-up folder, selection files of
// other tools. Reading any bytes in either form must neither crash nor leak, and every line read
// must be a "name|symbol" line with a symbol and no line break.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tape/ini_object.h"
#include "tape/symbol_import.h"

namespace {

void Check(const std::vector<std::string>& lines) {
    if (lines.size() > vc::kMaxSymbolEntries) {
        std::abort();
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.find('|') == std::string::npos || line.find_first_of("\r\n") != std::string::npos ||
            (i > 0 && !(lines[i - 1] < line))) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> delimited = vc::ReadDelimitedSymbols(bytes);
    Check(delimited);
    for (const std::string& line : delimited) {
        if (line.back() == '|') {
            std::abort(); // a delimited line without a symbol is skipped
        }
    }

    vc::tIniObject selection;
    selection.LoadFromBytes(bytes);
    Check(vc::ReadSelectionSymbols(selection));
    return 0;
}
