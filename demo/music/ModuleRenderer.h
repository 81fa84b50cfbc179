// ModuleRenderer: turns the loaded module into samples for an audio output and
// remembers the frame each row of it began on, so the demo can ask what is
// audible at any moment rather than what was decoded last. It also fades the
// sound out on request, so that stopping mid-song does not click.
#pragma once

#include "demo/music/AudioOutput.h"
#include "demo/music/PositionRing.h"
#include "demo/music/RowLocator.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace openmpt {
class module;
}

class ModuleRenderer : public AudioSource {
public:
    // Reads of at most 5 ms: the decoder's rounding depends on how it is
    // read, and every run the capture tool makes reads the same way.
    static constexpr std::size_t maxChunkFrames = AudioOutput::sampleRate / 200;
    // Reported once the module has been heard to its end: past every order
    // the timeline knows, unlike the 0/0 a finished decoder reads.
    static constexpr unsigned endPosition = 65535;
    // A fade-out lasts this long: short enough to seem immediate, long enough
    // that no step in the wave is heard.
    static constexpr std::int64_t fadeFrames = AudioOutput::sampleRate / 200;  // 5 ms
    static constexpr std::int64_t noFrame = -1;

    // Must happen before the output starts pulling.
    void attach(openmpt::module* module, std::uint32_t latencyFrames);
    // Asks the rendering thread to start the module at order 0, row 0 with
    // its next sub-chunk; until then it renders silence.
    void requestPlay() noexcept;
    // Asks the rendering thread to fade the sound out from its next
    // sub-chunk and stay silent after.
    void requestFadeOut() noexcept;
    // The first frame of the silence that follows a requested fade (or the
    // song's end, or no song at all); noFrame while the fade is still to be
    // rendered.
    std::int64_t silentFrom() const noexcept { return silenceStart.load(std::memory_order_acquire); }
    // The module is being decoded: something may still be heard.
    bool sounding() const noexcept { return decoding.load(std::memory_order_acquire); }

    void render(float* stereo, std::size_t frames) noexcept override;

    // The row playing at `frame` (as counted by render): order 0 row 0 at
    // frame -1 before any music, endPosition from the song's end on.
    RowStart rowAt(std::int64_t frame) const noexcept;
    void rowsStarted(std::int64_t after, std::int64_t upTo, std::vector<RowStart>& rows) const;

private:
    static constexpr std::uint64_t noEnd = ~std::uint64_t{0};

    void renderChunk(float* stereo, std::size_t frames) noexcept;
    void startSong(std::uint64_t chunkStart) noexcept;
    void recordPosition(std::uint64_t chunkStart, std::size_t produced, std::size_t frames) noexcept;
    void fade(float* stereo, std::uint64_t chunkStart, std::size_t frames) noexcept;

    openmpt::module* module = nullptr;
    std::uint32_t latency = 0;
    std::atomic<bool> playRequested{false};
    std::atomic<bool> fadeRequested{false};
    std::atomic<std::int64_t> silenceStart{noFrame};
    std::atomic<bool> decoding{false};
    std::atomic<std::uint64_t> endFrame{noEnd};  // first frame past the song
    PositionRing ring;
    // Rendering thread only:
    RowLocator locator;
    bool playing = false;    // the decoder still renders, fade-out included
    bool inSong = false;     // ... and the song itself is not over yet
    bool leftStart = false;  // the song has moved on from order 0 row 0
    ModulePosition current;  // the row recorded last
    bool timingDue = false;  // its speed and tempo are still to be read
    std::uint64_t soundEnd = noEnd;
    std::uint64_t fadeStart = noEnd;
    bool endReported = false;
    std::uint64_t framesRendered = 0;
};
