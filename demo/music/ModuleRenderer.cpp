// ModuleRenderer: sub-chunked rendering with position bookkeeping and the
// one-time end-of-music signal.
#include "demo/music/ModuleRenderer.h"

#include "demo/music/MusicPosition.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>

void ModuleRenderer::attach(openmpt::module* newModule, std::uint32_t latencyFrames) {
    module = newModule;
    latency = latencyFrames;
}

void ModuleRenderer::requestPlay() noexcept { playRequested.store(true, std::memory_order_release); }

void ModuleRenderer::render(float* stereo, std::size_t frames) noexcept {
    // Small chunks keep the recorded positions within 5 ms of the sound.
    const std::uint64_t firstFrame = framesRendered;
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t chunk = std::min(maxChunkFrames, frames - done);
        renderChunk(stereo + done * AudioOutput::channels, chunk);
        done += chunk;
    }
    // The newest frame heard by now, by the same estimate the position uses:
    // without latency the one just rendered, else the frame `latency` ahead
    // of this call's first. The sound (fade-out included) ends after the
    // song, so musicEnded never runs ahead of 65535/65535.
    const std::int64_t newestHeard = latency == 0
                                         ? static_cast<std::int64_t>(framesRendered) - 1
                                         : static_cast<std::int64_t>(firstFrame) - latency;
    if (!endReported && soundEnd != noEnd && newestHeard >= 0 &&
        static_cast<std::uint64_t>(newestHeard) >= soundEnd) {
        endReported = true;
        musicEnded.store(true);
    }
}

void ModuleRenderer::renderChunk(float* stereo, std::size_t frames) noexcept {
    const std::uint64_t chunkStart = framesRendered;
    std::size_t produced = 0;
    if (playRequested.exchange(false, std::memory_order_acq_rel) && module != nullptr) {
        try {
            module->set_position_order_row(0, 0);
            playing = inSong = true;
            leftStart = false;
            soundEnd = noEnd;
            endFrame.store(noEnd, std::memory_order_release);
            ring.push(chunkStart, 0, 0);
        } catch (...) {
            playing = false;
        }
    }
    if (playing) {
        try {
            produced = module->read_interleaved_stereo(AudioOutput::sampleRate, frames, stereo);
        } catch (...) {
            produced = 0;
        }
        if (inSong) recordPosition(chunkStart, produced, frames);
        if (produced < frames) {
            // A short read: the decoder has nothing more, not even fade-out.
            playing = false;
            soundEnd = chunkStart + produced;
        }
    }
    std::fill(stereo + produced * AudioOutput::channels, stereo + frames * AudioOutput::channels, 0.0f);
    framesRendered += frames;
}

void ModuleRenderer::recordPosition(std::uint64_t chunkStart, std::size_t produced,
                                    std::size_t frames) noexcept {
    const auto order = static_cast<unsigned>(module->get_current_order());
    const auto row = static_cast<unsigned>(module->get_current_row());
    const bool atStart = order == 0 && row == 0;
    // Played once, a song only comes back to order 0 row 0 when it is over:
    // libopenmpt rewinds there and renders a short fade-out after the last
    // row. From here on the song has ended, whatever the decoder says.
    if ((atStart && leftStart) || produced < frames) {
        inSong = false;
        endFrame.store(atStart && leftStart ? chunkStart : chunkStart + produced,
                       std::memory_order_release);
        return;
    }
    leftStart = leftStart || !atStart;
    ring.push(chunkStart + produced - 1, order, row);
}

ModulePosition ModuleRenderer::positionAt(std::int64_t frame) const noexcept {
    if (frame < 0) return ModulePosition{};
    if (static_cast<std::uint64_t>(frame) >= endFrame.load(std::memory_order_acquire)) {
        return ModulePosition{endPosition, endPosition};
    }
    ModulePosition position;
    if (!ring.find(static_cast<std::uint64_t>(frame), position)) return ModulePosition{};
    return position;
}
