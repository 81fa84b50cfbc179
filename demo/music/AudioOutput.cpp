// AudioOutput: the choice between the device, null and offline outputs.
#include "demo/music/AudioOutput.h"

#include "demo/music/NullAudioOutput.h"
#include "demo/music/OfflineAudioOutput.h"
#include "demo/music/SdlAudioOutput.h"

bool AudioOutput::renderNow(float*, std::size_t) { return false; }

std::unique_ptr<AudioOutput> makeAudioOutput(AudioOutputKind kind, AudioSource& source) {
    switch (kind) {
    case AudioOutputKind::Null: return std::make_unique<NullAudioOutput>(source);
    case AudioOutputKind::Offline: return std::make_unique<OfflineAudioOutput>(source);
    case AudioOutputKind::Device: break;
    }
    return std::make_unique<SdlAudioOutput>(source);
}
