// GreetingsPanel: builds the greetings text at the positions of the original
// panel layout (dialog units scaled to pixels) and keeps the panel under the
// launcher.
#include "shell/linux/GreetingsPanel.h"

#include "shell/GreetingsText.h"

namespace {

// One horizontal dialog unit is 1.5 px, one vertical 1.625 px.
int unitsToPxX(int units) { return (units * 3 + 1) / 2; }
int unitsToPxY(int units) { return (units * 13 + 4) / 8; }

constexpr int panelWidthUnits = 226;
constexpr int panelHeightUnits = 76;

struct GreetingText {
    int x, y;  // dialog units
    const char* text;
};

constexpr GreetingText greetingTexts[] = {
    {7, 7, GREETINGS_HEADING},
    {7, 18, GREETINGS_FIRST_LINE},
    {7, 28, GREETINGS_SECOND_LINE},
    {7, 39, GREETINGS_CLOSING_LINE},
    {203, 60, GREETINGS_SIGNATURE},
};

gboolean swallowKey(GtkWidget*, GdkEventKey*, gpointer) { return TRUE; }

}  // namespace

GreetingsPanel::GreetingsPanel(GtkWindow* launcher) : panel(gtk_window_new(GTK_WINDOW_TOPLEVEL)) {
    GtkWindow* window = GTK_WINDOW(panel);
    // The title is never drawn (no decorations); it names the panel in
    // window lists.
    gtk_window_set_title(window, "Velmora greetings");
    gtk_window_set_decorated(window, FALSE);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_transient_for(window, launcher);
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_UTILITY);
    gtk_window_set_skip_taskbar_hint(window, TRUE);
    gtk_window_set_accept_focus(window, FALSE);
    gtk_widget_set_name(panel, "greetings");
    gtk_window_set_default_size(window, unitsToPxX(panelWidthUnits), unitsToPxY(panelHeightUnits));
    // Keys pressed on the panel do nothing.
    g_signal_connect(panel, "key-press-event", G_CALLBACK(swallowKey), nullptr);

    GtkWidget* layout = gtk_fixed_new();
    for (const GreetingText& line : greetingTexts) {
        GtkWidget* label = gtk_label_new(line.text);
        gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
        gtk_fixed_put(GTK_FIXED(layout), label, unitsToPxX(line.x), unitsToPxY(line.y));
    }
    gtk_container_add(GTK_CONTAINER(panel), layout);
    gtk_widget_show_all(layout);
    gtk_widget_realize(panel);
}

GreetingsPanel::~GreetingsPanel() { gtk_widget_destroy(panel); }

void GreetingsPanel::placeUnder(GtkWindow* launcher) {
    GdkWindow* launcherWindow = gtk_widget_get_window(GTK_WIDGET(launcher));
    if (launcherWindow == nullptr) return;
    GdkRectangle outer{};
    gdk_window_get_frame_extents(launcherWindow, &outer);
    int ownWidth = 0;
    int ownHeight = 0;
    gtk_window_get_size(GTK_WINDOW(panel), &ownWidth, &ownHeight);
    gtk_window_move(GTK_WINDOW(panel), outer.x, outer.y + outer.height);
    gtk_window_resize(GTK_WINDOW(panel), outer.width, ownHeight);
}

void GreetingsPanel::show() { gtk_widget_show(panel); }
