// Soundtrack: hands the composition to the IT writer. Kept apart so the
// program and the tests share one way of making the file.
#include "tools/soundtrack/Soundtrack.h"

#include "tools/soundtrack/Composition.h"

ItModule Soundtrack::module() { return Composition().build(); }

std::vector<std::uint8_t> Soundtrack::bytes() { return ItWriter::write(module()); }

std::vector<std::uint8_t> composeSoundtrack() { return Soundtrack::bytes(); }
