// RowLocator: narrowing a row's start from the chunk it was seen in and the
// length of the row before it.
#include "demo/music/RowLocator.h"

#include <algorithm>

std::int64_t RowLocator::tickFrames(int sampleRate, int tempo) {
    // sampleRate · 5 / (2 · tempo), the fraction dropped, as libopenmpt
    // counts it (tempo 97 gives 1136 frames, not 1137).
    return std::int64_t{5} * sampleRate / (std::int64_t{2} * tempo);
}

void RowLocator::restart(std::int64_t frame) {
    earliest = latest = frame;
    rowFrames = 0;
}

std::int64_t RowLocator::locate(std::int64_t chunkStart, std::size_t frames) {
    const std::int64_t chunkLast = chunkStart + static_cast<std::int64_t>(frames) - 1;
    std::int64_t first = chunkStart;
    std::int64_t last = chunkLast;
    if (rowFrames > 0) {
        // The row before ran its length from wherever it began.
        first = std::max(first, earliest + rowFrames);
        last = std::min(last, latest + rowFrames);
    }
    if (first > last) {
        // A row of another length (a tempo slide, a pattern delay): all that
        // is known is the chunk.
        first = chunkStart;
        last = chunkLast;
    }
    earliest = first;
    latest = last;
    rowFrames = 0;
    return latest;
}

void RowLocator::rowTiming(int sampleRate, int speed, int tempo) {
    rowFrames = speed > 0 && tempo > 0 ? speed * tickFrames(sampleRate, tempo) : 0;
}
