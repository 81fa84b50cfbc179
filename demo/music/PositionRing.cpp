// PositionRing: the lock-free row-start history.
#include "demo/music/PositionRing.h"

#include <algorithm>

namespace {

// The entry's frame in full, from its low 32 bits and a frame at or after it.
std::uint64_t entryFrame(std::uint64_t packed, std::uint64_t reference) {
    const auto low = static_cast<std::uint32_t>(packed >> 32);
    return reference - static_cast<std::uint32_t>(static_cast<std::uint32_t>(reference) - low);
}

bool atOrBefore(std::uint64_t packed, std::uint64_t frame) {
    const auto low = static_cast<std::uint32_t>(packed >> 32);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(frame) - low) >= 0;
}

RowStart unpack(std::uint64_t packed, std::uint64_t reference) {
    RowStart row;
    row.frame = static_cast<std::int64_t>(entryFrame(packed, reference));
    row.position.order = static_cast<unsigned>((packed >> 16) & 0xFFFFu);
    row.position.row = static_cast<unsigned>(packed & 0xFFFFu);
    return row;
}

}  // namespace

void PositionRing::push(std::uint64_t frame, unsigned order, unsigned row) noexcept {
    const std::uint64_t index = count.load(std::memory_order_relaxed);
    const std::uint64_t packed = (frame & 0xFFFFFFFFu) << 32 | (order & 0xFFFFu) << 16 | (row & 0xFFFFu);
    slots[index % capacity].store(packed, std::memory_order_relaxed);
    count.store(index + 1, std::memory_order_release);
}

bool PositionRing::find(std::uint64_t frame, RowStart& found) const noexcept {
    const std::uint64_t newest = count.load(std::memory_order_acquire);
    const std::uint64_t oldest = newest > capacity ? newest - capacity : 0;
    for (std::uint64_t i = newest; i > oldest; --i) {
        const std::uint64_t packed = slots[(i - 1) % capacity].load(std::memory_order_relaxed);
        if (atOrBefore(packed, frame)) {
            found = unpack(packed, frame);
            return true;
        }
    }
    return false;
}

void PositionRing::collect(std::int64_t after, std::uint64_t upTo, std::vector<RowStart>& rows) const {
    const std::uint64_t newest = count.load(std::memory_order_acquire);
    const std::uint64_t oldest = newest > capacity ? newest - capacity : 0;
    const std::size_t first = rows.size();
    for (std::uint64_t i = newest; i > oldest; --i) {
        const std::uint64_t packed = slots[(i - 1) % capacity].load(std::memory_order_relaxed);
        if (!atOrBefore(packed, upTo)) continue;
        const RowStart row = unpack(packed, upTo);
        if (row.frame <= after) break;
        rows.push_back(row);
    }
    std::reverse(rows.begin() + static_cast<std::ptrdiff_t>(first), rows.end());
}
