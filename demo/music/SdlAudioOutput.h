// SdlAudioOutput: the demo's sound card: SDL's default playback device at
// 44100 Hz stereo float, filled from SDL's audio thread while a source is
// connected. It also estimates which frame is being heard, from the buffer
// size and the last callback's time on the device's clock. A device that is lost or stops calling
// back hands the source over to the wall clock, so the demo plays on silently.
#pragma once

#include "demo/music/AudioOutput.h"
#include "demo/music/CallbackPace.h"
#include "demo/music/WallClockFeed.h"

#include <SDL.h>

#include <atomic>

class SdlAudioOutput : public AudioOutput {
public:
    // What the device is asked for: 93 ms, which a sound server on a busy
    // two-core machine keeps fed where 23 ms ran dry again and again. Sync
    // does not suffer: the frame heard is estimated from the buffer granted.
    static constexpr std::uint16_t requestedBufferFrames = 4096;

    // Opens the device, paused. Throws CError "Error bass init" when SDL
    // audio or the device cannot open.
    SdlAudioOutput();
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    void connect(AudioSource& source) override;
    void disconnect() noexcept override;
    // The buffer the device granted, which may differ from the one asked for.
    std::uint32_t latencyFrames() const override { return device.bufferFrames; }
    // Also where a stalled device is noticed: from then on the source is
    // rendered here, on the caller's thread, by the wall clock.
    std::int64_t audibleFrame() override;

    SDL_AudioDeviceID deviceId() const { return device.id; }

private:
    // One owner per SDL resource, released in reverse order.
    class AudioSubsystem {
    public:
        AudioSubsystem();
        ~AudioSubsystem();
        AudioSubsystem(const AudioSubsystem&) = delete;
        AudioSubsystem& operator=(const AudioSubsystem&) = delete;
    };
    class Device {
    public:
        Device(SDL_AudioCallback callback, void* user);
        ~Device();  // pauses, then closes
        Device(const Device&) = delete;
        Device& operator=(const Device&) = delete;
        SDL_AudioDeviceID id = 0;
        std::uint32_t bufferFrames = 0;  // as granted
    };

    static void callback(void* user, Uint8* stream, int bytes);
    std::uint32_t microsecondsNow() const;
    std::int64_t estimateHeard(std::uint64_t packedCallback, std::uint32_t now) const;
    bool stalled(std::uint64_t packedCallback, std::uint32_t now) const;
    std::int64_t takeOver(std::uint64_t packedCallback, std::uint32_t now);

    // Not null while the device plays (connect sets it before unpausing,
    // disconnect clears it after pausing). Written under the device lock,
    // which SDL holds around the callback.
    AudioSource* source = nullptr;
    const Uint64 counterStart;
    const Uint64 counterFrequency;
    // The first frame of the latest callback (high 32 bits) and the time it
    // would have run on the device's clock (32 bits of microseconds), packed
    // so the UI thread reads them together.
    std::atomic<std::uint64_t> lastCallback;
    std::uint32_t framesDelivered = 0;  // under the device lock
    CallbackPace pace;                  // under the device lock
    // Set once the wall clock has taken the source over; the callback renders
    // no more from then on. Under the device lock.
    bool takenOver = false;
    // The UI thread's side of the fallback.
    std::uint32_t connectedAt = 0;  // microseconds
    WallClockFeed fallback;
    AudioSubsystem subsystem;
    Device device;
};
