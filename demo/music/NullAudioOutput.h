// NullAudioOutput: plays nowhere but keeps time. It stands in for a sound card
// on a machine without one: the music position still advances with the wall
// clock, so the timeline runs and the demo ends as it would with sound.
#pragma once

#include "demo/music/WallClockFeed.h"

class NullAudioOutput : public AudioOutput {
public:
    // Starts the wall clock the source is rendered by.
    void connect(AudioSource& source) override { feed.start(source, -1, 0, 0); }
    void disconnect() noexcept override { feed.stop(); }
    std::uint32_t latencyFrames() const override { return 0; }
    // Renders, on the calling thread, every frame due since connect.
    std::int64_t audibleFrame() override { return feed.audibleFrame(); }

private:
    WallClockFeed feed;
};
