// The position a frame shows: the lead it is drawn ahead of the sound by,
// worked out from the recent frames on a stepped clock, and the moment on the
// song's sample clock that lead points a frame at.
#include <gtest/gtest.h>

#include <vector>

#include "demo/PresentationLead.h"
#include "demo/PresentedPosition.h"
#include "tests/demo/SteppedSong.h"

namespace {

TEST(PresentationLead, AimsAtTheMiddleOfTheFramesTimeOnScreenFromRecentFrames) {
    struct Frame {
        double render;  // start to present, seconds; < 0: drawn but not presented
        double interval;  // start to the next start
    };
    struct Case {
        const char* name;
        std::vector<Frame> frames;
        double lead;  // at the start of the frame after them
    };
    const std::vector<Frame> steady(12, Frame{0.010, 0.016});
    std::vector<Frame> oneStall = steady;
    oneStall[8] = {0.300, 0.310};
    std::vector<Frame> warmUps = steady;
    warmUps[10] = {-1.0, 0.050};
    warmUps[11] = {-1.0, 0.050};
    const Case cases[] = {
        {"nothing shown yet", {}, 0.0},
        {"one frame shown: its render time and half its interval", {{0.012, 0.016}}, 0.012 + 0.008},
        {"steady 16 ms frames rendered in 10 ms", steady, 0.010 + 0.008},
        {"one stalled frame does not move it", oneStall, 0.010 + 0.008},
        {"frames slower than a tenth of a second are capped",
         std::vector<Frame>(12, Frame{0.150, 0.160}), PresentationLead::maxLeadSeconds},
        {"frames drawn but not shown measure nothing", warmUps, 0.010 + 0.008},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PresentationLead lead;
        EXPECT_EQ(lead.seconds(), 0.0);
        double start = 100.0;
        for (const Frame& frame : c.frames) {
            lead.frameStarts(start);
            if (frame.render >= 0.0) lead.framePresented(start + frame.render);
            start += frame.interval;
        }
        lead.frameStarts(start);
        EXPECT_NEAR(lead.seconds(), c.lead, 1e-9);
    }
}

TEST(PresentedPosition, ShowsTheRowHeardOneLeadAfterTheFrameStartsAndNeverGoesBack) {
    SteppedSong song;
    PresentedPosition position(song);
    const std::int64_t row3 = SteppedSong::frameOf(0, 3);

    song.heard = -1;  // nothing heard yet: the song's start
    position.beginFrame(0.05);
    EXPECT_EQ(position.order(), 0u);
    EXPECT_EQ(position.row(), 0u);

    song.heard = row3 - 882;  // 20 ms before row 3: 0.02 s × 44100 frames
    position.beginFrame(0.019);
    EXPECT_EQ(position.row(), 2u);
    position.beginFrame(0.02);
    EXPECT_EQ(position.row(), 3u);
    EXPECT_EQ(position.shownFrame(), row3);
    EXPECT_EQ(position.heardAtStart(), row3 - 882);

    // The sound moves on while the frame is drawn; the frame keeps its moment.
    song.heard = row3 + 3 * SteppedSong::rowFrames;
    EXPECT_EQ(position.row(), 3u);
    EXPECT_EQ(position.order(), 0u);

    // A shorter lead next frame would show an earlier moment: it holds.
    song.heard = row3 - 2000;
    position.beginFrame(0.0);
    EXPECT_EQ(position.shownFrame(), row3);
    EXPECT_EQ(position.row(), 3u);

    // Aimed past what has been decoded: the newest row known.
    song.heard = SteppedSong::frameOf(0, 5) + 1000;  // + 0.1 s: into row 6
    song.decoded = SteppedSong::frameOf(0, 5) + 2000;
    position.beginFrame(0.1);
    EXPECT_EQ(position.row(), 5u);
}

TEST(PresentedPosition, NamesTheRowsPassedSinceTheLastFrameOnceAndNotItsOwn) {
    SteppedSong song;
    PresentedPosition position(song);
    auto frameAt = [&](unsigned row, std::int64_t into) {
        song.heard = SteppedSong::frameOf(0, row) + into;
        position.beginFrame(0.0);
        std::vector<ModulePosition> passed;
        position.takePassedRows(passed);
        position.row();  // the frame's own query
        std::vector<unsigned> rows;
        for (ModulePosition p : passed) rows.push_back(p.row);
        return rows;
    };
    using Rows = std::vector<unsigned>;
    EXPECT_EQ(frameAt(0, 10), Rows{});
    EXPECT_EQ(frameAt(1, 10), Rows{}) << "the next row, shown: none passed";
    EXPECT_EQ(frameAt(1, 900), Rows{});
    EXPECT_EQ(frameAt(5, 10), (Rows{2, 3, 4})) << "a gap: the rows between, oldest first";
    EXPECT_EQ(frameAt(5, 900), Rows{}) << "each named once";
    EXPECT_EQ(frameAt(6, 0), Rows{});
}

}  // namespace
