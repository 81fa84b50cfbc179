// dataPath: the working directory first, then the folder beside the
// executable, then the installed data folder, the last two found from the
// program's own file so that the whole installed tree can be moved.
#include "gfx/DataPath.h"

#include <iostream>
#include <system_error>

#include "shell/ExecutablePath.h"

namespace fs = std::filesystem;

std::string dataPath(const std::string& relativePath) {
    return dataPathAmong(relativePath, dataFolders(), std::cerr);
}

std::vector<fs::path> dataFolders() {
    std::vector<fs::path> folders{fs::path()};
    const fs::path executable = executablePath();
    if (!executable.empty()) {
        const fs::path beside = executable.parent_path();
        folders.push_back(beside);
        // The install rules define where the data goes relative to the
        // program; where that is beside it, the folder is tried once.
        const fs::path installed = (beside / VELMORA_INSTALLED_DATA_FOLDER).lexically_normal();
        if (installed != (beside / "").lexically_normal()) folders.push_back(installed);
    }
    return folders;
}

std::string dataPathAmong(const std::string& relativePath, const std::vector<fs::path>& folders,
                          std::ostream& report) {
    for (const fs::path& folder : folders) {
        std::error_code error;
        // A dangling link is not there; a pipe or a folder by the name is,
        // and the loader refuses it with the reason. UTF-8 on every system:
        // the loaders open it as such.
        const fs::path candidate = folder / fs::u8path(relativePath);
        if (fs::exists(candidate, error)) return candidate.u8string();
    }
    // The working directory is named in full: "data" alone says little when the
    // demo was started from a menu.
    report << "velmora: no " << relativePath << " found; looked in";
    const char* separator = " ";
    for (const fs::path& folder : folders) {
        std::error_code error;
        const fs::path place = folder.empty() ? fs::current_path(error) : folder;
        report << separator << (place / fs::u8path(relativePath)).u8string();
        separator = ", ";
    }
    report << '\n';
    return relativePath;
}
