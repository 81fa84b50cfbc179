// Arrangement: the cell-writing steps. Writes outside the pattern are dropped,
// so parts can write echoes and pickups without checking the edges.
#include "tools/soundtrack/Arrangement.h"

#include <algorithm>

namespace arrangement {

void put(ItPattern& pattern, int row, int channel, int note, int instrument, int volume) {
    if (row < 0 || row >= pattern.rows()) return;
    ItCell& cell = pattern.cell(row, channel);
    cell.note = note;
    cell.instrument = instrument;
    cell.volume = std::clamp(volume, 0, 64);
}

void setVolume(ItPattern& pattern, int row, int channel, int volume) {
    if (row < 0 || row >= pattern.rows()) return;
    pattern.cell(row, channel).volume = std::clamp(volume, 0, 64);
}

void effect(ItPattern& pattern, int row, int channel, char command, std::uint8_t parameter) {
    if (row < 0 || row >= pattern.rows()) return;
    pattern.cell(row, channel).command = command;
    pattern.cell(row, channel).parameter = parameter;
}

int touch(int volume, int order, int row, int channel, int spread) {
    std::uint32_t h = static_cast<std::uint32_t>(order * 7919 + row * 104729 + channel * 15485863) ^ 0x9e3779b9u;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return volume + static_cast<int>(h % static_cast<std::uint32_t>(2 * spread + 1)) - spread;
}

}  // namespace arrangement
