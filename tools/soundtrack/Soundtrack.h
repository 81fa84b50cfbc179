// Soundtrack: the entry point of the generator - the finished module as the
// bytes of data/Tolvane.it.
#pragma once

#include "tools/itwriter/ItWriter.h"

#include <cstdint>
#include <vector>

class Soundtrack {
public:
    static ItModule module();
    static std::vector<std::uint8_t> bytes();
};

// The module bytes; the same on every run.
std::vector<std::uint8_t> composeSoundtrack();
