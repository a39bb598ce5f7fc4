// Feeds arbitrary bytes through the page reader: tokens, their classes and the entity decoder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/html.h"
#include "toolkit/url.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vc::tByteStream stream{bytes, 0};
    std::string token;
    std::size_t total = 0;
    std::size_t position = 0;
    while (vc::NextToken(stream, token)) {
        // Every token moves the stream on, and never past its end.
        if (stream.Position <= position || stream.Position > size || token.empty()) {
            __builtin_trap();
        }
        position = stream.Position;
        total += token.size();
        const int tagClass = vc::ClassifyTag(token);
        if (tagClass < -1 || tagClass > 44) {
            __builtin_trap();
        }
        const std::string decoded = vc::DecodeEntities(token);
        // Decoding only ever folds several bytes into fewer.
        if (decoded.size() > token.size()) {
            __builtin_trap();
        }
    }
    if (total > size) {
        __builtin_trap();
    }
    (void)vc::UrlDecode(bytes);
    (void)vc::QueryValue(bytes, "s");
    return 0;
}
