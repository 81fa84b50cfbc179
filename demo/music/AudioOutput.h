// AudioOutput: where the music player's samples go. The demo plays through the
// SDL audio device; tests and the capture tool use an output without a device
// (null: paced by the wall clock) or one rendered on request (offline).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// What an output pulls its samples from, on the output's own thread.
class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Fills `frames` interleaved stereo float frames. Every frame an output
    // plays goes through here exactly once, so the source can count them.
    virtual void render(float* stereo, std::size_t frames) noexcept = 0;
};

// Built by its owner without a source; a player connects one for its
// lifetime and disconnects it before the source goes away.
class AudioOutput {
public:
    static constexpr int sampleRate = 44100;  // Hz
    static constexpr int channels = 2;

    virtual ~AudioOutput() = default;

    // Starts pulling from `source`, counting frames afresh from it.
    virtual void connect(AudioSource& source) = 0;
    // Stops pulling: once it returns, no render of the source runs or is to
    // come, so the source may be destroyed.
    virtual void disconnect() noexcept = 0;
    // How many frames a rendered frame waits before it is heard.
    virtual std::uint32_t latencyFrames() const = 0;
    // Index of the frame heard now, counted from the first frame the source
    // rendered; -1 while nothing has been rendered.
    virtual std::int64_t audibleFrame() = 0;
    // Waits, at most `timeoutSeconds`, until the frame `frame` names has been
    // heard; `frame` answers -1 while it is not known yet. An output that
    // plays in real time polls its audible frame; one rendered on request
    // returns at once, since nothing is heard unless its holder renders it.
    virtual void waitUntilHeard(const std::function<std::int64_t()>& frame, double timeoutSeconds);
};
