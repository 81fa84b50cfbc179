// PositionRing: what the audio thread rendered where. The renderer records the
// module position of each sub-chunk's last frame; the UI thread looks up the
// position of the frame being heard. One writer, one reader, no locks.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

struct ModulePosition {
    unsigned order = 0;
    unsigned row = 0;
};

class PositionRing {
public:
    // 256 sub-chunks of 5 ms: over a second of history, far more than the
    // output latency the reader looks back across.
    static constexpr std::size_t capacity = 256;

    // Writer side: `frame` must not decrease from one call to the next.
    void push(std::uint64_t frame, unsigned order, unsigned row) noexcept;
    // Reader side: the position of the newest entry at or before `frame`;
    // false when there is none.
    bool find(std::uint64_t frame, ModulePosition& position) const noexcept;

private:
    // Each slot packs the frame's low 32 bits with the order and row, so one
    // atomic load gives a consistent entry. Frames are compared modulo 2^32,
    // which holds for anything closer than 13 hours of audio.
    std::array<std::atomic<std::uint64_t>, capacity> slots{};
    std::atomic<std::uint64_t> count{0};
};
