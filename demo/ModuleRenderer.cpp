// ModuleRenderer: sub-chunked rendering with position bookkeeping and the
// one-time end-of-music signal.
#include "demo/ModuleRenderer.h"

#include "demo/MusicPosition.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>

void ModuleRenderer::attach(openmpt::module* newModule, std::uint32_t latencyFrames) {
    module = newModule;
    latency = latencyFrames;
}

void ModuleRenderer::requestPlay() noexcept { playRequested.store(true, std::memory_order_release); }

void ModuleRenderer::render(float* stereo, std::size_t frames) noexcept {
    // Small chunks keep the recorded positions within 5 ms of the sound.
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t chunk = std::min(maxChunkFrames, frames - done);
        renderChunk(stereo + done * AudioOutput::channels, chunk);
        done += chunk;
    }
}

void ModuleRenderer::renderChunk(float* stereo, std::size_t frames) noexcept {
    const std::uint64_t chunkStart = framesRendered;
    std::size_t produced = 0;
    if (playRequested.exchange(false, std::memory_order_acq_rel) && module != nullptr) {
        try {
            module->set_position_order_row(0, 0);
            playing = true;
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
        if (produced == frames) {
            ring.push(chunkStart + produced - 1, static_cast<unsigned>(module->get_current_order()),
                      static_cast<unsigned>(module->get_current_row()));
        } else {
            // A short read is the end of the song. The decoder's position is
            // already meaningless here (it reads 0/0), so the frames up to the
            // end keep the last recorded row.
            playing = false;
            endFrame.store(chunkStart + produced, std::memory_order_release);
        }
    }
    std::fill(stereo + produced * AudioOutput::channels, stereo + frames * AudioOutput::channels, 0.0f);
    framesRendered += frames;

    const std::uint64_t end = endFrame.load(std::memory_order_relaxed);
    if (!endReported && end != noEnd && framesRendered >= end + latency) {
        // By now the last frame of the song has left the output buffer.
        endReported = true;
        musicEnded.store(true);
    }
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
