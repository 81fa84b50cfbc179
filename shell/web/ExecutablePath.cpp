// executablePath in the browser: a page has no file of its own; the data is
// found in the working directory of its file system, where the page puts it.
#include "shell/ExecutablePath.h"

std::filesystem::path executablePath() { return {}; }
