// make_artwork: writes data/code.bmp and data/shit.bmp into the folder given
// (the repository's data/ when run by scripts/make-data).
#include <cstdio>
#include <exception>
#include <string>

#include "tools/artwork/Artwork.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_artwork <data folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    try {
        writeBmp24(drawBanner(), folder + "/code.bmp");
        writeBmp24(drawCreditsStrip(), folder + "/shit.bmp");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_artwork: %s\n", error.what());
        return 1;
    }
    return 0;
}
