// Usage: what `velmora --help` and `velmora --version` print — the same text
// on every platform, and the text the manual page is made from. The demo
// itself takes no options; these two answer without opening the launcher.
#pragma once

#include <string>

// The release, as the package carries it (e.g. "1.0.0").
std::string velmoraVersion();
// The --help text: what the demo is, its keys, where its data is read from,
// and how to run it without sound.
std::string velmoraUsage();
// The --version text of `program`: its name, the release, copyright and licence.
std::string velmoraVersionText(const std::string& program);

// When the arguments ask for the usage or the version (the first such
// argument wins), prints it on stdout and returns true; every other
// argument is ignored.
bool answeredHelpOrVersion(int argc, const char* const* argv);
