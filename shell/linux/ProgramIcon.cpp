// ProgramIcon: the theme's 128-pixel raster, large enough for window
// switchers; task bars scale it down. The build tree keeps icons/ beside the
// program, an installed or moved tree share/icons/ beside bin/, and a package
// the system's data folders.
#include "shell/linux/ProgramIcon.h"

#include <filesystem>
#include <string>
#include <vector>

#include "shell/ExecutablePath.h"

namespace fs = std::filesystem;

namespace {

const char* const iconInTheme = "hicolor/128x128/apps/velmora.png";

std::vector<fs::path> iconFolders() {
    std::vector<fs::path> folders;
    const fs::path executable = executablePath();
    if (!executable.empty()) {
        folders.push_back(executable.parent_path() / "icons");
        folders.push_back(executable.parent_path() / ".." / "share" / "icons");
    }
    for (const gchar* const* dir = g_get_system_data_dirs(); *dir != nullptr; ++dir) {
        folders.push_back(fs::path(*dir) / "icons");
    }
    return folders;
}

}  // namespace

GdkPixbuf* loadProgramIcon() {
    for (const fs::path& folder : iconFolders()) {
        const fs::path file = folder / iconInTheme;
        std::error_code error;
        if (!fs::is_regular_file(file, error)) continue;
        if (GdkPixbuf* icon = gdk_pixbuf_new_from_file(file.c_str(), nullptr)) return icon;
    }
    return nullptr;
}
