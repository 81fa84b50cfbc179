// CError: the text survives copying (as when thrown by value) and an empty
// or missing text is an empty message, not a crash.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "shell/CError.h"

TEST(CError, CopiesKeepTheTextAndTheCode) {
    const CError original("Error bass init");
    const CError copy(original);  // NOLINT(performance-unnecessary-copy-initialization)
    EXPECT_EQ(copy.message(), "Error bass init");
    EXPECT_EQ(copy.code(), original.code());

    CError assigned("");
    assigned = original;
    EXPECT_EQ(assigned.message(), "Error bass init");
}

TEST(CError, ThrownByValueAndCaughtByReferenceKeepsTheText) {
    try {
        throw CError("Invalid BPP parameter");
    } catch (const CError& error) {
        EXPECT_EQ(error.message(), "Invalid BPP parameter");
        return;
    }
    FAIL() << "nothing caught";
}

TEST(CError, EmptyAndMissingTextsGiveAnEmptyMessage) {
    EXPECT_EQ(CError("").message(), "");
    EXPECT_EQ(CError(nullptr).message(), "");
    EXPECT_EQ(CError(nullptr).code(), 0);
}

TEST(CError, MessageIsACopyNotAViewIntoTheCallersBuffer) {
    char text[] = "Error loadin graphix";
    const CError error(text);
    text[0] = 'X';
    EXPECT_EQ(error.message(), "Error loadin graphix");
}

// The box keeps the fixed text; the cause rides beside it to stderr. A CError
// made while a loader's failure is handled takes that failure's innermost
// text as its cause, so a scene that replaces the loader's exception with its
// own text still says what went wrong.
TEST(CError, TheCauseTravelsBesideTheTextAndOnlyToStderr) {
    EXPECT_EQ(CError("Error bass init").cause(), "");
    EXPECT_EQ(CError("Error bass init", "data/Tolvane.it: not a regular file").cause(),
              "data/Tolvane.it: not a regular file");
    try {
        try {
            throw std::runtime_error("data/code.bmp: not a BMP file (bad signature)");
        } catch (...) {
            std::throw_with_nested(std::runtime_error("Failure while trying to load image file"));
        }
    } catch (...) {
        const CError replaced("Error loadin graphix");
        EXPECT_EQ(replaced.message(), "Error loadin graphix");
        EXPECT_EQ(replaced.cause(), "data/code.bmp: not a BMP file (bad signature)");

        static std::string shown;
        installErrorPresenter([](const std::string& text, SDL_Window*) { shown = text; });
        testing::internal::CaptureStderr();
        const CError thrownCopy(replaced);
        thrownCopy.show(nullptr);
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "velmora: Error loadin graphix\n"
                  "velmora: Error loadin graphix: data/code.bmp: not a BMP file (bad signature)\n");
        installErrorPresenter(nullptr);
        EXPECT_EQ(shown, "Error loadin graphix");
    }
}
