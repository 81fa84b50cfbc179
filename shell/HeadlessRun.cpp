// HeadlessRun: the fixed-step run in a context of its own, made after the
// scenes and the music and before the initial GL state.
#include "shell/HeadlessRun.h"

HeadlessRun::HeadlessRun(const Options& options)
    : FixedStepRun(options), gl(options.width, options.height) {
    begin();
}
