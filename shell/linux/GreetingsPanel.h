// GreetingsPanel: the small borderless panel of greetings that the launcher's
// "See Greetz ... >> " button toggles. It hangs directly under the launcher,
// exactly as wide, and is moved along whenever the launcher moves.
#pragma once

#include <gtk/gtk.h>

class GreetingsPanel {
public:
    // Built hidden, transient for `launcher`.
    explicit GreetingsPanel(GtkWindow* launcher);
    ~GreetingsPanel();
    GreetingsPanel(const GreetingsPanel&) = delete;
    GreetingsPanel& operator=(const GreetingsPanel&) = delete;

    // Left edge on the launcher's left edge, top on its bottom edge, the
    // launcher's outer width, the panel's own height.
    void placeUnder(GtkWindow* launcher);
    void show();
    GtkWidget* widget() const { return panel; }

private:
    GtkWidget* panel;
};
