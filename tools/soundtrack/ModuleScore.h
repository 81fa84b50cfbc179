// ModuleScore: what a module's patterns say, read through libopenmpt - which
// instrument starts which note where - for the measures that count notes
// instead of listening to them: density, where the kick falls, and whether
// two orders sing the same line.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class ModuleScore {
public:
    struct Note {
        int order;
        int row;
        int channel;
        int note;  // as libopenmpt counts: 1 = C-0
        std::string instrument;
    };

    explicit ModuleScore(const std::vector<std::uint8_t>& bytes);

    const std::vector<Note>& notes() const { return started; }
    // Notes started in the orders first..last, both included.
    int notesIn(int firstOrder, int lastOrder) const;
    // Whether one of `instruments` starts a note at (order, row).
    bool starts(int order, int row, const std::vector<std::string>& instruments) const;
    // Pairs of orders (earlier, later) where some channel plays the same rows
    // and pitches on `instruments`, note for note.
    std::vector<std::pair<int, int>> ordersSharingALine(const std::vector<std::string>& instruments) const;

private:
    std::vector<Note> started;  // in song order
};
