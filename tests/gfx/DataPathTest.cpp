// dataPath: the working directory's data/ folder first, then the one beside
// the executable; with neither the path stays as given.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "gfx/DataPath.h"

namespace fs = std::filesystem;

namespace {

enum class Entry { none, folder, file };

void makeDataEntry(const fs::path& folder, Entry entry) {
    fs::create_directories(folder);
    if (entry == Entry::folder) fs::create_directory(folder / "data");
    if (entry == Entry::file) std::ofstream(folder / "data") << "not a folder";
}

TEST(DataPath, FirstFolderHoldingADataFolderWins) {
    struct Case {
        const char* name;
        Entry first;
        Entry second;
        const char* winner;  // null: the path unchanged
    };
    const Case cases[] = {
        {"both have one", Entry::folder, Entry::folder, "first"},
        {"only the second", Entry::none, Entry::folder, "second"},
        {"a file named data is no folder", Entry::file, Entry::folder, "second"},
        {"neither", Entry::none, Entry::file, nullptr},
    };
    const fs::path root = fs::path(testing::TempDir()) / "velmora_data_path_test";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root);
        makeDataEntry(root / "first", c.first);
        makeDataEntry(root / "second", c.second);
        const std::string expected =
            c.winner != nullptr ? (root / c.winner / "data/code.bmp").string() : "data/code.bmp";
        EXPECT_EQ(dataPathAmong("data/code.bmp", {root / "first", root / "second"}), expected);
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
