// useParentConsole: attaches to the console of the process that started this
// one, and points the C streams that have no destination at it.
#include "shell/windows/ParentConsole.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "shell/windows/Win32.h"

namespace {

bool goesSomewhere(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void useParentConsole() {
    // Asked before joining, which may hand out the console's own handles.
    const bool outputGoes = goesSomewhere(STD_OUTPUT_HANDLE);
    const bool errorsGo = goesSomewhere(STD_ERROR_HANDLE);
    // Joined even when both streams go to files, so that Ctrl+C in the
    // prompt still reaches the program.
    if (AttachConsole(ATTACH_PARENT_PROCESS) != 0) {
        if (!outputGoes) std::freopen("CONOUT$", "w", stdout);
        if (!errorsGo) std::freopen("CONOUT$", "w", stderr);
    }
    // Lines end in a bare line feed, byte for byte as on other systems, for
    // whatever reads them; the console shows them the same.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
