// make_icon: writes the application icon into an icon theme folder as
// <n>x<n>/apps/velmora.png for every size given and scalable/apps/velmora.svg
// (the build runs it for the hicolor tree that is installed).
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "tools/artwork/Icon.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_icon <theme folder> <size>...\n");
        return 2;
    }
    const fs::path theme = argv[1];
    try {
        for (int i = 2; i < argc; ++i) {
            const int size = std::atoi(argv[i]);
            if (size <= 0) throw std::runtime_error(std::string("not a size: ") + argv[i]);
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
