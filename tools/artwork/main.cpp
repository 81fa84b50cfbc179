// make_artwork: writes data/code.bmp and data/shit.bmp into the folder given
// (the repository's data/ when run by scripts/make-data).
#include <cstdio>
#include <exception>
#include <string>

#include "tools/artwork/Artwork.h"
#include "tools/commandline/CommandLine.h"

int main(int argc, char** argv) {
    const CommandLine line(argc, argv, "make_artwork",
                           "Usage: make_artwork FOLDER\n"
                           "Draws the banner and the credits strip of the demo's last scene into\n"
                           "FOLDER/code.bmp and FOLDER/shit.bmp (scripts/make-data: data/).\n",
                           {}, 1, 1);
    const std::string folder = line.operands()[0];
    try {
        writeBmp24(drawBanner(), folder + "/code.bmp");
        writeBmp24(drawCreditsStrip(), folder + "/shit.bmp");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_artwork: %s\n", error.what());
        return 1;
    }
    return 0;
}
