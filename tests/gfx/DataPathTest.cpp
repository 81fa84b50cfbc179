// dataPath: the first folder holding a data/ folder wins, the working
// directory before the executable's; with none the path stays as given.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "gfx/DataPath.h"

namespace fs = std::filesystem;

namespace {

// Gives `folder` a data/ folder ('d'), a plain file named data ('f') or neither.
void makeFolder(const fs::path& folder, char data) {
    fs::create_directories(folder);
    if (data == 'd') fs::create_directory(folder / "data");
    if (data == 'f') std::ofstream(folder / "data") << "not a folder";
}

TEST(DataPath, FirstFolderHoldingADataFolderWins) {
    struct Case { char first, second; const char* winner; };  // winner null: path unchanged
    const Case cases[] = {
        {'d', 'd', "first"}, {'-', 'd', "second"}, {'f', 'd', "second"}, {'-', 'f', nullptr}};
    const fs::path root = fs::path(testing::TempDir()) / "velmora_data_path_test";
    for (const Case& c : cases) {
        SCOPED_TRACE((std::string{c.first, c.second}));
        fs::remove_all(root);
        makeFolder(root / "first", c.first);
        makeFolder(root / "second", c.second);
        EXPECT_EQ(dataPathAmong("data/code.bmp", {root / "first", root / "second"}),
                  c.winner != nullptr ? (root / c.winner / "data/code.bmp").string() : "data/code.bmp");
    }
    fs::remove_all(root);
}

TEST(DataPath, LooksInTheWorkingDirectoryThenBesideTheExecutable) {
    const auto folders = dataFolders();
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0], fs::path());
    EXPECT_TRUE(fs::is_regular_file(folders[1] / "gfx_tests")) << folders[1];
}

}  // namespace
