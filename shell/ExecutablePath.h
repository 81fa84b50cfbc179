// executablePath: the running program's own file, from which the data beside
// it or in the installed tree around it is found. Each platform asks its own
// system (shell/<platform>/ExecutablePath.cpp); nothing else is needed, so the
// data lookup below the shell can use it.
#pragma once

#include <filesystem>

// Empty when the system does not say.
std::filesystem::path executablePath();
