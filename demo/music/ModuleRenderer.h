// ModuleRenderer: turns the loaded module into samples for an audio output and
// remembers which order and row each stretch of samples belongs to, so the
// demo can ask what is audible now rather than what was decoded last.
#pragma once

#include "demo/music/AudioOutput.h"
#include "demo/music/PositionRing.h"

#include <atomic>
#include <cstdint>

namespace openmpt {
class module;
}

class ModuleRenderer : public AudioSource {
public:
    static constexpr std::size_t maxChunkFrames = AudioOutput::sampleRate / 200;  // 5 ms
    // Reported once the module has been heard to its end: past every order
    // the timeline knows, unlike the 0/0 a finished decoder reads.
    static constexpr unsigned endPosition = 65535;

    // Must happen before the output starts pulling.
    void attach(openmpt::module* module, std::uint32_t latencyFrames);
    // Asks the rendering thread to start the module at order 0, row 0 with
    // its next sub-chunk; until then it renders silence.
    void requestPlay() noexcept;

    void render(float* stereo, std::size_t frames) noexcept override;

    // The position of the given frame (as counted by render); 0/0 for a
    // frame before any music, endPosition for one at or past the end.
    ModulePosition positionAt(std::int64_t frame) const noexcept;

private:
    static constexpr std::uint64_t noEnd = ~std::uint64_t{0};

    void renderChunk(float* stereo, std::size_t frames) noexcept;
    void recordPosition(std::uint64_t chunkStart, std::size_t produced, std::size_t frames) noexcept;

    openmpt::module* module = nullptr;
    std::uint32_t latency = 0;
    std::atomic<bool> playRequested{false};
    std::atomic<std::uint64_t> endFrame{noEnd};  // first frame past the song
    PositionRing ring;
    // Rendering thread only:
    bool playing = false;    // the decoder still renders, fade-out included
    bool inSong = false;     // ... and the song itself is not over yet
    bool leftStart = false;  // the song has moved on from order 0 row 0
    std::uint64_t soundEnd = noEnd;
    bool endReported = false;
    std::uint64_t framesRendered = 0;
};
