// CError: the text survives copying (as when thrown by value), an empty or
// missing text is an empty message, not a crash, and a report reaches stderr
// and then whatever presenter the program installed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

namespace {

std::vector<std::string> presented;
SDL_Window* presentedOwner = nullptr;

void recordPresented(const std::string& text, SDL_Window* owner) {
    presented.push_back(text);
    presentedOwner = owner;
}

}  // namespace

TEST(CError, ReportsGoToStderrAndToTheInstalledPresenter) {
    auto* const owner = reinterpret_cast<SDL_Window*>(&presented);
    testing::internal::CaptureStderr();
    CError("Error bass init").show(nullptr);  // nothing installed: stderr only
    installErrorPresenter(recordPresented);
    CError("Invalid BPP parameter").show(owner);
    showError("Unknown error", owner);
    installErrorPresenter(nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "velmora: Error bass init\nvelmora: Invalid BPP parameter\nvelmora: Unknown error\n");
    EXPECT_EQ(presented, (std::vector<std::string>{"Invalid BPP parameter", "Unknown error"}));
    EXPECT_EQ(presentedOwner, owner);
}
