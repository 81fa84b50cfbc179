// Launcher on Linux: the launcher dialog built with GTK 3, laid out like the
// original dialog resource and run modally in its own main loop.
// initLauncherToolkit starts GTK: X11 is preferred (XWayland on a Wayland
// desktop), because only there can the launcher sit at the screen's corner
// with the greetings panel under it, and the rendering window is on X11 too;
// Wayland only when no X server answers.
#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "shell/Launcher.h"
#include "shell/linux/GreetingsPanel.h"

// The greetings panel while it is open.
extern GtkWidget* greetingsWindow;

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
