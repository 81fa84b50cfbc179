// Launcher: the small modal dialog shown before anything else, where the
// player picks fullscreen or windowed display and may open the greetings
// panel. OK starts the demo; Cancel, Escape or the close box end the program.
// Each platform builds it with its own toolkit, in shell/<platform>/.
#pragma once

// The launcher's choice: true when "Fullscreen" was checked at OK.
extern bool launcherFullscreen;
// Toggle state of the greetings panel.
extern bool greetingsShown;

// Starts the launcher's toolkit; false when no display can be opened.
bool initLauncherToolkit();

// Shows the launcher and blocks until it is closed: true for OK (the choice
// is then in `launcherFullscreen`), false for Cancel, Escape, the close box
// or a quit request. No launcher window is left on screen when it returns.
bool runLauncher();
