// WebAudioOutput: blocks rendered here, scheduled back to back on the
// AudioContext by the script below, and the heard frame looked up from the
// output timestamp in the list of what was scheduled where.
#include "shell/web/WebAudioOutput.h"

#include <emscripten.h>

#include <cmath>

#include "shell/CError.h"

// The schedule lives with the page's AudioContext (Module.audioContext): a
// gain that silences it at the end, and every block's start on the context's
// clock with its first frame, for as long as it may still be heard.
EM_JS(int, velmora_audio_open, (), {
    const context = Module.audioContext;
    if (!context || context.state === "closed") return 0;
    const gain = context.createGain();
    gain.connect(context.destination);
    Module.audioSchedule = {gain : gain, blocks : [], end : 0, heard : 0, sources : []};
    return 1;
});

EM_JS(double, velmora_audio_heard_seconds, (), {
    const context = Module.audioContext;
    const schedule = Module.audioSchedule;
    let heard = context.currentTime;
    const stamp = context.getOutputTimestamp ? context.getOutputTimestamp() : null;
    if (stamp && stamp.performanceTime > 0) {
        // The stamp is when a sample left for the speakers; the time since
        // is added, but never past what the context has processed.
        heard = Math.min(context.currentTime,
                         stamp.contextTime + (performance.now() - stamp.performanceTime) / 1000);
    } else {
        heard -= (context.baseLatency || 0) + (context.outputLatency || 0);
    }
    schedule.heard = Math.max(schedule.heard, heard);
    return schedule.heard;
});

// The frame heard at context time `seconds`: in a gap after a late block,
// the last frame before it; -1 before anything was scheduled.
EM_JS(double, velmora_audio_frame_at, (double seconds, int rate), {
    const blocks = Module.audioSchedule.blocks;
    let frame = -1;
    for (const block of blocks) {
        if (seconds < block.start) break;
        frame = block.first + Math.min(block.frames - 1, Math.floor((seconds - block.start) * rate));
    }
    if (frame < 0 && blocks.length > 0 && blocks[0].first > 0) frame = blocks[0].first - 1;
    return frame;
});

EM_JS(double, velmora_audio_scheduled_ahead, (), {
    const context = Module.audioContext;
    return Math.max(0, Module.audioSchedule.end - context.currentTime);
});

EM_JS(void, velmora_audio_schedule, (const float* left, const float* right, int frames, double first, int rate), {
    const context = Module.audioContext;
    const schedule = Module.audioSchedule;
    const buffer = context.createBuffer(2, frames, rate);
    buffer.copyToChannel(HEAPF32.subarray(left >> 2, (left >> 2) + frames), 0);
    buffer.copyToChannel(HEAPF32.subarray(right >> 2, (right >> 2) + frames), 1);
    const node = context.createBufferSource();
    node.buffer = buffer;
    node.connect(schedule.gain);
    // Back to back with the block before, unless that has already played
    // out (the page was hidden, or a frame took too long): then a little
    // after now, leaving a gap the lookup knows of.
    const start = Math.max(schedule.end, context.currentTime + 0.02);
    node.start(start);
    schedule.end = start + frames / rate;
    schedule.blocks.push({start : start, first : first, frames : frames});
    schedule.sources.push(node);
    node.onended = () => { schedule.sources.splice(schedule.sources.indexOf(node), 1); };
    while (schedule.blocks.length > 2 && schedule.blocks[1].start + 1 < schedule.heard) schedule.blocks.shift();
});

EM_JS(void, velmora_audio_silence, (), {
    const schedule = Module.audioSchedule;
    const context = Module.audioContext;
    if (!schedule || context.state === "closed") return;
    const at = context.currentTime;
    schedule.gain.gain.setValueAtTime(schedule.gain.gain.value, at);
    schedule.gain.gain.linearRampToValueAtTime(0, at + 0.005);
    for (const node of schedule.sources) node.stop(at + 0.01);
});

WebAudioOutput::WebAudioOutput()
    : interleaved(blockFrames * channels), left(blockFrames), right(blockFrames) {
    if (velmora_audio_open() == 0) {
        throw CError("Error bass init", "the browser gives no AudioContext to play the music through");
    }
}

WebAudioOutput::~WebAudioOutput() { velmora_audio_silence(); }

void WebAudioOutput::connect(AudioSource& newSource) {
    source = &newSource;
    framesRendered = 0;
}

void WebAudioOutput::renderBlock() {
    source->render(interleaved.data(), blockFrames);
    for (std::size_t i = 0; i < blockFrames; ++i) {
        left[i] = interleaved[2 * i];
        right[i] = interleaved[2 * i + 1];
    }
    velmora_audio_schedule(left.data(), right.data(), static_cast<int>(blockFrames),
                           static_cast<double>(framesRendered), sampleRate);
    framesRendered += static_cast<std::int64_t>(blockFrames);
}

void WebAudioOutput::pump() {
    if (source == nullptr) return;
    const double missing = double(leadFrames) / sampleRate - velmora_audio_scheduled_ahead();
    const auto blocks = static_cast<int>(std::ceil(missing * sampleRate / double(blockFrames)));
    for (int i = 0; i < blocks; ++i) renderBlock();
}

double WebAudioOutput::heardSeconds() { return velmora_audio_heard_seconds(); }

std::int64_t WebAudioOutput::audibleFrame() {
    return static_cast<std::int64_t>(velmora_audio_frame_at(heardSeconds(), sampleRate));
}

void WebAudioOutput::waitUntilHeard(const std::function<std::int64_t()>& frame, double timeoutSeconds) {
    const auto most = static_cast<std::int64_t>(timeoutSeconds * sampleRate);
    for (std::int64_t rendered = 0; source != nullptr && frame() < 0 && rendered < most;
         rendered += static_cast<std::int64_t>(blockFrames)) {
        renderBlock();
    }
}

std::int64_t AudioClockSource::performanceCounter() {
    return std::llround(output.heardSeconds() * 1e6);
}

std::uint32_t AudioClockSource::tickCount() {
    return static_cast<std::uint32_t>(std::llround(output.heardSeconds() * 1e3));
}
