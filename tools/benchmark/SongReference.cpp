// SongReference: the rendering, in large reads except across the rows where
// an event begins.
#include "tools/benchmark/SongReference.h"

#include <libopenmpt/libopenmpt.hpp>

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace {

bool before(unsigned order, unsigned row, cues::Position position) {
    return order < position.order || (order == position.order && row < position.row);
}

}  // namespace

SongReference::SongReference(const std::string& file, unsigned endOrder) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ostringstream log;
    openmpt::module module(bytes, log);
    module.set_repeat_count(0);
    constexpr auto events = cues::rowEvents();
    starts.assign(events.size(), -1);
    std::size_t next = 0;  // the next event to find, in song order
    constexpr std::size_t block = 1024;
    float buffer[block * 2];
    std::int64_t frame = 0;
    bool leftStart = false;  // once past order 0 row 0, coming back there is the end
    for (;;) {
        const auto order = static_cast<unsigned>(module.get_current_order());
        const auto row = static_cast<unsigned>(module.get_current_row());
        const bool atStart = order == 0 && row == 0;
        if (order >= endOrder || (leftStart && atStart)) break;
        leftStart = leftStart || !atStart;
        while (next < events.size() && !before(order, row, events[next])) ++next;
        // On the row before an event, one frame at a time: the read after
        // which the row has changed rendered the event's first frame.
        const auto lastRow = static_cast<unsigned>(
            module.get_pattern_num_rows(module.get_order_pattern(static_cast<std::int32_t>(order))) - 1);
        const bool close = next < events.size() &&
                           ((order == events[next].order && row + 1 == events[next].row) ||
                            (order + 1 == events[next].order && events[next].row == 0 && row == lastRow));
        const std::size_t want = close ? 1 : block;
        const std::size_t got = module.read_interleaved_stereo(44100, want, buffer);
        rendered.insert(rendered.end(), buffer, buffer + got * 2);
        if (next < events.size() && module.get_current_order() == static_cast<int>(events[next].order) &&
            module.get_current_row() == static_cast<int>(events[next].row) && close) {
            starts[next] = frame;
        }
        frame += static_cast<std::int64_t>(got);
        if (got < want) break;
    }
}

std::int64_t SongReference::rowStart(cues::Position event) const {
    constexpr auto events = cues::rowEvents();
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].order == event.order && events[i].row == event.row) return starts[i];
    }
    return -1;
}
