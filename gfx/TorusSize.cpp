// TorusSize: shared by WireTorus and WobbleTorus.
#include "gfx/TorusSize.h"

#include <climits>
#include <cstdint>

#include "shell/CError.h"

const char* const torusInitError = "Object initialization error";

int truncatedCount(float value) {
    if (!(value > -2147483648.0f && value < 2147483648.0f)) return 0;
    return static_cast<int>(value);
}

int checkedVertexCount(int rings, int segments) {
    if (rings <= 0 || segments <= 0) throw CError(torusInitError);
    const std::int64_t count = static_cast<std::int64_t>(rings) * segments;
    if (count > INT_MAX) throw CError(torusInitError);
    return static_cast<int>(count);
}
