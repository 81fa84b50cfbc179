// readDataFile on Windows: the UTF-8 path becomes UTF-16 for CreateFileW, and
// the open handle must be a file on disk: a folder, a pipe or a device (CON,
// NUL, a serial port) is refused before anything is read from it.
#include "shell/DataFile.h"

#include <utility>

#include "shell/windows/OwnedHandle.h"
#include "shell/windows/WideText.h"
#include "shell/windows/Win32.h"

namespace {

DataFileContents failed(std::string why) {
    DataFileContents contents;
    contents.failure = std::move(why);
    return contents;
}

}  // namespace

DataFileContents readDataFile(const std::string& utf8Path) {
    const std::wstring path = wideFromUtf8(utf8Path);
    if (path.empty()) return failed(utf8Path.empty() ? "no file name" : "the file name is not valid UTF-8");
    // Backup semantics let a folder open, so that it is refused with the
    // same words as on other systems rather than as "access denied".
    const OwnedHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return failed(systemMessage(GetLastError()));
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileType(file.handle) != FILE_TYPE_DISK ||
        GetFileInformationByHandle(file.handle, &information) == 0 ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return failed("not a regular file");
    }

    DataFileContents contents;
    const unsigned long long size =
        (static_cast<unsigned long long>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    contents.bytes.resize(static_cast<std::size_t>(size));
    std::size_t filled = 0;
    for (;;) {
        // A file that grew since its size was read is read to its new end.
        if (filled == contents.bytes.size()) contents.bytes.resize(filled + 65536);
        const std::size_t room = contents.bytes.size() - filled;
        const DWORD ask = room > 0x40000000 ? 0x40000000 : static_cast<DWORD>(room);
        DWORD got = 0;
        if (ReadFile(file.handle, contents.bytes.data() + filled, ask, &got, nullptr) == 0) {
            return failed(systemMessage(GetLastError()));
        }
        if (got == 0) break;
        filled += got;
    }
    contents.bytes.resize(filled);
    return contents;
}
