// Launcher: the small modal dialog shown before anything else, where the
// player picks fullscreen or windowed display and may open the greetings
// panel. OK starts the demo; Cancel, Escape or the close box end the program.
#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "shell/GreetingsPanel.h"

// The launcher's choice: true when "Fullscreen" was checked at OK.
extern bool launcherFullscreen;
// Toggle state of the greetings panel, and the panel while it is open.
extern bool greetingsShown;
extern GtkWidget* greetingsWindow;

// Starts GTK for the launcher; false when no display can be opened. X11 is
// preferred (XWayland on a Wayland desktop), because only there can the
// launcher sit at the screen's corner with the greetings panel under it, and
// the rendering window is on X11 too; Wayland only when no X server answers.
bool initLauncherToolkit();

class Launcher {
public:
    // Needs GTK initialised. Builds the dialog hidden.
    Launcher();
    // Destroys the dialog and the panel and drains GTK's pending events, so
    // that no launcher window is left on screen when the demo window opens.
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // Shows the dialog and blocks until it is closed: true for OK (the choice
    // is then in `launcherFullscreen`), false for Cancel, Escape, the close
    // box or a quit request (SIGINT, SIGTERM).
    bool run();

private:
    GtkWidget* dialog;
    GtkWidget* fullscreenButton = nullptr;
    GtkWidget* windowedButton = nullptr;
    GtkWidget* okButton = nullptr;
    std::unique_ptr<GreetingsPanel> greetings;
    bool accepted = false;
    bool running = false;

    void finish(bool ok);
    void toggleGreetings();
    void placeGreetings();

    static void onOk(GtkButton*, gpointer self);
    static void onCancel(GtkButton*, gpointer self);
    static void onGreetings(GtkButton*, gpointer self);
    static gboolean onKey(GtkWidget*, GdkEventKey* event, gpointer self);
    static gboolean onDelete(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean onConfigure(GtkWidget*, GdkEventConfigure*, gpointer self);
    static gboolean onQuitPoll(gpointer self);
};
