// slow_ending_fixture <dir>: fixture data whose module runs fast up to order
// 38 and then slows to two seconds a row for a short order 38, so that from
// outside the program "stopped at order 38 row 3" is seconds apart from
// "stopped at row 0" or "played on to the module's end".
#include <cstdio>
#include <exception>

#include "tests/fixtures/FixtureData.h"

namespace {

constexpr int endingOrder = 38;
constexpr int endingRows = 8;
constexpr int slowSpeedTicks = 80;  // 80 ticks of 2.5/100 s: 2 s a row
constexpr int slowTempoBpm = 100;

void setTiming(ItPattern& pattern, int speed, int tempo) {
    ItCell& speedCell = pattern.cell(0, 2);
    speedCell.command = 'A';
    speedCell.parameter = static_cast<std::uint8_t>(speed);
    ItCell& tempoCell = pattern.cell(0, 3);
    tempoCell.command = 'T';
    tempoCell.parameter = static_cast<std::uint8_t>(tempo);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: slow_ending_fixture <dir>\n");
        return 2;
    }
    try {
        writeFixtureData(argv[1]);
        const FixtureModuleShape shape = fastModuleShape();
        ItModule module = fixtureModule(shape);
        const ItPattern& original = module.patterns.at(endingOrder);
        ItPattern ending(endingRows);
        for (int row = 0; row < endingRows; ++row) {
            for (int channel = 0; channel < 2; ++channel) {
                ending.cell(row, channel) = original.cell(row, channel);
            }
        }
        setTiming(ending, slowSpeedTicks, slowTempoBpm);
        module.patterns.at(endingOrder) = ending;
        setTiming(module.patterns.at(endingOrder + 1), shape.speed, shape.tempo);
        ItWriter::save(module, (std::filesystem::path(argv[1]) / "data" / "Tolvane.it").string());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "slow_ending_fixture: %s\n", error.what());
        return 1;
    }
    return 0;
}
