// SoundAlignment: the walk along the song, the gaps it steps over, and the
// correlation search around a beat.
#include "tools/benchmark/SoundAlignment.h"

#include <algorithm>
#include <cmath>

namespace {

// libopenmpt rounds a little differently when read in other pieces (the
// player reads 5 ms at a time): far below this.
constexpr float tolerance = 1e-4f;
constexpr std::int64_t matchRun = 64;           // frames that must agree
constexpr std::int64_t searchAhead = 5 * 44100;  // song left out: at most 5 s
constexpr std::int64_t searchBack = 44100;       // or heard again: at most 1 s

}  // namespace

SoundAlignment::SoundAlignment(const std::vector<float>& song, const std::vector<float>& recording)
    : song(song), recording(recording) {
    const auto songFrames = static_cast<std::int64_t>(song.size() / 2);
    const auto recordingFrames = static_cast<std::int64_t>(recording.size() / 2);
    auto firstSound = [](const std::vector<float>& samples) {
        for (std::size_t i = 0; i < samples.size(); ++i) {
            if (std::fabs(samples[i]) > tolerance) return static_cast<std::int64_t>(i / 2);
        }
        return std::int64_t{-1};
    };
    const std::int64_t songStart = firstSound(song);
    const std::int64_t heardStart = firstSound(recording);
    if (songStart < 0 || heardStart < 0) return;
    std::int64_t lag = heardStart - songStart;
    if (!matches(songStart + lag, songStart, matchRun)) return;
    segments.push_back({0, lag});
    std::int64_t frame = songStart;
    while (frame < songFrames && frame + lag < recordingFrames) {
        if (matches(frame + lag, frame, 1)) {
            ++frame;
            continue;
        }
        // The server played silence here (an underrun), and may have left
        // out some of the song when it went on.
        std::int64_t resumed = frame + lag;
        while (resumed < recordingFrames && silentAt(resumed)) ++resumed;
        std::int64_t resumedSong = frame;
        if (!findSongFrame(resumed, frame, resumedSong)) break;
        gapList.push_back({frame, resumed - (frame + lag), resumedSong - frame});
        lag = resumed - resumedSong;
        segments.push_back({std::max(resumedSong, frame), lag});
        frame = resumedSong;
    }
    alignedEnd = frame;
}

bool SoundAlignment::matches(std::int64_t recordingFrame, std::int64_t songFrame, std::int64_t count) const {
    if (recordingFrame < 0 || songFrame < 0) return false;
    if ((recordingFrame + count) * 2 > static_cast<std::int64_t>(recording.size()) ||
        (songFrame + count) * 2 > static_cast<std::int64_t>(song.size())) {
        return false;
    }
    for (std::int64_t i = 0; i < count * 2; ++i) {
        if (std::fabs(recording[(recordingFrame * 2) + i] - song[(songFrame * 2) + i]) > tolerance) return false;
    }
    return true;
}

bool SoundAlignment::silentAt(std::int64_t recordingFrame) const {
    return recording[recordingFrame * 2] == 0.0f && recording[recordingFrame * 2 + 1] == 0.0f;
}

bool SoundAlignment::findSongFrame(std::int64_t recordingFrame, std::int64_t songFrame,
                                   std::int64_t& found) const {
    // Nearest first: a few frames left out is likelier than many.
    for (std::int64_t distance = 0; distance <= searchAhead; ++distance) {
        if (matches(recordingFrame, songFrame + distance, matchRun)) {
            found = songFrame + distance;
            return true;
        }
        if (distance > 0 && distance <= searchBack && matches(recordingFrame, songFrame - distance, matchRun)) {
            found = songFrame - distance;
            return true;
        }
    }
    return false;
}

std::int64_t SoundAlignment::recordingFrame(std::int64_t songFrame) const {
    if (segments.empty()) return -1;
    auto segment = std::upper_bound(segments.begin(), segments.end(), songFrame,
                                    [](std::int64_t frame, const Segment& s) { return frame < s.songFrame; });
    return songFrame + std::prev(segment)->lag;
}

std::int64_t SoundAlignment::correlate(std::int64_t songFrame, std::int64_t radius) const {
    constexpr std::int64_t before = 1024;
    constexpr std::int64_t after = 2048;
    const std::int64_t guess = recordingFrame(songFrame);
    const auto songFrames = static_cast<std::int64_t>(song.size() / 2);
    const auto recordingFrames = static_cast<std::int64_t>(recording.size() / 2);
    if (guess < 0 || songFrame - before < 0 || songFrame + after > songFrames) return -1;
    auto mono = [](const std::vector<float>& samples, std::int64_t frame) {
        return double(samples[frame * 2]) + double(samples[frame * 2 + 1]);
    };
    double songEnergy = 0.0;
    for (std::int64_t i = -before; i < after; ++i) songEnergy += mono(song, songFrame + i) * mono(song, songFrame + i);
    double best = -2.0;
    std::int64_t bestFrame = -1;
    for (std::int64_t candidate = guess - radius; candidate <= guess + radius; ++candidate) {
        if (candidate - before < 0 || candidate + after > recordingFrames) continue;
        double product = 0.0;
        double energy = 0.0;
        for (std::int64_t i = -before; i < after; ++i) {
            const double heard = mono(recording, candidate + i);
            product += heard * mono(song, songFrame + i);
            energy += heard * heard;
        }
        const double score = energy > 0.0 && songEnergy > 0.0 ? product / std::sqrt(energy * songEnergy) : -1.0;
        if (score > best) {
            best = score;
            bestFrame = candidate;
        }
    }
    return bestFrame;
}
