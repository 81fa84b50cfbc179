// ModuleRender: a module played once through libopenmpt the way the demo hears
// it (44.1 kHz stereo), kept in memory with the frame at which each order and
// row began, so the soundtrack can be measured against its own positions.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class ModuleRender {
public:
    static constexpr int rate = 44100;
    using Position = std::pair<int, int>;  // order, row

    struct Options {
        // When not empty, every other instrument (by name) is muted.
        std::vector<std::string> soloInstruments;
        int firstOrder = 0;
        int endOrder = -1;  // stop when this order begins; -1 = play to the end
    };
    // When named, this instrument plays one note (C-5 = 60) at full volume,
    // centred, as the render starts: an instrument heard on its own.
    struct Probe {
        std::string instrument;
        int note = 60;
    };

    explicit ModuleRender(const std::vector<std::uint8_t>& bytes);
    ModuleRender(const std::vector<std::uint8_t>& bytes, const Options& options);
    ModuleRender(const std::vector<std::uint8_t>& bytes, const Options& options, const Probe& probe);

    std::size_t frames() const { return left.size(); }
    // The frame at which `at` was first reported; throws when it never played.
    std::size_t frameOf(Position at) const;
    bool played(Position at) const { return rowStart.count(at) != 0; }
    // Frames from the start of `first` to the start of `last + 1` (or the end).
    std::pair<std::size_t, std::size_t> ordersSpan(int first, int last) const;

    std::vector<float> left;
    std::vector<float> right;
    std::vector<Position> visited;  // positions in the order they were reached
    std::string log;                 // what libopenmpt said while loading

private:
    std::map<Position, std::size_t> rowStart;
};

std::vector<std::uint8_t> readModuleFile(const std::string& path);
