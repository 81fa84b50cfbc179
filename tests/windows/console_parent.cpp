// console_parent: starts a program the way a prompt does, as a child sharing a
// console of its own, and presses Ctrl+C in that console when told to. Wine
// gives a program started from a Unix shell no console, so the program's
// console control handler could not be reached any other way.
//   console_parent <program> <trigger file>
// The event goes out once the trigger file exists; the exit status is the
// program's. The program's standard streams are this one's.
#include <cstdio>
#include <memory>
#include <string>

#include "shell/windows/OwnedHandle.h"
#include "shell/windows/Win32.h"

#include <shellapi.h>

namespace {

HANDLE inheritable(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
        SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
    return handle;
}

bool exists(const wchar_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

struct FreeLocal {
    void operator()(wchar_t** block) const { LocalFree(block); }
};

}  // namespace

int main() {
    int count = 0;
    const std::unique_ptr<wchar_t*[], FreeLocal> owned(CommandLineToArgvW(GetCommandLineW(), &count));
    wchar_t** const arguments = owned.get();
    if (arguments == nullptr || count != 3) {
        std::fprintf(stderr, "usage: console_parent <program> <trigger file>\n");
        return 2;
    }
    // The streams the test reads stay the program's, whatever the new
    // console would hand out.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inheritable(STD_INPUT_HANDLE);
    startup.hStdOutput = inheritable(STD_OUTPUT_HANDLE);
    startup.hStdError = inheritable(STD_ERROR_HANDLE);
    // The console Wine gives a console program started from a Unix shell
    // sends no control events, so a console of the usual kind is made; its
    // window is hidden at once, so that it never takes the keyboard from the
    // program's windows.
    FreeConsole();
    if (AllocConsole() == 0) {
        std::fprintf(stderr, "console_parent: no console (error %lu)\n", GetLastError());
        return 1;
    }
    ShowWindow(GetConsoleWindow(), SW_HIDE);
    std::wstring commandLine = L"\"" + std::wstring(arguments[1]) + L"\"";
    PROCESS_INFORMATION child{};
    if (CreateProcessW(arguments[1], commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &child) == 0) {
        std::fprintf(stderr, "console_parent: cannot start the program (error %lu)\n", GetLastError());
        return 1;
    }
    // The event is for the child; this process only passes on its status.
    // Set only now: a child inherits the choice to ignore Ctrl+C.
    SetConsoleCtrlHandler(nullptr, TRUE);
    const OwnedHandle process(child.hProcess);
    const OwnedHandle thread(child.hThread);
    bool sent = false;
    while (WaitForSingleObject(process.handle, 50) == WAIT_TIMEOUT) {
        if (!sent && exists(arguments[2])) {
            sent = true;
            if (GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0) == 0) {
                std::fprintf(stderr, "console_parent: Ctrl+C not sent (error %lu)\n", GetLastError());
            }
        }
    }
    DWORD status = 1;
    GetExitCodeProcess(process.handle, &status);
    return static_cast<int>(status);
}
