// SdlAudioOutput: SDL subsystem and device ownership, the audio callback and
// the audible-frame estimate the music position is read through.
#include "demo/music/SdlAudioOutput.h"

#include "demo/music/HeardFrame.h"
#include "shell/CError.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr std::uint64_t noCallbackYet = ~std::uint64_t{0};

// A second without a callback is a device that stopped: a sound server
// suspended, a headset unplugged. Shorter waits misfire: on a loaded machine
// SDL's dummy driver was seen to go 0.4 s without one in a normal run.
constexpr std::int32_t stallMicroseconds = 1000000;

// The driver SDL tried is named, as it is what the player can change.
[[noreturn]] void failInit() {
    const char* driver = SDL_GetCurrentAudioDriver();
    throw CError("Error bass init", std::string("no audio device (") + (driver != nullptr ? driver : "SDL") +
                                        ": " + SDL_GetError() +
                                        "); SDL_AUDIODRIVER=dummy plays the demo without sound");
}

}  // namespace

SdlAudioOutput::AudioSubsystem::AudioSubsystem() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) failInit();
}

SdlAudioOutput::AudioSubsystem::~AudioSubsystem() { SDL_QuitSubSystem(SDL_INIT_AUDIO); }

SdlAudioOutput::Device::Device(SDL_AudioCallback callback, void* user) {
    SDL_AudioSpec wanted{};
    wanted.freq = sampleRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = channels;
    wanted.samples = requestedBufferFrames;
    wanted.callback = callback;
    wanted.userdata = user;
    SDL_AudioSpec obtained{};
    // SDL converts to whatever the hardware wants, so the callback always
    // sees float stereo at 44100 Hz; the buffer may be what the driver
    // prefers, since a buffer SDL re-cut to our size would add latency the
    // estimate of the frame heard cannot see.
    id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
    if (id == 0) failInit();
    bufferFrames = obtained.samples;
}

SdlAudioOutput::Device::~Device() {
    SDL_PauseAudioDevice(id, 1);
    SDL_CloseAudioDevice(id);
}

SdlAudioOutput::SdlAudioOutput()
    : counterStart(SDL_GetPerformanceCounter()),
      counterFrequency(SDL_GetPerformanceFrequency()),
      lastCallback(noCallbackYet),
      device(&SdlAudioOutput::callback, this) {}

SdlAudioOutput::~SdlAudioOutput() = default;

void SdlAudioOutput::connect(AudioSource& newSource) {
    // The device is open and its thread runs, paused or playing another
    // source: the lock keeps the callback out while the source changes.
    SDL_LockAudioDevice(device.id);
    source = &newSource;
    framesDelivered = 0;
    pace.reset();
    takenOver = false;
    lastCallback.store(noCallbackYet, std::memory_order_release);
    SDL_UnlockAudioDevice(device.id);
    fallback.stop();
    connectedAt = microsecondsNow();
    SDL_PauseAudioDevice(device.id, 0);
}

void SdlAudioOutput::disconnect() noexcept {
    // Paused, SDL calls no more callbacks; taking the lock afterwards waits
    // for one that was already running. Only then may the source go.
    SDL_PauseAudioDevice(device.id, 1);
    SDL_LockAudioDevice(device.id);
    source = nullptr;
    SDL_UnlockAudioDevice(device.id);
    fallback.stop();
}

std::uint32_t SdlAudioOutput::microsecondsNow() const {
    const Uint64 ticks = SDL_GetPerformanceCounter() - counterStart;
    // Wraps after about 71 minutes; only differences of a few buffers are used.
    return static_cast<std::uint32_t>(ticks * 1000000u / (counterFrequency != 0 ? counterFrequency : 1));
}

void SdlAudioOutput::callback(void* user, Uint8* stream, int bytes) {
    auto* self = static_cast<SdlAudioOutput*>(user);
    // Once the wall clock renders the source, a second renderer here would
    // corrupt the decoder: a device that comes back only plays silence.
    if (self->source == nullptr || self->takenOver) {
        std::memset(stream, 0, static_cast<std::size_t>(bytes));
        return;
    }
    const std::size_t frames = static_cast<std::size_t>(bytes) / (sizeof(float) * channels);
    const std::uint32_t ran = self->pace.onTime(self->framesDelivered, self->microsecondsNow(), sampleRate);
    self->lastCallback.store((static_cast<std::uint64_t>(self->framesDelivered) << 32) | ran,
                             std::memory_order_release);
    self->source->render(reinterpret_cast<float*>(stream), frames);
    self->framesDelivered += static_cast<std::uint32_t>(frames);
}

std::int64_t SdlAudioOutput::audibleFrame() {
    if (fallback.running()) return fallback.audibleFrame();
    const std::uint64_t packed = lastCallback.load(std::memory_order_acquire);
    const std::uint32_t now = microsecondsNow();
    if (source != nullptr && stalled(packed, now)) return takeOver(packed, now);
    return estimateHeard(packed, now);
}

std::int64_t SdlAudioOutput::estimateHeard(std::uint64_t packed, std::uint32_t now) const {
    if (packed == noCallbackYet) return -1;
    const auto firstFrame = static_cast<std::uint32_t>(packed >> 32);
    const auto callbackTime = static_cast<std::uint32_t>(packed & 0xFFFFFFFFu);
    return heardFrame(firstFrame, static_cast<std::int32_t>(now - callbackTime), device.bufferFrames, sampleRate);
}

bool SdlAudioOutput::stalled(std::uint64_t packed, std::uint32_t now) const {
    if (SDL_GetAudioDeviceStatus(device.id) == SDL_AUDIO_STOPPED) return true;
    const std::uint32_t lastSign =
        packed == noCallbackYet ? connectedAt : static_cast<std::uint32_t>(packed & 0xFFFFFFFFu);
    // Signed: a callback put on the device's clock can lie a little ahead.
    return static_cast<std::int32_t>(now - lastSign) > stallMicroseconds;
}

std::int64_t SdlAudioOutput::takeOver(std::uint64_t packed, std::uint32_t now) {
    // The lock waits for a callback that is still running; after it none
    // renders again, whatever the device does.
    SDL_LockAudioDevice(device.id);
    takenOver = true;
    const std::int64_t rendered = framesDelivered;
    SDL_UnlockAudioDevice(device.id);
    SDL_PauseAudioDevice(device.id, 1);
    std::fprintf(stderr, "velmora: the audio device stopped; the demo plays on without sound\n");
    fallback.start(*source, estimateHeard(packed, now), rendered, device.bufferFrames);
    return fallback.audibleFrame();
}
