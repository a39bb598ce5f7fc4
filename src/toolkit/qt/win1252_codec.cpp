#include "toolkit/qt/win1252_codec.h"

#include <array>
#include <cstdint>

namespace vc {
namespace {

// Characters of the bytes 0x80..0x9F; the undefined ones keep their own code.
constexpr char16_t kHighRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::array<char16_t, 256> MakeDecodeTable() {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
        table[static_cast<std::size_t>(b)] =
            b >= 0x80 && b < 0xA0 ? kHighRange[b - 0x80] : static_cast<char16_t>(b);
    }
    return table;
}

constexpr auto kDecode = MakeDecodeTable();

// Encoding: characters below U+0100 by a direct table (0 = not in the code page, with U+0000 itself
// handled apart); the rest are the 27 letters and signs of 0x80..0x9F above U+00FF.
constexpr std::array<std::uint8_t, 256> MakeLowEncodeTable() {
    std::array<std::uint8_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const char16_t c = kDecode[static_cast<std::size_t>(b)];
        if (c < 0x100) {
            table[c] = static_cast<std::uint8_t>(b);
        }
    }
    return table;
}

constexpr auto kEncodeLow = MakeLowEncodeTable();

// The 27 characters above U+00FF lie on the code pages 0x01, 0x02, 0x20 and 0x21 of UTF-16; one
// 256-byte table per page keeps their encoding a lookup.
constexpr int PageSlot(char16_t c) {
    switch (c >> 8) {
    case 0x01:
        return 0;
    case 0x02:
        return 1;
    case 0x20:
        return 2;
    case 0x21:
        return 3;
    default:
        return -1;
    }
}

using tPageTables = std::array<std::array<std::uint8_t, 256>, 4>;

constexpr tPageTables MakeHighEncodeTables() {
    tPageTables pages{};
    for (auto& page : pages) {
        page.fill('?');
    }
    for (int i = 0; i < 32; ++i) {
        const char16_t c = kHighRange[i];
        if (const int slot = PageSlot(c); slot >= 0) {
            pages[static_cast<std::size_t>(slot)][c & 0xFF] = static_cast<std::uint8_t>(0x80 + i);
        }
    }
    return pages;
}

constexpr tPageTables kEncodeHigh = MakeHighEncodeTables();

std::uint8_t EncodeHigh(char16_t c) {
    const int slot = PageSlot(c);
    return slot < 0 ? '?' : kEncodeHigh[static_cast<std::size_t>(slot)][c & 0xFF];
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

QString FromWin1252(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out[i] = QChar(kDecode[static_cast<unsigned char>(bytes[i])]);
    }
    return text;
}

std::string ToWin1252(const QString& text) {
    // One byte per UTF-16 unit at most; a surrogate pair gives one byte for two units.
    std::string bytes(static_cast<std::size_t>(text.size()), '\0');
    char* out = bytes.data();
    const QChar* units = text.constData();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = units[i].unicode();
        if (c < 0x100) {
            // C1 controls other than the five undefined bytes have no place in the code page.
            const std::uint8_t b = kEncodeLow[c];
            *out++ = static_cast<char>(b != 0 || c == 0 ? b : '?');
        } else if (IsHighSurrogate(c)) {
            if (i + 1 < size && IsLowSurrogate(units[i + 1].unicode())) {
                ++i;
            }
            *out++ = '?';
        } else {
            *out++ = static_cast<char>(EncodeHigh(c));
        }
    }
    bytes.resize(static_cast<std::size_t>(out - bytes.data()));
    return bytes;
}

} // namespace vc
