// FuzzOutcome: libFuzzer sees the coverage of our own code only, as SDL and
// libopenmpt come built without it. Counting what a library made of an input
// in libFuzzer's extra-counters section turns each new result into new
// coverage, so inputs that lead the library somewhere new stay in the corpus.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzzOutcome {

__attribute__((section("__libfuzzer_extra_counters"))) inline std::uint8_t counters[1024];

// `kind` names what is counted (a format, a size class, ...), `value` its result.
inline void note(unsigned kind, std::uint64_t value) {
    const std::uint64_t mixed = (kind + 1) * 0x9E3779B97F4A7C15ull ^ (value + 1) * 0xC2B2AE3D27D4EB4Full;
    ++counters[(mixed >> 32) % sizeof counters];
}

// 0, 1, 2-3, 4-7, ...: sizes by their order of magnitude.
inline unsigned magnitude(std::uint64_t value) {
    unsigned bits = 0;
    while (value != 0) {
        value >>= 1;
        ++bits;
    }
    return bits;
}

}  // namespace fuzzOutcome
