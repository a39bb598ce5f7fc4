#include "market/download_progress.h"

#include <algorithm>

namespace vc {

double SessionProgress(std::int64_t received, std::int64_t contentLength, std::int64_t& expectedSize) {
    double percent = 0;
    if (contentLength < 1) {
        if (expectedSize <= 0) {
            expectedSize = kFirstSizeGuess;
        }
        if (expectedSize < received) {
            expectedSize = received * 3;
        }
        percent = static_cast<double>(received) * 100.0 / static_cast<double>(expectedSize);
    } else {
        percent = static_cast<double>(received) * 100.0 / static_cast<double>(contentLength);
    }
    // A compressed body is counted after decompression, against the compressed length.
    return std::clamp(percent, 0.0, 100.0);
}

int BodyPosition(int phaseBase, int current, std::int64_t received, std::int64_t contentLength,
                 std::int64_t& sizeGuess) {
    double ratio = 0;
    if (contentLength >= 1) {
        ratio = static_cast<double>(received) / static_cast<double>(contentLength);
    } else if (sizeGuess == -1) {
        return current;
    } else {
        if (sizeGuess < received) {
            sizeGuess = received * 2;
        }
        ratio = sizeGuess > 0 ? static_cast<double>(received) / static_cast<double>(sizeGuess) : 0.0;
    }
    ratio = std::clamp(ratio, 0.0, 1.0);
    const int base = std::clamp(phaseBase, 0, 100);
    return base + static_cast<int>((100 - base) * ratio);
}

} // namespace vc
