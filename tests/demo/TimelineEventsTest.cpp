// The timeline's beat events against logging stand-ins for the scenes: each
// event on its rows only, on every frame of its row, before the draw, with
// the scene's own time scale; and, on a stepped song clock, the events of
// rows that passed between two frames.
#include "TimelineLogicRig.h"

#include "demo/PresentedPosition.h"
#include "tests/demo/SteppedSong.h"

namespace {

TEST_F(TimelineLogic, EachSceneGetsItsOwnTimeScaleConvertedAfterTheDoubleMultiply) {
    warmUp();
    // Narrowing before multiplying gives different floats for this clock.
    ASSERT_NE(static_cast<float>(now * 5.0), static_cast<float>(now) * 5.0f);
    ASSERT_NE(static_cast<float>(now * 6.0), static_cast<float>(now) * 6.0f);
    ASSERT_NE(static_cast<float>(now * 20.0), static_cast<float>(now) * 20.0f);
    const float t1 = static_cast<float>(now);

    EXPECT_EQ(frame(0, 0).call("intro.draw").time, t1);
    EXPECT_EQ(frame(6, 12).call("pulse.draw").time, static_cast<float>(now * 5.0));
    EXPECT_EQ(frame(11, 0).call("star.draw").time, t1);
    EXPECT_EQ(frame(14, 0).call("torus.draw").time, static_cast<float>(now * 6.0));
    const Frame overlay = frame(25, 0);
    EXPECT_EQ(overlay.call("torus.draw").time, static_cast<float>(now * 6.0));
    EXPECT_EQ(overlay.call("star.draw").time, static_cast<float>(now * 20.0));
    EXPECT_EQ(frame(31, 0).call("grid.draw").time, t1);
}

TEST_F(TimelineLogic, IntroSpinIsSwitchedOnFromOrderTwoBeforeTheDraw) {
    EXPECT_EQ(frame(1, 63).call("intro.draw").detail, 0);
    EXPECT_FALSE(intro.spinEnabled);
    EXPECT_EQ(frame(2, 0).call("intro.draw").detail, 1);
    intro.spinEnabled = false;
    EXPECT_EQ(frame(2, 40).call("intro.draw").detail, 1) << "set again on every frame of order 2";
    EXPECT_EQ(frame(3, 0).call("intro.draw").detail, 1) << "never cleared";
}

TEST_F(TimelineLogic, IntroSpinStaysOffWhenTheMusicSkipsOrderTwo) {
    for (unsigned order : {0u, 1u, 3u}) {
        frame(order, 0);
    }
    EXPECT_FALSE(intro.spinEnabled);
}

TEST_F(TimelineLogic, PulsingSphereBeatsFireOnTheirRowsOfOrdersSixToNine) {
    warmUp();
    const float t5 = static_cast<float>(now * 5.0);
    for (unsigned order = 5; order <= 10; ++order) {
        for (unsigned row : {11u, 12u, 13u, 19u, 20u, 21u, 44u, 45u, 46u, 51u, 52u, 53u}) {
            const Frame f = frame(order, row);
            const bool beat = order >= 6 && order <= 9 &&
                              (row == 12 || row == 20 || row == 45 || row == 52);
            if (beat) {
                EXPECT_EQ(f.trace,
                          "intro.stop pulse.nudge pulse.disc pulse.flash pulse.draw present")
                    << "order " << order << " row " << row;
                EXPECT_EQ(f.call("pulse.disc").time, t5);
                EXPECT_EQ(f.call("pulse.flash").time, t5);
            } else {
                EXPECT_FALSE(f.has("pulse.nudge") || f.has("pulse.disc") || f.has("pulse.flash"))
                    << "order " << order << " row " << row;
            }
        }
    }
}

TEST_F(TimelineLogic, CubeStarFadeIsRenewedOnEveryFrameOfItsTwoRows) {
    warmUp();
    for (unsigned order = 10; order <= 14; ++order) {
        for (unsigned row : {0u, 1u, 60u, 61u, 62u, 63u}) {
            const bool event = (order == 12 && row == 0) || (order == 13 && row == 61);
            EXPECT_EQ(frame(order, row).has("star.fade"), event)
                << "order " << order << " row " << row;
        }
    }
    for (double t : {20.0, 20.016, 20.033}) {
        now = t;
        const Frame f = frame(12, 0);
        EXPECT_EQ(f.trace, "intro.stop pulse.stop star.fade star.draw present");
        EXPECT_EQ(f.call("star.fade").time, static_cast<float>(t));
    }
    now = 20.05;
    frame(12, 1);
    EXPECT_EQ(star.fadeStart, static_cast<float>(20.033)) << "the last frame of the row counts";
}

TEST_F(TimelineLogic, TorusEventsFireOnTheirOrdersAndTheOverlayFollowsTheTorus) {
    warmUp();
    for (unsigned order = 13; order <= 30; ++order) {
        for (unsigned row : {0u, 1u, 2u}) {
            const Frame f = frame(order, row);
            const std::string where = "order " + std::to_string(order) + " row " + std::to_string(row);
            EXPECT_EQ(f.has("torus.wobble"), order == 16) << where;
            EXPECT_EQ(f.has("torus.spin"), order == 18) << where;
            EXPECT_EQ(f.has("torus.fade"), order == 23 && row == 1) << where;
            EXPECT_EQ(f.has("torus.overlayFlag"), order >= 22 && order <= 29) << where;
        }
    }
    EXPECT_EQ(frame(16, 5).trace, "intro.stop pulse.stop torus.wobble torus.draw present");
    EXPECT_EQ(frame(18, 5).trace, "intro.stop pulse.stop torus.spin torus.draw present");
    const Frame fade = frame(23, 1);
    EXPECT_EQ(fade.trace, "intro.stop pulse.stop torus.fade torus.draw star.draw "
                          "torus.overlayFlag present");
    EXPECT_EQ(fade.call("torus.fade").time, static_cast<float>(now * 6.0));
}

TEST_F(TimelineLogic, TorusSwitchesAreNeverCalledWhenTheMusicSkipsTheirOrders) {
    warmUp();
    for (unsigned order : {14u, 15u, 17u, 19u, 20u}) {
        const Frame f = frame(order, 0);
        EXPECT_FALSE(f.has("torus.wobble") || f.has("torus.spin")) << "order " << order;
    }
}

TEST_F(TimelineLogic, OverlayDrawsTheStarInOverlayStyleWithTheTorusCounterUntouched) {
    warmUp();
    EXPECT_EQ(star.cubeStar.overlayStyle, 0);
    frame(21, 63);
    EXPECT_EQ(star.cubeStar.overlayStyle, 0) << "not before order 22";
    const Frame f = frame(22, 0);
    const SceneCall* draw = f.find("star.draw");
    ASSERT_NE(draw, nullptr);
    EXPECT_EQ(draw->detail, 1) << "style set before the draw";
    EXPECT_EQ(draw->counter, &torusWarmupCount);
    EXPECT_EQ(torusWarmupCount, 2);
    star.cubeStar.overlayStyle = 0;
    EXPECT_EQ(frame(29, 63).call("star.draw").detail, 1) << "set again on every frame";
}

TEST_F(TimelineLogic, CubeGridFadeAtOrderThirtySevenRowZeroAndTheEndFromOrderThirtyEightRowThree) {
    warmUp();
    for (unsigned order = 36; order <= 38; ++order) {
        for (unsigned row : {0u, 1u}) {
            EXPECT_EQ(frame(order, row).has("grid.fade"), order == 37 && row == 0)
                << "order " << order << " row " << row;
        }
    }
    const Frame fade = frame(37, 0);
    EXPECT_EQ(fade.trace, "intro.stop pulse.stop torus.stop grid.fade grid.draw present");
    EXPECT_EQ(fade.call("grid.fade").time, static_cast<float>(now));

    const int shown = presents;
    EXPECT_FALSE(frame(38, 2).result);
    EXPECT_EQ(presents, shown + 1);
    const Frame end = frame(38, 3);
    EXPECT_TRUE(end.result);
    EXPECT_FALSE(end.has("grid.draw"));
    EXPECT_EQ(presents, shown + 1);
}

// The timeline over a song played on a stepped clock, each frame showing
// the moment heard then (the lead is PresentedPosition's own business).
class TimelineOnSongClock : public TimelineLogic {
protected:
    Frame at(std::int64_t heard) {
        song.heard = heard;
        position.beginFrame(0.0);
        return run(songTimeline);
    }
    SteppedSong song;
    PresentedPosition position{song};
    LoggingTimeline songTimeline{intro, pulse, star, torus, grid, position, [this] { return now; },
                                 [this] {
                                     ++presents;
                                     logSceneCall("present");
                                 }};
};

TEST_F(TimelineOnSongClock, SixtyFramesASecondCallExactlyWhatTheRowAloneCalls) {
    warmUp();
    int beats = 0;
    for (std::int64_t heard = SteppedSong::frameOf(5, 0); heard < SteppedSong::frameOf(14, 2); heard += 735) {
        const Frame onClock = at(heard);
        const RowStart row = song.rowAt(heard);
        const Frame byRow = frame(row.position.order, row.position.row);
        ASSERT_EQ(onClock.trace, byRow.trace) << "order " << row.position.order << " row " << row.position.row;
        beats += onClock.has("pulse.flash");
    }
    // Each beat row lasts seven frames or so, and flashes on each of them.
    EXPECT_GE(beats, 16 * 6);
}

TEST_F(TimelineOnSongClock, RowsPassedWithoutAFrameDeliverTheirEventsOnceBeforeTheFramesOwn) {
    const std::string beat = "pulse.nudge pulse.disc pulse.flash ";
    struct Case {
        const char* name;
        unsigned order;
        double fromRow;  // where the last frame before the gap was, in rows
        double gapSeconds;
        std::string trace;  // of the frame after the gap
    };
    // In song order: the song's clock only goes forward.
    const Case cases[] = {
        {"a beat row skipped by a 300 ms gap", 6, 10.5, 0.3, "intro.stop " + beat + "pulse.draw present"},
        {"two beats in one gap, in order", 7, 44.5, 1.0, "intro.stop " + beat + beat + "pulse.draw present"},
        {"a skipped beat, then the frame's own", 8, 10.5, 1.154, "intro.stop " + beat + beat + "pulse.draw present"},
        {"a gap with no event in it", 9, 13.5, 0.3, "intro.stop pulse.draw present"},
        {"a skipped flash of the star", 11, 63.5, 0.3, "intro.stop pulse.stop star.fade star.draw present"},
        {"a flash whose scene is over is not shown", 13, 60.5, 0.5, "intro.stop pulse.stop torus.draw present"},
    };
    warmUp();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = static_cast<std::int64_t>((c.order * 64 + c.fromRow) * SteppedSong::rowFrames);
        at(before - 735);
        at(before);
        const std::int64_t after = before + static_cast<std::int64_t>(c.gapSeconds * 44100);
        EXPECT_EQ(at(after).trace, c.trace);
        // Delivered once: the next frame calls what its row alone calls.
        const Frame next = at(after + 735);
        const RowStart row = song.rowAt(after + 735);
        EXPECT_EQ(next.trace, frame(row.position.order, row.position.row).trace);
    }
}

}  // namespace
