// MemoryMap: smaps walked once, each mapping's Rss added to its owner.
#include "tools/benchmark/MemoryMap.h"

#include <algorithm>
#include <fstream>
#include <vector>
#include <sstream>

namespace {

long statusField(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::string(field).size());
    }
    return 0;
}

bool contains(const std::string& path, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (path.find(name) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

std::string ownerOf(const std::string& path) {
    if (path.empty() || path[0] == '[' || path.rfind("/memfd:", 0) == 0 ||
        path.rfind("/dev/zero", 0) == 0 || path.rfind("/SYSV", 0) == 0) {
        return "heap and anonymous";
    }
    const std::string file = path.substr(path.rfind('/') + 1);
    if (contains(file, {"libgallium", "swrast", "_dri", "libLLVM", "libGLX", "libEGL", "libGL.",
                        "libGLdispatch", "libglapi", "libgbm", "libdrm", "libGLU", "libvulkan",
                        "libelf", "libsensors", "libz3", "libedit", "libxshmfence", "libwayland"})) {
        return "GL driver";
    }
    if (contains(file, {"libgtk", "libgdk", "libglib", "libgio", "libgobject", "libgmodule",
                        "libpango", "libcairo", "libharfbuzz", "libfreetype", "libfontconfig",
                        "libatk", "libepoxy", "libpixman", "libfribidi", "libpng", "libthai",
                        "libdatrie", "libgraphite", "libmount", "libblkid",
                        "libselinux", "libpcre", "libffi", "libXcomposite", "libXdamage", "libdbus", "libatspi", "libcloudproviders", "libtracker",
                        "gvfs", "gio/modules", "libjpeg", "libtiff", "libwebp", "libdeflate",
                        "libjbig", "libLerc", "libbrotli", "libexpat", "libuuid", "libbsd",
                        "libmd", ".cache", "locale-archive", "icon-theme", "fonts",
                        "gdk-pixbuf", "libgdk_pixbuf"})) {
        return "GTK and its libraries";
    }
    if (contains(file, {"libX11", "libxcb", "libXau", "libXdmcp", "libXss", "libXxf86vm",
                        "libXcursor", "libXi.", "libXrandr", "libXext", "libXfixes",
                        "libXrender", "libXinerama", "libxkb"})) {
        return "X11 client libraries";
    }
    if (contains(file, {"libSDL2"})) return "SDL";
    if (contains(file, {"libopenmpt", "libmpg123", "libvorbis", "libogg", "libsndfile",
                        "libFLAC", "libopus", "libasound", "libpulse"})) {
        return "module player and sound";
    }
    if (contains(file, {"libc.so", "libc-", "libstdc++", "libm.so", "libgcc_s", "ld-linux",
                        "libpthread", "libdl", "librt"})) {
        return "C and C++ runtime";
    }
    if (contains(file, {"velmora"})) return "program";
    return "other libraries";
}

std::map<std::string, long> residentByOwner() {
    std::map<std::string, long> files;
    std::map<std::string, long> owners;
    std::ifstream smaps("/proc/self/smaps");
    std::string owner = "heap and anonymous";
    std::string path;
    for (std::string line; std::getline(smaps, line);) {
        if (line.rfind("Rss:", 0) == 0) {
            owners[owner] += std::atol(line.c_str() + 4);
            if (owner == "other libraries") files[path] += std::atol(line.c_str() + 4);
            continue;
        }
        // A mapping's header starts with its address range; its fields do not.
        const auto dash = line.find('-');
        if (dash == std::string::npos || line.find(' ') < dash) continue;
        std::istringstream fields(line);
        std::string range, perms, offset, device, inode;
        fields >> range >> perms >> offset >> device >> inode;
        path.clear();
        std::getline(fields >> std::ws, path);
        owner = ownerOf(path);
    }
    // The largest files nobody above owns, named, so the table says what
    // "other" is.
    std::vector<std::pair<long, std::string>> largest;
    for (const auto& [file, kb] : files) largest.push_back({kb, file});
    std::sort(largest.rbegin(), largest.rend());
    for (std::size_t i = 0; i < largest.size() && i < 4; ++i) {
        owners["other libraries: " + largest[i].second.substr(largest[i].second.rfind('/') + 1)] =
            largest[i].first;
    }
    return owners;
}

long residentKb() { return statusField("VmRSS:"); }
long peakResidentKb() { return statusField("VmHWM:"); }
