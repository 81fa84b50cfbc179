// Quit requests on Windows: the console's control events (Ctrl+C, Ctrl+Break,
// the console closed, logoff, shutdown) and the session ending under the
// program's windows (WM_QUERYENDSESSION) set the quit flag; the close boxes
// go through each window's own procedure. A box is taken down by cancelling
// the program's dialogs.
#include "shell/QuitRequest.h"

#include "shell/windows/ParentConsole.h"
#include "shell/windows/Win32.h"

struct QuitSignals::Previous {
    HHOOK sessionHook = nullptr;
};

namespace {

BOOL WINAPI onConsoleEvent(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        // A second one takes the default way out, so a run that hangs can
        // still be stopped.
        if (quitRequested()) return FALSE;
        requestQuit();
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        requestQuit();
        // The system ends the process as soon as this returns; waiting here
        // lets the main thread restore the display and return by itself
        // within the seconds the system grants.
        Sleep(INFINITE);
        return TRUE;
    default:
        return FALSE;
    }
}

// Sees every message sent to this thread's windows, whoever made them: the
// launcher, the rendering window, a box.
LRESULT CALLBACK onSentMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == WM_QUERYENDSESSION) {
        requestQuit();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK cancelDialog(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        GetClassNameW(window, className, 16) > 0 && lstrcmpW(className, L"#32770") == 0) {
        // Both kinds of box SDL shows end on IDCANCEL as on Escape.
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    }
    return TRUE;
}

}  // namespace

QuitSignals::QuitSignals() : previous(std::make_unique<Previous>()) {
    useParentConsole();
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
    previous->sessionHook = SetWindowsHookExW(WH_CALLWNDPROC, onSentMessage, nullptr, GetCurrentThreadId());
}

QuitSignals::~QuitSignals() {
    if (previous->sessionHook != nullptr) UnhookWindowsHookEx(previous->sessionHook);
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
}

void takeDownBoxes() { EnumWindows(cancelDialog, 0); }
