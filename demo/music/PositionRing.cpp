// PositionRing: the lock-free frame → (order, row) history.
#include "demo/music/PositionRing.h"

void PositionRing::push(std::uint64_t frame, unsigned order, unsigned row) noexcept {
    const std::uint64_t index = count.load(std::memory_order_relaxed);
    const std::uint64_t packed = (frame & 0xFFFFFFFFu) << 32 | (order & 0xFFFFu) << 16 | (row & 0xFFFFu);
    slots[index % capacity].store(packed, std::memory_order_relaxed);
    count.store(index + 1, std::memory_order_release);
}

bool PositionRing::find(std::uint64_t frame, ModulePosition& position) const noexcept {
    const std::uint64_t newest = count.load(std::memory_order_acquire);
    const std::uint64_t oldest = newest > capacity ? newest - capacity : 0;
    const auto target = static_cast<std::uint32_t>(frame);
    for (std::uint64_t i = newest; i > oldest; --i) {
        const std::uint64_t packed = slots[(i - 1) % capacity].load(std::memory_order_relaxed);
        const auto entryFrame = static_cast<std::uint32_t>(packed >> 32);
        if (static_cast<std::int32_t>(target - entryFrame) >= 0) {
            position.order = static_cast<unsigned>((packed >> 16) & 0xFFFFu);
            position.row = static_cast<unsigned>(packed & 0xFFFFu);
            return true;
        }
    }
    return false;
}
