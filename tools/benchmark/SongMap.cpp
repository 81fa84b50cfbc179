// SongMap: libopenmpt tells the time of every row it can seek to; the
// stretches come from the cue table.
#include "tools/benchmark/SongMap.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

SongMap::SongMap(const std::string& modulePath) {
    std::ifstream file(modulePath, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    if (bytes.empty()) throw std::runtime_error("cannot read " + modulePath);
    std::ostringstream log;
    openmpt::module module(bytes, log);
    for (std::int32_t order = 0; order < module.get_num_orders(); ++order) {
        const std::int32_t pattern = module.get_order_pattern(order);
        if (pattern < 0 || pattern >= module.get_num_patterns()) continue;
        for (std::int32_t row = 0; row < module.get_pattern_num_rows(pattern); ++row) {
            const double seconds = module.set_position_order_row(order, row);
            rows.push_back({unsigned(order), unsigned(row), seconds});
        }
    }
    if (rows.empty()) throw std::runtime_error(modulePath + " has no rows");
}

double SongMap::secondsAt(cues::Position position) const {
    for (const SongRow& row : rows) {
        if (row.order == position.order && row.row == position.row) return row.seconds;
    }
    throw std::runtime_error("the soundtrack never reaches order " +
                             std::to_string(position.order) + " row " +
                             std::to_string(position.row));
}

SongRow SongMap::rowAt(double seconds) const {
    // Rows are in playing order, so their times only grow.
    const auto after = std::upper_bound(rows.begin(), rows.end(), seconds,
                                        [](double s, const SongRow& row) { return s < row.seconds; });
    return after == rows.begin() ? rows.front() : *(after - 1);
}

const std::vector<Stretch>& demoStretches() {
    static const std::vector<Stretch> stretches = {
        {"intro", {cues::intro.first, 0}, {cues::intro.last + 1, 0}},
        {"pulsing sphere", {cues::pulsingSphere.first, 0}, {cues::pulsingSphere.last + 1, 0}},
        {"cube star", {cues::cubeStar.first, 0}, {cues::cubeStar.last + 1, 0}},
        {"torus", {cues::torus.first, 0}, {cues::cubeStarOverlay.first, 0}},
        {"torus + overlay", {cues::cubeStarOverlay.first, 0}, {cues::cubeStarOverlay.last + 1, 0}},
        {"cube grid", {cues::cubeGrid.first, 0}, cues::demoEnd},
    };
    return stretches;
}

std::vector<SongRow> stretchFrames(const SongMap& song, const Stretch& stretch, int frames) {
    const double begin = song.secondsAt(stretch.from);
    const double end = song.secondsAt(stretch.to);
    std::vector<SongRow> walk;
    for (int k = 0; k < frames; ++k) {
        const double seconds = begin + (end - begin) * k / frames;
        SongRow row = song.rowAt(seconds);
        row.seconds = seconds;
        walk.push_back(row);
    }
    return walk;
}
