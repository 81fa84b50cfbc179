// dataPath: the first folder holding the file wins — the working directory,
// then beside the executable, then the installed share/velmora; an empty
// data/ folder does not count; with none the path stays as given and one
// line says every place it looked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "gfx/DataPath.h"
#include "tests/fixtures/FixtureFolder.h"

namespace fs = std::filesystem;

namespace {

// Gives `folder` a data/ holding the file ('d'), an empty data/ ('e'), a data/
// holding a folder by the file's name ('n'), a file named data ('f') or nothing.
void makeFolder(const fs::path& folder, char data) {
    fs::create_directories(folder);
    if (data == 'd' || data == 'e' || data == 'n') fs::create_directory(folder / "data");
    if (data == 'd') std::ofstream(folder / "data/code.bmp") << "a picture";
    if (data == 'n') fs::create_directory(folder / "data/code.bmp");
    if (data == 'f') std::ofstream(folder / "data") << "not a folder";
}

TEST(DataPath, FirstFolderHoldingTheFileWins) {
    // The first folder is entered as the working directory, named by an empty
    // path; the file there keeps the path as given, as none anywhere does.
    struct Case { const char* folders; const char* winner; };  // "": the working directory
    const Case cases[] = {{"ddd", ""},          {"edd", "beside"}, {"eed", "installed"},
                          {"f-d", "installed"}, {"nd-", ""},       {"eee", nullptr},
                          {"-f-", nullptr}};
    const fs::path root = fs::path(testing::TempDir()) / "velmora_data_path_test";
    const char* const names[] = {"cwd", "beside", "installed"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folders);
        fs::remove_all(root);
        for (int i = 0; i < 3; ++i) makeFolder(root / names[i], c.folders[i]);
        WorkingDirectory cwd(root / "cwd");
        std::ostringstream report;
        EXPECT_EQ(dataPathAmong("data/code.bmp", {fs::path(), root / "beside", root / "installed"}, report),
                  c.winner == nullptr || *c.winner == 0 ? "data/code.bmp"
                                                        : (root / c.winner / "data/code.bmp").string());
        EXPECT_EQ(report.str(), c.winner != nullptr ? ""
                                                    : "velmora: no data/code.bmp found; looked in " +
                                                          (root / "cwd/data/code.bmp").string() + ", " +
                                                          (root / "beside/data/code.bmp").string() + ", " +
                                                          (root / "installed/data/code.bmp").string() + "\n");
    }
    fs::remove_all(root);
}

// The installed tree keeps bin/ and share/ side by side under one prefix.
TEST(DataPath, LooksInTheWorkingDirectoryThenBesideTheExecutableThenInShare) {
    const auto folders = dataFolders();
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[0], fs::path());
    EXPECT_TRUE(fs::is_regular_file(folders[1] / "gfx_tests")) << folders[1];
    EXPECT_EQ(folders[2], folders[1].parent_path() / "share" / "velmora");
}

}  // namespace
