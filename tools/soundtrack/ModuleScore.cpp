// ModuleScore: one walk over the order list at load; instrument numbers are
// turned into names, so measures can ask for a group by the names the
// soundtrack gives its instruments.
#include "tools/soundtrack/ModuleScore.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <map>
#include <sstream>

namespace {

constexpr int firstNote = 1, lastNote = 120;  // libopenmpt's C-0 .. B-9

bool named(const std::string& name, const std::vector<std::string>& instruments) {
    return std::find(instruments.begin(), instruments.end(), name) != instruments.end();
}

}  // namespace

ModuleScore::ModuleScore(const std::vector<std::uint8_t>& bytes) {
    std::ostringstream log;
    openmpt::module module(bytes, log);
    const std::vector<std::string> names =
        module.get_num_instruments() > 0 ? module.get_instrument_names() : module.get_sample_names();
    for (int order = 0; order < module.get_num_orders(); ++order) {
        const int pattern = module.get_order_pattern(order);
        for (int row = 0; row < module.get_pattern_num_rows(pattern); ++row) {
            for (int channel = 0; channel < module.get_num_channels(); ++channel) {
                const int note =
                    module.get_pattern_row_channel_command(pattern, row, channel, openmpt::module::command_note);
                const int instrument =
                    module.get_pattern_row_channel_command(pattern, row, channel, openmpt::module::command_instrument);
                if (note < firstNote || note > lastNote || instrument < 1 ||
                    instrument > static_cast<int>(names.size())) {
                    continue;
                }
                started.push_back({order, row, channel, note, names[static_cast<std::size_t>(instrument - 1)]});
            }
        }
    }
}

int ModuleScore::notesIn(int firstOrder, int lastOrder) const {
    return static_cast<int>(std::count_if(started.begin(), started.end(), [&](const Note& note) {
        return note.order >= firstOrder && note.order <= lastOrder;
    }));
}

bool ModuleScore::starts(int order, int row, const std::vector<std::string>& instruments) const {
    return std::any_of(started.begin(), started.end(), [&](const Note& note) {
        return note.order == order && note.row == row && named(note.instrument, instruments);
    });
}

std::vector<std::pair<int, int>> ModuleScore::ordersSharingALine(const std::vector<std::string>& instruments) const {
    // channel -> order -> its line as (row, pitch) pairs
    std::map<int, std::map<int, std::vector<std::pair<int, int>>>> lines;
    for (const Note& note : started) {
        if (named(note.instrument, instruments)) lines[note.channel][note.order].emplace_back(note.row, note.note);
    }
    std::vector<std::pair<int, int>> shared;
    for (const auto& [channel, byOrder] : lines) {
        for (auto a = byOrder.begin(); a != byOrder.end(); ++a) {
            for (auto b = std::next(a); b != byOrder.end(); ++b) {
                const std::pair<int, int> pair{a->first, b->first};
                if (a->second == b->second && std::find(shared.begin(), shared.end(), pair) == shared.end()) {
                    shared.push_back(pair);
                }
            }
        }
    }
    std::sort(shared.begin(), shared.end());
    return shared;
}
