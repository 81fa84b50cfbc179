// ModuleClock: libopenmpt's own timing of the soundtrack, read from the file
// apart from the player: where the demo ends, and about when a position
// comes, so that a capture can refuse a place the demo never reaches and
// skip the frames before the ones it writes. The run itself goes by the
// position the player reports.
#pragma once

#include <memory>
#include <string>

namespace openmpt {
class module;
}

class ModuleClock {
public:
    // A module that does not load gives a clock that knows nothing; the run
    // reports the failure in the demo's own words.
    explicit ModuleClock(const std::string& path);
    ~ModuleClock();
    ModuleClock(const ModuleClock&) = delete;
    ModuleClock& operator=(const ModuleClock&) = delete;

    bool known() const { return module != nullptr; }
    // Seconds from the start to (order, row), or a negative value when the
    // song never gets there.
    double secondsAt(unsigned order, unsigned row);
    // Where the demo ends: at order 38 row 3, or with the music when that
    // comes first; negative when unknown.
    double demoSeconds();

private:
    std::unique_ptr<openmpt::module> module;
};
