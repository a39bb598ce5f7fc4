// The exchange's randomness: pure functions of a seed and a few integers, so the same seed and
// moment always give the same prices and the same headlines.
#pragma once

#include <cstdint>
#include <string_view>

namespace vc::sim {

inline std::uint64_t SplitMix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A stream per key and salt, indexed by a and b.
inline std::uint64_t Hash(std::uint64_t key, std::uint64_t salt, std::int64_t a, std::int64_t b = 0) {
    std::uint64_t h = SplitMix(key ^ (salt * 0xD6E8FEB86659FD93ull));
    h = SplitMix(h ^ static_cast<std::uint64_t>(a));
    return SplitMix(h ^ static_cast<std::uint64_t>(b));
}

// Uniform in the open interval (0, 1).
inline double Uniform(std::uint64_t h) {
    return (static_cast<double>(h >> 11) + 0.5) * 0x1.0p-53;
}

inline std::uint64_t SymbolKey(std::uint64_t seed, std::string_view symbol) {
    std::uint64_t h = 0xCBF29CE484222325ull; // FNV-1a
    for (const char c : symbol) {
        h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    }
    return SplitMix(seed ^ h);
}

} // namespace vc::sim
