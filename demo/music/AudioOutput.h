// AudioOutput: where the music player's samples go. The demo plays through the
// SDL audio device; tests and the capture tool use an output without a device
// (null: paced by the wall clock) or one rendered on demand (offline).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

enum class AudioOutputKind { Device, Null, Offline };

// What an output pulls its samples from, on the output's own thread.
class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Fills `frames` interleaved stereo float frames. Every frame an output
    // plays goes through here exactly once, so the source can count them.
    virtual void render(float* stereo, std::size_t frames) noexcept = 0;
};

class AudioOutput {
public:
    static constexpr int sampleRate = 44100;  // Hz
    static constexpr int channels = 2;

    virtual ~AudioOutput() = default;

    // Starts pulling from the source; until then nothing is rendered.
    virtual void resume() = 0;
    // How many frames a rendered frame waits before it is heard.
    virtual std::uint32_t latencyFrames() const = 0;
    // Index of the frame heard now, counted from the first frame the source
    // rendered; -1 while nothing has been rendered.
    virtual std::int64_t audibleFrame() = 0;
    // Renders `frames` frames on the calling thread, into `stereo` when it is
    // not null. Only an offline output can; the others return false.
    virtual bool renderNow(float* stereo, std::size_t frames);
};

// Opens the output of the given kind, feeding from `source`, paused.
// The device output throws CError "Error bass init" when it cannot be opened.
std::unique_ptr<AudioOutput> makeAudioOutput(AudioOutputKind kind, AudioSource& source);
