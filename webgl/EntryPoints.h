// EntryPoints: what the gl*/glu* C names share — the current context and the
// call trace a backend may ask for. The C names themselves live in
// GLNames.cpp and GLNamesQueries.cpp, linked only where no libGL is.
#pragma once

#include "webgl/Context.h"

#include <vector>

namespace webgl::entry {

inline Context& gl() { return current(); }

// Reports the call to a tracing backend; the arguments are built only then.
template <typename... Args>
inline void trace(const char* name, Args... args) {
    Context& context = current();
    if (context.tracing())
        context.backend().call(name, std::vector<double>{static_cast<double>(args)...});
}

template <typename T>
inline void traceValues(const char* name, std::vector<double> first, const T* values, int count) {
    Context& context = current();
    if (!context.tracing())
        return;
    first.insert(first.end(), values, values + count);
    context.backend().call(name, std::move(first));
}

}  // namespace webgl::entry
