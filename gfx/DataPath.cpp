// dataPath: the working directory first, then the folder beside the
// executable, found through /proc/self/exe.
#include "gfx/DataPath.h"

#include <system_error>

namespace fs = std::filesystem;

std::string dataPath(const std::string& relativePath) {
    return dataPathAmong(relativePath, dataFolders());
}

std::vector<fs::path> dataFolders() {
    std::vector<fs::path> folders{fs::path()};
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) folders.push_back(executable.parent_path());
    return folders;
}

std::string dataPathAmong(const std::string& relativePath, const std::vector<fs::path>& folders) {
    for (const fs::path& folder : folders) {
        std::error_code error;
        if (fs::is_directory(folder / "data", error)) return (folder / relativePath).string();
    }
    return relativePath;
}
