// Entry points of the recording GL built as a loadable module, so a test that
// also links the real libGL can reach the recording GL's own API by dlsym.
#include "tests/support/RecordingGL.h"

extern "C" __attribute__((visibility("default"))) void velmoraRecordingReset() { recgl::reset(); }

extern "C" __attribute__((visibility("default"))) const std::vector<recgl::Primitive>*
velmoraRecordingPrimitives() {
    return &recgl::primitives();
}
