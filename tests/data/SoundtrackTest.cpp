// The soundtrack the demo syncs to, as a listener hears it: the committed
// module is what the generator writes, plays once in the shape the timeline
// expects, marks the pictures' cues without breaking the beat, and holds its
// mix, loudness, width, variety and ending to the figures it was tuned to.
// Each test renders the module once and shares the render between its checks.
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

#include "demo/Cues.h"
#include "tools/soundtrack/Loudness.h"
#include "tools/soundtrack/ModuleRender.h"
#include "tools/soundtrack/ModuleScore.h"
#include "tools/soundtrack/SoundMeasure.h"
#ifdef VELMORA_HAVE_SOUNDTRACK
#include "tools/soundtrack/Soundtrack.h"
#endif

namespace {

const std::string modulePath = std::string(VELMORA_SOURCE_DIR) + "/data/Tolvane.it";

const std::vector<std::uint8_t>& moduleBytes() {
    static const std::vector<std::uint8_t> bytes = readModuleFile(modulePath);
    return bytes;
}

const ModuleRender& fullRender() {
    static const ModuleRender render(moduleBytes());
    return render;
}

measure::Span orders(int first, int last) {
    const auto span = fullRender().ordersSpan(first, last);
    return {span.first, span.second};
}

constexpr int mainFirst = static_cast<int>(cues::torus.first);
constexpr int mainLast = static_cast<int>(cues::torus.last);
const ModuleRender::Position demoEnd{static_cast<int>(cues::demoEnd.order), static_cast<int>(cues::demoEnd.row)};

double aloneInMainPart(const std::string& group) {
    const ModuleRender alone(moduleBytes(), {measure::instrumentGroup(group).instruments, mainFirst, mainLast + 1});
    return measure::rmsDb(alone, {0, alone.frames()});
}

}  // namespace

#ifdef VELMORA_HAVE_SOUNDTRACK
TEST(SoundtrackFile, CommittedModuleIsWhatTheGeneratorWritesAndFitsThreeMegabytes) {
    const std::vector<std::uint8_t>& committed = moduleBytes();
    ASSERT_FALSE(committed.empty()) << "data/Tolvane.it is missing";
    const std::vector<std::uint8_t> generated = composeSoundtrack();
    EXPECT_TRUE(committed == generated) << "data/Tolvane.it is stale: run scripts/make-data";
    EXPECT_TRUE(composeSoundtrack() == generated) << "two runs of the generator differ";
    EXPECT_LE(generated.size(), 3u * 1024 * 1024);
}
#endif

TEST(SoundtrackModule, IsAnImpulseTrackerModuleOfThirtyNineSixtyFourRowOrdersAtSpeedSixTempo130) {
    std::ostringstream log;
    openmpt::module module(moduleBytes(), log);
    EXPECT_EQ(module.get_metadata("type"), "it");
    EXPECT_EQ(module.get_metadata("warnings"), "");
    EXPECT_EQ(log.str(), "");
    EXPECT_EQ(module.get_current_speed(), 6);
    EXPECT_EQ(module.get_current_tempo(), 130);
    ASSERT_EQ(module.get_num_orders(), 39);
    for (int order = 0; order < module.get_num_orders(); ++order) {
        SCOPED_TRACE(order);
        EXPECT_EQ(module.get_pattern_num_rows(module.get_order_pattern(order)), 64);
    }
    // Every instrument is in a group that can be measured alone.
    for (const std::string& name : module.get_instrument_names()) {
        const auto& groups = measure::instrumentGroups();
        EXPECT_TRUE(std::any_of(groups.begin(), groups.end(), [&](const measure::InstrumentGroup& group) {
            return std::count(group.instruments.begin(), group.instruments.end(), name) > 0;
        })) << name;
    }
    const measure::Repeats repeats = measure::repeatedBars(moduleBytes(), 16);
    EXPECT_LE(repeats.repeated * 100, 15 * repeats.bars) << repeats.repeated << " bars repeat an earlier bar exactly";
}

TEST(SoundtrackPlayback, PlaysEveryOrderOncePastOrder38Row3ThenFadesToSilenceWithoutClipping) {
    const ModuleRender& render = fullRender();
    EXPECT_EQ(render.log, "");
    ASSERT_FALSE(render.visited.empty());
    EXPECT_EQ(render.visited.front(), ModuleRender::Position(0, 0));
    // Positions only move forward: no jump back, no second pass.
    for (std::size_t i = 1; i < render.visited.size(); ++i) {
        ASSERT_LT(render.visited[i - 1], render.visited[i]) << "playback went back at step " << i;
    }
    for (int order = 0; order <= static_cast<int>(cues::demoEnd.order); ++order) {
        EXPECT_TRUE(render.played({order, 0})) << "order " << order << " never played";
    }
    const ModuleRender::Position demoEnd{static_cast<int>(cues::demoEnd.order), static_cast<int>(cues::demoEnd.row)};
    ASSERT_TRUE(render.played(demoEnd));
    EXPECT_GT(render.frames(), render.frameOf(demoEnd) + ModuleRender::rate) << "the music should go on past the pictures";
    const double seconds = static_cast<double>(render.frames()) / ModuleRender::rate;
    EXPECT_NEAR(seconds, 288.0, 12.0) << "read never returned 0 (the module loops), or the length strayed";

    EXPECT_LE(measure::peakDb(render, {0, render.frames()}), -1.0);
    EXPECT_GT(measure::rmsDb(render, orders(mainFirst, mainLast)), measure::rmsDb(render, orders(0, 3)));
    EXPECT_LT(measure::peakDb(render, {render.frames() - ModuleRender::rate, render.frames()}), -60.0)
        << "the last second should have faded to silence";
    const float quiet = 0.001f;  // -60 dBFS
    std::size_t run = 0, longest = 0;
    for (std::size_t i = 0; i < render.frames(); ++i) {
        run = (std::fabs(render.left[i]) < quiet && std::fabs(render.right[i]) < quiet) ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    EXPECT_LE(longest, static_cast<std::size_t>(2 * ModuleRender::rate));
}

TEST(SoundtrackSync, EveryAccentStandsOutOfAWholeBeatAndTheClosingHitIsTheBiggest) {
    const ModuleRender& render = fullRender();
    const std::vector<ModuleRender::Position> accents = measure::accentPositions();
    const std::vector<measure::CueRise> rises = measure::cueRises(render, accents);
    double biggestOther = 0.0, closing = 0.0;
    for (std::size_t i = 0; i < accents.size(); ++i) {
        const ModuleRender::Position& at = accents[i];
        SCOPED_TRACE("order " + std::to_string(at.first) + " row " + std::to_string(at.second));
        ASSERT_TRUE(render.played(at));
        const measure::Accent accent = measure::accent(render, at);
        EXPECT_GE(accent.riseDb, 10.0 * std::log10(2.0)) << "the 60 ms after should carry twice the 60 ms before";
        EXPECT_GE(accent.overDownbeatsDb, 3.0) << "should stand 3 dB over the order's plain downbeats";
        // A hit bought by silencing the beat before it shows as a hole
        // against the same moment of the bar before.
        EXPECT_GE(accent.beforeAgainstBarBeforeDb, -3.0) << "the beat before the accent was thinned out";
        if (at.first != demoEnd.first) {
            // As a loudness meter hears it: the 400 ms from the row against the 400 ms before.
            EXPECT_GE(rises[i].riseLu(), 4.0) << "momentary loudness should rise 4 LU";
        }
        double& biggest = at.first == static_cast<int>(cues::demoEnd.order) ? closing : biggestOther;
        biggest = std::max(biggest, accent.energy);
    }
    EXPECT_GT(closing, biggestOther) << "order 38 row 0 should be the biggest hit of the piece";
}

TEST(SoundtrackMix, MainPartBalanceWidthAndLiftsAsTuned) {
    const ModuleRender& render = fullRender();
    const double kick = aloneInMainPart("kick");
    EXPECT_NEAR(aloneInMainPart("snare/clap"), kick, 6.0) << "the backbeat should sit within 6 dB of the kick";
    EXPECT_LE(aloneInMainPart("lead"), kick) << "the lead should be no louder than the kick";

    const measure::Span main = orders(mainFirst, mainLast);
    EXPECT_LE(measure::correlation(render, main), 0.8) << "nearly mono";
    EXPECT_LE(measure::monoFoldLossDb(render, main), 1.5) << "no longer mono-compatible";

    for (int entry : {static_cast<int>(cues::cubeStarOverlay.first), 34}) {
        SCOPED_TRACE("entry at order " + std::to_string(entry));
        const measure::Span before = orders(entry - 1, entry - 1), at = orders(entry, entry);
        const double rise = measure::rmsDb(render, at) - measure::rmsDb(render, before);
        const double brighter =
            measure::spectrum(render, at).centroidHz() / measure::spectrum(render, before).centroidHz() - 1.0;
        EXPECT_TRUE(rise >= 1.5 || brighter >= 0.25) << "RMS +" << rise << " dB, centroid +" << 100 * brighter << " %";
    }
}

TEST(SoundtrackLoudness, LoudWithoutClippingAndTheFinaleIsTheTop) {
    const ModuleRender& render = fullRender();
    const double integrated = Loudness::integratedOf(render, {0, render.frameOf(demoEnd)});
    EXPECT_GE(integrated, -16.0) << "the demo is quieter than its neighbours at a party";
    EXPECT_LE(integrated, -13.0);
    EXPECT_LE(Loudness::truePeakOf(render, {0, render.frames()}), -1.0) << "dBTP, 4x oversampled";
    constexpr int beatsFirst = static_cast<int>(cues::pulsingSphereBeatOrders.first);
    constexpr int beatsLast = static_cast<int>(cues::pulsingSphereBeatOrders.last);
    const struct {
        const char* what;
        int first, last, againstFirst, againstLast;
        double atLeastLu;
    } lifts[] = {
        {"the finale over the main part", 34, 37, mainFirst, mainLast, 1.5},
        {"the tunnel's opening against the sphere's beats", mainFirst, mainFirst + 2, beatsFirst, beatsLast, -0.5},
    };
    for (const auto& lift : lifts) {
        SCOPED_TRACE(lift.what);
        EXPECT_GE(Loudness::integratedOf(render, orders(lift.first, lift.last)) -
                      Loudness::integratedOf(render, orders(lift.againstFirst, lift.againstLast)),
                  lift.atLeastLu);
    }
}

TEST(SoundtrackPlayback, TheMusicHasEndedWhenThePicturesDo) {
    const ModuleRender& render = fullRender();
    const std::size_t end = render.frameOf(demoEnd);
    const measure::Span last50ms{end - ModuleRender::rate / 20, end};
    EXPECT_LE(measure::rmsDb(render, last50ms), -40.0) << "the last hit is still sounding at order 38 row 3";
    EXPECT_LE(measure::peakDb(render, last50ms), -30.0) << "a click or a hit where the music should have ended";
}

TEST(SoundtrackModule, NoTwoOrdersSingTheSameLeadLine) {
    const ModuleScore score(moduleBytes());
    const std::vector<std::string>& lead = measure::instrumentGroup("lead").instruments;
    std::set<int> singing;
    for (const ModuleScore::Note& note : score.notes()) {
        if (std::count(lead.begin(), lead.end(), note.instrument) > 0) singing.insert(note.order);
    }
    EXPECT_GE(singing.size(), 18u) << "the lead should sing through the tunnel, the overlay and the finale";
    for (const auto& [first, second] : score.ordersSharingALine(lead)) {
        ADD_FAILURE() << "orders " << first << " and " << second << " sing the same lead line";
    }
}
