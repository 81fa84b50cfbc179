// Launcher on Windows: the native dialog from the program's resources
// (LauncherDialog) and the greetings panel it toggles (GreetingsDialog), run
// by DialogBoxParamW with the two dialog procedures below.
#pragma once

#include "shell/Launcher.h"
#include "shell/windows/Win32.h"

// The program's module, stored before the launcher opens; the greetings
// panel is loaded from its resources.
extern HINSTANCE appInstance;
// The greetings panel while it is open.
extern HWND greetingsWindow;

INT_PTR CALLBACK launcherDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK greetingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Hangs the panel directly under the launcher, exactly as wide, keeping its
// own height.
void placeGreetings(HWND launcher);
