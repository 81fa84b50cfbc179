// make_icon: writes the application icon into an icon theme folder as
// <n>x<n>/apps/velmora.png for every size given and scalable/apps/velmora.svg
// (the build runs it for the hicolor tree that is installed).
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/artwork/Icon.h"
#include "tools/commandline/CommandLine.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    const CommandLine line(argc, argv, "make_icon",
                           "Usage: make_icon THEME SIZE...\n"
                           "Draws the application icon into the icon theme folder THEME as\n"
                           "SIZExSIZE/apps/velmora.png for every SIZE, and scalable/apps/velmora.svg.\n",
                           {}, 2, CommandLine::anyNumber);
    const fs::path theme = line.operands()[0];
    std::vector<int> sizes;
    for (std::size_t i = 1; i < line.operands().size(); ++i) {
        const std::string& text = line.operands()[i];
        const int size = std::atoi(text.c_str());
        if (size <= 0 || size > 4096 || text.find_first_not_of("0123456789") != std::string::npos) {
            line.refuse("not a size: '" + text + "'");
        }
        sizes.push_back(size);
    }
    try {
        for (const int size : sizes) {
            const fs::path folder = theme / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
            fs::create_directories(folder);
            writeIconPng(size, (folder / "velmora.png").string());
        }
        fs::create_directories(theme / "scalable/apps");
        writeIconSvg((theme / "scalable/apps/velmora.svg").string());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_icon: %s\n", error.what());
        return 1;
    }
    return 0;
}
