// executablePath on Windows: the module file name of the running program, in
// UTF-16, so a folder named in any script is found as it is.
#include "shell/ExecutablePath.h"

#include <string>

#include "shell/windows/Win32.h"

std::filesystem::path executablePath() {
    // Long paths may exceed MAX_PATH: grow until the name fits.
    for (DWORD capacity = MAX_PATH; capacity <= 32768; capacity *= 2) {
        std::wstring name(capacity, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), capacity);
        if (length == 0) return {};
        if (length < capacity) {
            name.resize(length);
            return std::filesystem::path(name);
        }
    }
    return {};
}
