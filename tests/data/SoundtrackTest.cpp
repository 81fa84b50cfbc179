// The soundtrack the demo syncs to: the committed module is what the generator
// writes, it plays once through libopenmpt in the shape the timeline expects,
// its accents land on the rows the pictures flash on, and its levels are sane.
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

#include "demo/Cues.h"
#ifdef VELMORA_HAVE_SOUNDTRACK
#include "tools/soundtrack/Soundtrack.h"
#endif

namespace {

constexpr int renderRate = 44100;
constexpr std::size_t chunkFrames = 44;  // 1 ms: the resolution of the row start times
constexpr std::size_t windowFrames = renderRate * 60 / 1000;

const std::string modulePath = std::string(VELMORA_SOURCE_DIR) + "/data/Tolvane.it";

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

using Position = std::pair<int, int>;  // order, row

// The whole module rendered as the demo hears it, with the frame at which
// each (order, row) was first reported.
struct Render {
    std::vector<float> left;
    std::vector<float> right;
    std::map<Position, std::size_t> rowStart;
    std::vector<Position> visited;  // positions in the order they were reached
    std::string log;
};

Render renderModule() {
    Render render;
    std::ostringstream log;
    openmpt::module module(readFile(modulePath), log);
    std::vector<float> left(chunkFrames), right(chunkFrames);
    // A module that loops would never return 0; stop well past five minutes.
    const std::size_t limit = static_cast<std::size_t>(renderRate) * 400;
    while (render.left.size() < limit) {
        const Position here{module.get_current_order(), module.get_current_row()};
        if (render.rowStart.emplace(here, render.left.size()).second) render.visited.push_back(here);
        const std::size_t got = module.read(renderRate, chunkFrames, left.data(), right.data());
        if (got == 0) break;
        render.left.insert(render.left.end(), left.begin(), left.begin() + static_cast<std::ptrdiff_t>(got));
        render.right.insert(render.right.end(), right.begin(), right.begin() + static_cast<std::ptrdiff_t>(got));
    }
    render.log = log.str();
    return render;
}

double energy(const Render& render, std::size_t from, std::size_t to) {
    double sum = 0.0;
    for (std::size_t i = from; i < to && i < render.left.size(); ++i) {
        sum += double(render.left[i]) * render.left[i] + double(render.right[i]) * render.right[i];
    }
    return sum;
}

double rmsOfOrders(const Render& render, int firstOrder, int lastOrder) {
    const std::size_t from = render.rowStart.at({firstOrder, 0});
    const std::size_t to = render.rowStart.at({lastOrder + 1, 0});
    return std::sqrt(energy(render, from, to) / (2.0 * static_cast<double>(to - from)));
}

Position at(unsigned order, unsigned row) { return {static_cast<int>(order), static_cast<int>(row)}; }

const Position demoEnd = at(cues::demoEnd.order, cues::demoEnd.row);

// Every row a picture answers on alone, and the closing chord on the first
// row of the order in which the pictures end.
std::vector<Position> accentRows() {
    std::vector<Position> rows;
    for (cues::Position event : cues::rowEvents()) rows.push_back(at(event.order, event.row));
    rows.push_back({demoEnd.first, 0});
    return rows;
}

}  // namespace

#ifdef VELMORA_HAVE_SOUNDTRACK
TEST(SoundtrackFile, CommittedModuleIsWhatTheGeneratorWritesAndFitsTwoMegabytes) {
    const std::vector<std::uint8_t> committed = readFile(modulePath);
    ASSERT_FALSE(committed.empty()) << "data/Tolvane.it is missing";
    const std::vector<std::uint8_t> generated = composeSoundtrack();
    EXPECT_TRUE(committed == generated) << "data/Tolvane.it is stale: run scripts/make-data";
    EXPECT_TRUE(composeSoundtrack() == generated) << "two runs of the generator differ";
    EXPECT_LE(generated.size(), 2u * 1024 * 1024);
}
#endif

TEST(SoundtrackModule, IsAnImpulseTrackerModuleOfThirtyNineSixtyFourRowOrdersLastingFourToFiveMinutes) {
    std::ostringstream log;
    openmpt::module module(readFile(modulePath), log);
    EXPECT_EQ(module.get_metadata("type"), "it");
    EXPECT_EQ(module.get_metadata("warnings"), "");
    EXPECT_EQ(log.str(), "");
    ASSERT_GE(module.get_num_orders(), 39);
    for (int order = 0; order < module.get_num_orders(); ++order) {
        SCOPED_TRACE(order);
        EXPECT_EQ(module.get_pattern_num_rows(module.get_order_pattern(order)), 64);
    }
    EXPECT_GE(module.get_duration_seconds(), 240.0);
    EXPECT_LE(module.get_duration_seconds(), 300.0);
}

TEST(SoundtrackPlayback, PlaysEveryOrderOnceInSequencePastOrder38Row3ThenEnds) {
    const Render render = renderModule();
    EXPECT_EQ(render.log, "");
    ASSERT_FALSE(render.visited.empty());
    EXPECT_EQ(render.visited.front(), Position(0, 0));
    // Positions only move forward: no jump back, no second pass.
    for (std::size_t i = 1; i < render.visited.size(); ++i) {
        ASSERT_LT(render.visited[i - 1], render.visited[i]) << "playback went back at step " << i;
    }
    for (int order = 0; order <= demoEnd.first; ++order) {
        EXPECT_TRUE(render.rowStart.count({order, 0})) << "order " << order << " never played";
    }
    ASSERT_TRUE(render.rowStart.count(demoEnd));
    EXPECT_GT(render.left.size(), render.rowStart.at(demoEnd) + renderRate)
        << "the music should go on past the last picture";
    const double seconds = static_cast<double>(render.left.size()) / renderRate;
    EXPECT_GE(seconds, 240.0);
    EXPECT_LE(seconds, 300.0) << "read never returned 0: the module loops";
}

TEST(SoundtrackSync, EveryAccentRowIsAnOnsetTwiceAsLoudAsTheMomentBefore) {
    const Render render = renderModule();
    for (const Position& accent : accentRows()) {
        SCOPED_TRACE("order " + std::to_string(accent.first) + " row " + std::to_string(accent.second));
        ASSERT_TRUE(render.rowStart.count(accent));
        const std::size_t start = render.rowStart.at(accent);
        ASSERT_GE(start, windowFrames);
        const double before = energy(render, start - windowFrames, start);
        const double after = energy(render, start, start + windowFrames);
        EXPECT_GE(after, 2.0 * before);
    }
}

TEST(SoundtrackSync, AccentsAreTheLoudestMomentsOfTheBeat) {
    // An onset alone could be any kick; the flashes need the hit that stands
    // out of the groove, so every beat of the sphere is louder than each of
    // its order's plain kick and snare beats that do not ride on an impact's
    // ring (the first three rows after one).
    const Render render = renderModule();
    const std::vector<Position> accents = accentRows();
    auto after = [&](const Position& p) {
        const std::size_t start = render.rowStart.at(p);
        return energy(render, start, start + windowFrames);
    };
    for (unsigned beatOrder = cues::pulsingSphereBeatOrders.first;
         beatOrder <= cues::pulsingSphereBeatOrders.last; ++beatOrder) {
        const int order = static_cast<int>(beatOrder);
        double loudestOrdinary = 0.0;
        for (int row = 0; row < 64; row += 4) {
            const bool ringing = std::any_of(accents.begin(), accents.end(), [&](const Position& a) {
                return a.first == order && row >= a.second && row <= a.second + 3;
            });
            if (ringing) continue;
            loudestOrdinary = std::max(loudestOrdinary, after({order, row}));
        }
        for (unsigned row : cues::pulsingSphereBeatRows) {
            SCOPED_TRACE("order " + std::to_string(order) + " row " + std::to_string(row));
            EXPECT_GT(after(at(beatOrder, row)), loudestOrdinary);
        }
    }
}

TEST(SoundtrackLevels, NoClippingMainPartLouderThanIntroAndNoLongSilence) {
    const Render render = renderModule();
    ASSERT_FALSE(render.left.empty());
    float peak = 0.0f;
    for (std::size_t i = 0; i < render.left.size(); ++i) {
        peak = std::max({peak, std::fabs(render.left[i]), std::fabs(render.right[i])});
    }
    EXPECT_LE(20.0 * std::log10(peak), -1.0);

    EXPECT_GT(rmsOfOrders(render, 14, 29), rmsOfOrders(render, 0, 3));

    const float quiet = 0.001f;  // -60 dBFS
    std::size_t run = 0, longest = 0;
    for (std::size_t i = 0; i < render.left.size(); ++i) {
        run = (std::fabs(render.left[i]) < quiet && std::fabs(render.right[i]) < quiet) ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    EXPECT_LE(longest, static_cast<std::size_t>(2 * renderRate));
}
