// Launcher on Windows: the dialog procedures of the launcher and of the
// greetings panel, and the modal run of the launcher.
#include "shell/windows/Launcher.h"

#include "shell/QuitRequest.h"
#include "shell/windows/LauncherResources.h"

HINSTANCE appInstance = nullptr;
bool launcherFullscreen = false;
bool greetingsShown = false;
HWND greetingsWindow = nullptr;

namespace {

// How often the open launcher looks for a quit request (Ctrl+C, the session
// ending): a dialog's own loop knows nothing of the flag.
constexpr UINT_PTR quitPollTimer = 1;
constexpr UINT quitPollMilliseconds = 50;

// What the launcher ends with on OK; Cancel, Escape and the close box end it
// with -1.
constexpr INT_PTR launcherAccepted = 1;

void toggleGreetings(HWND launcher) {
    const bool wasShown = greetingsShown;
    greetingsShown = !greetingsShown;
    if (wasShown) {
        DestroyWindow(greetingsWindow);
        greetingsWindow = nullptr;
        return;
    }
    // Should the panel not be made, the toggle stays flipped: the next press
    // destroys nothing and flips it back.
    greetingsWindow = CreateDialogParamW(appInstance, MAKEINTRESOURCEW(GreetingsDialog), launcher,
                                         greetingsDialogProc, 0);
    if (greetingsWindow == nullptr) return;
    placeGreetings(launcher);
    ShowWindow(greetingsWindow, SW_SHOWNORMAL);
}

}  // namespace

void placeGreetings(HWND launcher) {
    RECT launcherRect{};
    RECT panelRect{};
    GetWindowRect(launcher, &launcherRect);
    GetWindowRect(greetingsWindow, &panelRect);
    MoveWindow(greetingsWindow, launcherRect.left, launcherRect.bottom, launcherRect.right - launcherRect.left,
               panelRect.bottom - panelRect.top, TRUE);
}

INT_PTR CALLBACK greetingsDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    // Keys pressed on the panel do nothing.
    return message == WM_KEYDOWN ? TRUE : FALSE;
}

INT_PTR CALLBACK launcherDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        CheckRadioButton(dialog, FullscreenButton, WindowedButton, WindowedButton);
        SetTimer(dialog, quitPollTimer, quitPollMilliseconds, nullptr);
        return TRUE;
    case WM_COMMAND:
        // The notification code is not looked at.
        switch (LOWORD(wParam)) {
        case IDOK:
            launcherFullscreen = IsDlgButtonChecked(dialog, FullscreenButton) == BST_CHECKED;
            EndDialog(dialog, launcherAccepted);
            break;
        case IDCANCEL:  // also Escape and the close box
            EndDialog(dialog, -1);
            break;
        case FullscreenButton:
            CheckRadioButton(dialog, FullscreenButton, WindowedButton, FullscreenButton);
            break;
        case WindowedButton:
            CheckRadioButton(dialog, FullscreenButton, WindowedButton, WindowedButton);
            break;
        case GreetingsButton:
            toggleGreetings(dialog);
            break;
        default:
            break;
        }
        return TRUE;
    case WM_MOVE:
        if (greetingsWindow != nullptr && greetingsShown) placeGreetings(dialog);
        return TRUE;
    case WM_TIMER:
        if (wParam == quitPollTimer && quitRequested()) EndDialog(dialog, -1);
        return TRUE;
    default:
        return FALSE;
    }
}

bool initLauncherToolkit() {
    appInstance = GetModuleHandleW(nullptr);
    return appInstance != nullptr;
}

bool runLauncher() {
    const INT_PTR result =
        DialogBoxParamW(appInstance, MAKEINTRESOURCEW(LauncherDialog), nullptr, launcherDialogProc, 0);
    // The panel, owned by the launcher, went with it.
    greetingsWindow = nullptr;
    greetingsShown = false;
    // Only OK starts the demo: a dialog that could not be made (-1) or was
    // ended by a quit message (0) does not.
    return result == launcherAccepted;
}
