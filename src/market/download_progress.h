// Progress arithmetic of downloads, kept apart from the network code so the size guessing can be
// checked byte count by byte count.
#pragma once

#include <cstdint>

namespace vc {

// The size a session assumes for a body sent without a length until more has arrived.
inline constexpr std::int64_t kFirstSizeGuess = 20000;

// Percent 0..100 of a session's body. contentLength below 1 means none was announced; then
// expectedSize (0 at the start of an attempt) becomes the first guess and, once the body outgrows
// it, three times the received count, so the progress falls back and climbs again.
double SessionProgress(std::int64_t received, std::int64_t contentLength, std::int64_t& expectedSize);

// Position 0..100 of a client's body between phaseBase (the position when the body began) and 100.
// Without an announced length the sizeGuess is used, doubled past the received count when
// outgrown; a sizeGuess of -1 leaves the position where it is.
int BodyPosition(int phaseBase, int current, std::int64_t received, std::int64_t contentLength,
                 std::int64_t& sizeGuess);

} // namespace vc
