// AttribGroups: which pieces of GL state each glPushAttrib group holds.
// glPopAttrib copies back exactly those groups, so state outside the mask a
// draw pushed (bound texture, polygon mode, blend function ...) carries over.
#pragma once

#include "webgl/State.h"

namespace webgl {

class AttribGroups {
public:
    // Copies into live the groups of saved that mask names.
    static void restore(State& live, const State& saved, GLbitfield mask);

    // Capabilities whose enable flag belongs to a group besides GL_ENABLE_BIT.
    static bool capabilityInGroup(GLenum cap, GLbitfield group);
};

}  // namespace webgl
