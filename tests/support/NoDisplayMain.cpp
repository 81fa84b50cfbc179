// The main of the real-context tests: they run as the tools do, with no
// display at all, so a machine without X (or a CI without Xvfb) runs them.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
