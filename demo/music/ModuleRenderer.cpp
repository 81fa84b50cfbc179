// ModuleRenderer: sub-chunked rendering with the row starts recorded to the
// frame, the one-time end-of-music signal and the fade-out.
#include "demo/music/ModuleRenderer.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>

void ModuleRenderer::attach(openmpt::module* newModule, std::uint32_t latencyFrames) {
    module = newModule;
    latency = latencyFrames;
}

void ModuleRenderer::requestPlay() noexcept { playRequested.store(true, std::memory_order_release); }

void ModuleRenderer::requestFadeOut() noexcept { fadeRequested.store(true, std::memory_order_release); }

void ModuleRenderer::render(float* stereo, std::size_t frames) noexcept {
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

void ModuleRenderer::startSong(std::uint64_t chunkStart) noexcept {
    playing = inSong = true;
    leftStart = false;
    soundEnd = noEnd;
    endFrame.store(noEnd, std::memory_order_release);
    current = ModulePosition{};
    locator.restart(static_cast<std::int64_t>(chunkStart));
    timingDue = true;
    ring.push(chunkStart, 0, 0);
}

void ModuleRenderer::renderChunk(float* stereo, std::size_t frames) noexcept {
    const std::uint64_t chunkStart = framesRendered;
    std::size_t produced = 0;
    if (playRequested.exchange(false, std::memory_order_acq_rel) && module != nullptr) {
        try {
            module->set_position_order_row(0, 0);
            startSong(chunkStart);
        } catch (...) {
            playing = false;
        }
    }
    if (fadeRequested.exchange(false, std::memory_order_acq_rel) && fadeStart == noEnd) {
        fadeStart = chunkStart;
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
        if (fadeStart != noEnd) fade(stereo, chunkStart, produced);
    }
    std::fill(stereo + produced * AudioOutput::channels, stereo + frames * AudioOutput::channels, 0.0f);
    framesRendered += frames;
    decoding.store(playing, std::memory_order_release);
    if (fadeStart != noEnd && silenceStart.load(std::memory_order_relaxed) == noFrame) {
        const std::uint64_t faded = fadeStart + fadeFrames;
        if (!playing || framesRendered >= faded) {
            // Nothing is decoded any more: the rest is silence.
            playing = false;
            const std::uint64_t silent = produced < frames ? std::min(faded, chunkStart + produced) : faded;
            silenceStart.store(static_cast<std::int64_t>(std::max(silent, fadeStart)), std::memory_order_release);
        }
    }
}

void ModuleRenderer::fade(float* stereo, std::uint64_t chunkStart, std::size_t frames) noexcept {
    for (std::size_t i = 0; i < frames; ++i) {
        const std::uint64_t frame = chunkStart + i;
        if (frame < fadeStart) continue;
        const auto k = static_cast<std::int64_t>(frame - fadeStart);
        const float gain = k < fadeFrames ? float(fadeFrames - k) / float(fadeFrames + 1) : 0.0f;
        stereo[i * AudioOutput::channels] *= gain;
        stereo[i * AudioOutput::channels + 1] *= gain;
    }
}

void ModuleRenderer::recordPosition(std::uint64_t chunkStart, std::size_t produced,
                                    std::size_t frames) noexcept {
    const ModulePosition now{static_cast<unsigned>(module->get_current_order()),
                             static_cast<unsigned>(module->get_current_row())};
    const bool atStart = now.order == 0 && now.row == 0;
    const bool changed = now.order != current.order || now.row != current.row;
    // Played once, a song only comes back to order 0 row 0 when it is over:
    // libopenmpt rewinds there and renders a short fade-out after the last
    // row. From here on the song has ended, whatever the decoder says.
    if (atStart && leftStart) {
        inSong = false;
        endFrame.store(static_cast<std::uint64_t>(locator.locate(static_cast<std::int64_t>(chunkStart), produced)),
                       std::memory_order_release);
        return;
    }
    if (produced < frames) {
        inSong = false;
        endFrame.store(chunkStart + produced, std::memory_order_release);
        return;
    }
    leftStart = leftStart || !atStart;
    if (changed) {
        const std::int64_t start = locator.locate(static_cast<std::int64_t>(chunkStart), produced);
        ring.push(static_cast<std::uint64_t>(start), now.order, now.row);
        current = now;
        timingDue = true;
    }
    // Read within the row's first tick (a chunk is shorter than any tick):
    // the speed and tempo the row plays at, its own commands included.
    if (timingDue) {
        locator.rowTiming(AudioOutput::sampleRate, module->get_current_speed(), module->get_current_tempo());
        timingDue = false;
    }
}

RowStart ModuleRenderer::rowAt(std::int64_t frame) const noexcept {
    if (frame < 0) return RowStart{};
    const std::uint64_t end = endFrame.load(std::memory_order_acquire);
    if (static_cast<std::uint64_t>(frame) >= end) {
        return RowStart{static_cast<std::int64_t>(end), ModulePosition{endPosition, endPosition}};
    }
    RowStart found;
    if (!ring.find(static_cast<std::uint64_t>(frame), found)) return RowStart{};
    return found;
}

void ModuleRenderer::rowsStarted(std::int64_t after, std::int64_t upTo, std::vector<RowStart>& rows) const {
    if (upTo >= 0) ring.collect(after, static_cast<std::uint64_t>(upTo), rows);
}
