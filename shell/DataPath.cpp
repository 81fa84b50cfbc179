// dataPath: working directory first, then beside the executable.
#include "shell/DataPath.h"

#include <SDL.h>
#include <sys/stat.h>

namespace {

bool isDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string dataPath(const std::string& relativePath) {
    if (isDirectory("data")) return relativePath;
    char* base = SDL_GetBasePath();
    if (base == nullptr) return relativePath;
    std::string besideExecutable = std::string(base) + relativePath;
    bool found = isDirectory(std::string(base) + "data");
    SDL_free(base);
    return found ? besideExecutable : relativePath;
}
