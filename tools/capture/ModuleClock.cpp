// ModuleClock: a second, silent copy of the module, asked for times only.
#include "tools/capture/ModuleClock.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cstdint>
#include <fstream>

#include "demo/Cues.h"

ModuleClock::ModuleClock(const std::string& path) {
    try {
        std::ifstream file(path, std::ios::binary);
        module = std::make_unique<openmpt::module>(file);
    } catch (const std::exception&) {
        module.reset();
    }
}

ModuleClock::~ModuleClock() = default;

double ModuleClock::secondsAt(unsigned order, unsigned row) {
    if (!module || static_cast<int>(order) >= module->get_num_orders()) return -1.0;
    const int pattern = module->get_order_pattern(static_cast<std::int32_t>(order));
    if (pattern < 0 || pattern >= module->get_num_patterns() ||
        static_cast<int>(row) >= module->get_pattern_num_rows(pattern)) {
        return -1.0;
    }
    return module->set_position_order_row(static_cast<std::int32_t>(order),
                                          static_cast<std::int32_t>(row));
}

double ModuleClock::demoSeconds() {
    if (!module) return -1.0;
    const double end = secondsAt(cues::demoEnd.order, cues::demoEnd.row);
    const double length = module->get_duration_seconds();
    return end > 0.0 ? std::min(end, length) : length;
}
