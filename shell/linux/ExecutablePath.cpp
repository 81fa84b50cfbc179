// executablePath on Linux: the kernel's link to the running program, which
// follows the file wherever the installed tree was moved.
#include "shell/ExecutablePath.h"

#include <system_error>

std::filesystem::path executablePath() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}
