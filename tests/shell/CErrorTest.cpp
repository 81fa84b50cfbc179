// CError: the text survives copying (as when thrown by value) and an empty
// or missing text is an empty message, not a crash.
#include <gtest/gtest.h>

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
