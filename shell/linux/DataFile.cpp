// readDataFile on Linux: opened without waiting (a pipe with no writer would
// otherwise block the start for ever), then refused unless the descriptor is
// a regular file, so a file swapped between a check and the open is caught.
#include "shell/DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    const int fd;
};

}  // namespace

DataFileContents readDataFile(const std::string& utf8Path) {
    DataFileContents contents;
    const Descriptor file(open(utf8Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd < 0) {
        contents.failure = std::strerror(errno);
        return contents;
    }
    struct stat status {};
    if (fstat(file.fd, &status) != 0) {
        contents.failure = std::strerror(errno);
        return contents;
    }
    if (!S_ISREG(status.st_mode)) {
        contents.failure = "not a regular file";
        return contents;
    }
    contents.bytes.resize(static_cast<std::size_t>(status.st_size));
    std::size_t filled = 0;
    for (;;) {
        // A file that grew since fstat is read to its new end.
        if (filled == contents.bytes.size()) contents.bytes.resize(filled + 65536);
        const ssize_t got = read(file.fd, contents.bytes.data() + filled, contents.bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            contents.failure = std::strerror(errno);
            contents.bytes.clear();
            return contents;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    contents.bytes.resize(filled);
    return contents;
}
