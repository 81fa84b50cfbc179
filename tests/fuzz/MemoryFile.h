// MemoryFile: a file that lives in memory, for fuzz targets whose loaders
// only take a path. Each input is written into it and the loader opens it
// as /proc/self/fd/N, so no input ever touches the disk.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

class MemoryFile {
public:
    MemoryFile() : fd(memfd_create("velmora-fuzz-input", 0)) {
        if (fd < 0) {
            std::perror("memfd_create");
            std::abort();
        }
        pathName = "/proc/self/fd/" + std::to_string(fd);
    }
    ~MemoryFile() { close(fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    // Replaces the whole content with `size` bytes of `data`.
    void assign(const std::uint8_t* data, std::size_t size) {
        if (ftruncate(fd, 0) != 0) std::abort();
        std::size_t done = 0;
        while (done < size) {
            const ssize_t wrote = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
            if (wrote <= 0) std::abort();
            done += static_cast<std::size_t>(wrote);
        }
    }

    const std::string& path() const { return pathName; }

private:
    int fd;
    std::string pathName;
};
