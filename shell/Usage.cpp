// Usage: the demo's --help and --version texts and the check for them.
#include "shell/Usage.h"

#include <cstdio>
#include <cstring>

std::string velmoraVersion() { return VELMORA_VERSION_TEXT; }

std::string velmoraUsage() {
    return R"(Usage: velmora [--help | --version]

"Orvak 2002 - Velmora", a real-time OpenGL demo. A small launcher asks for
fullscreen or windowed display; then five procedural 3D scenes play in time
with the demo's own Impulse Tracker soundtrack, and the demo ends by itself
after about five minutes.

Keys:
  in the launcher  Enter or OK starts the demo; Escape, Cancel or the close
                   box end the program; "See Greetz ... >> " shows and hides
                   the greetings
  during the demo  Escape ends it, and so does the window's close box;
                   nothing else is read

Data: data/Tolvane.it (the soundtrack), data/code.bmp and data/shit.bmp (the
pictures of the last scene), each read from the first of these places that
holds it:
  the working directory
  the folder the program is in
  share/velmora beside the program's folder (/usr/share/velmora/data when
  the program is /usr/bin/velmora)

Environment:
  SDL_AUDIODRIVER=dummy  play silently, without a sound device
  DISPLAY                the X display the demo shows on

Options:
  -h, --help     print this text and end
  --version      print the version and end
Every other argument is ignored.

Failures are shown in a box titled "ERROR" and written to stderr; the
program ends with status 0 on every path.
)";
}

std::string velmoraVersionText(const std::string& program) {
    return program + " (Velmora) " + velmoraVersion() +
           "\nCopyright (c) 2026 The Velmora developers\n"
           "License: MIT <https://opensource.org/licenses/MIT>\n";
}

bool answeredHelpOrVersion(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const bool help = std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0;
        if (help || std::strcmp(argv[i], "--version") == 0) {
            std::fputs((help ? velmoraUsage() : velmoraVersionText("velmora")).c_str(), stdout);
            return true;
        }
    }
    return false;
}
