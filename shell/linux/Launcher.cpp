// Launcher: the GTK 3 start-up dialog laid out like the original dialog
// resource (radio buttons left, OK and Cancel right, greetings button bottom
// left), run modally in its own main loop.
#include "shell/linux/Launcher.h"

#include "shell/QuitRequest.h"
#include "shell/linux/ProgramIcon.h"

bool launcherFullscreen = false;
bool greetingsShown = false;
GtkWidget* greetingsWindow = nullptr;

namespace {

// One horizontal dialog unit is 1.5 px, one vertical 1.625 px.
int unitsToPxX(int units) { return (units * 3 + 1) / 2; }
int unitsToPxY(int units) { return (units * 13 + 4) / 8; }

// How often the running launcher looks for a quit request.
constexpr guint quitPollMilliseconds = 50;

constexpr int dialogWidthUnits = 226;
constexpr int dialogHeightUnits = 84;

// Windows' 8-point dialog font and flat, tight push buttons: the default
// theme's padding would not fit the controls into the original rectangles.
constexpr const char* launcherCss =
    "#launcher, #greetings { font-family: Sans; font-size: 8pt; }"
    "#launcher button { padding: 0px 4px; min-height: 0px; min-width: 0px; }"
    "#greetings { border: 1px solid #404040; }";

void putControl(GtkWidget* layout, GtkWidget* control, int x, int y, int w, int h) {
    gtk_widget_set_size_request(control, unitsToPxX(w), unitsToPxY(h));
    gtk_fixed_put(GTK_FIXED(layout), control, unitsToPxX(x), unitsToPxY(y));
}

void installStyle() {
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, launcherCss, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

}  // namespace

bool initLauncherToolkit() {
    // GTK would switch the process to the user's locale; the demo's number
    // handling stays in the C locale.
    gtk_disable_setlocale();
    gdk_set_allowed_backends("x11,wayland");
    // The desktop groups the launcher with the rendering window and the menu
    // entry: the same X11 window class ("velmora", the entry's
    // StartupWMClass), and on Wayland the entry's id as the app id.
    g_set_prgname("org.orvak.velmora");
    if (gtk_init_check(nullptr, nullptr) != TRUE) return false;
    // After the start-up, which sets the class from the program's name.
    gdk_set_program_class("velmora");
    if (GdkPixbuf* icon = loadProgramIcon()) {
        gtk_window_set_default_icon(icon);
        g_object_unref(icon);
    }
    return true;
}

Launcher::Launcher() : dialog(gtk_window_new(GTK_WINDOW_TOPLEVEL)) {
    installStyle();
    GtkWindow* window = GTK_WINDOW(dialog);
    gtk_widget_set_name(dialog, "launcher");
    gtk_window_set_title(window, "Orvak 2002 - Velmora");
    gtk_window_set_modal(window, TRUE);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);

    GtkWidget* layout = gtk_fixed_new();
    gtk_widget_set_size_request(layout, unitsToPxX(dialogWidthUnits), unitsToPxY(dialogHeightUnits));

    okButton = gtk_button_new_with_label("OK");
    GtkWidget* cancelButton = gtk_button_new_with_label("Cancel");
    fullscreenButton = gtk_radio_button_new_with_label(nullptr, "Fullscreen");
    windowedButton = gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(fullscreenButton),
                                                                 "Windowed");
    GtkWidget* greetingsButton = gtk_button_new_with_label("See Greetz ... >> ");

    putControl(layout, okButton, 135, 17, 50, 14);
    putControl(layout, cancelButton, 135, 39, 50, 14);
    putControl(layout, fullscreenButton, 14, 21, 77, 12);
    putControl(layout, windowedButton, 14, 36, 77, 12);
    putControl(layout, greetingsButton, 7, 64, 70, 13);
    gtk_container_add(GTK_CONTAINER(dialog), layout);

    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(windowedButton), TRUE);
    gtk_widget_set_can_default(okButton, TRUE);
    gtk_window_set_default(window, okButton);

    g_signal_connect(okButton, "clicked", G_CALLBACK(onOk), this);
    g_signal_connect(cancelButton, "clicked", G_CALLBACK(onCancel), this);
    g_signal_connect(greetingsButton, "clicked", G_CALLBACK(onGreetings), this);
    g_signal_connect(dialog, "key-press-event", G_CALLBACK(onKey), this);
    g_signal_connect(dialog, "delete-event", G_CALLBACK(onDelete), this);
    g_signal_connect(dialog, "configure-event", G_CALLBACK(onConfigure), this);
    gtk_widget_show_all(layout);
}

Launcher::~Launcher() {
    greetings.reset();
    greetingsWindow = nullptr;
    greetingsShown = false;
    gtk_widget_destroy(dialog);
    // Let the destroyed windows reach the server and finish every pending
    // GTK event before SDL takes over the display.
    GdkDisplay* display = gdk_display_get_default();
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
    if (display != nullptr) gdk_display_sync(display);
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

bool Launcher::run() {
    accepted = false;
    gtk_window_move(GTK_WINDOW(dialog), 0, 0);
    gtk_widget_show(dialog);
    gtk_widget_grab_focus(okButton);
    running = true;
    // A signal only sets a flag; the main loop sleeps in poll until it is
    // looked at.
    const guint quitPoll = g_timeout_add(quitPollMilliseconds, onQuitPoll, this);
    gtk_main();
    g_source_remove(quitPoll);
    return accepted;
}

void Launcher::finish(bool ok) {
    if (!running) return;
    if (ok) {
        launcherFullscreen =
            gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(fullscreenButton)) == TRUE;
    }
    accepted = ok;
    running = false;
    // The panel closes together with the launcher.
    greetings.reset();
    greetingsWindow = nullptr;
    greetingsShown = false;
    gtk_widget_hide(dialog);
    gtk_main_quit();
}

void Launcher::toggleGreetings() {
    const bool wasShown = greetingsShown;
    greetingsShown = !greetingsShown;
    if (wasShown) {
        greetings.reset();
        greetingsWindow = nullptr;
        return;
    }
    greetings = std::make_unique<GreetingsPanel>(GTK_WINDOW(dialog));
    greetingsWindow = greetings->widget();
    placeGreetings();
    greetings->show();
}

void Launcher::placeGreetings() {
    if (greetings != nullptr) greetings->placeUnder(GTK_WINDOW(dialog));
}

void Launcher::onOk(GtkButton*, gpointer self) { static_cast<Launcher*>(self)->finish(true); }

void Launcher::onCancel(GtkButton*, gpointer self) { static_cast<Launcher*>(self)->finish(false); }

void Launcher::onGreetings(GtkButton*, gpointer self) {
    static_cast<Launcher*>(self)->toggleGreetings();
}

gboolean Launcher::onKey(GtkWidget*, GdkEventKey* event, gpointer self) {
    if (event->keyval != GDK_KEY_Escape) return FALSE;
    static_cast<Launcher*>(self)->finish(false);
    return TRUE;
}

gboolean Launcher::onDelete(GtkWidget*, GdkEvent*, gpointer self) {
    static_cast<Launcher*>(self)->finish(false);
    return TRUE;  // the destructor destroys the window
}

gboolean Launcher::onConfigure(GtkWidget*, GdkEventConfigure*, gpointer self) {
    auto* launcher = static_cast<Launcher*>(self);
    if (greetingsWindow != nullptr && greetingsShown) launcher->placeGreetings();
    return FALSE;
}

gboolean Launcher::onQuitPoll(gpointer self) {
    if (quitRequested()) static_cast<Launcher*>(self)->finish(false);
    return G_SOURCE_CONTINUE;
}

bool runLauncher() {
    Launcher launcher;
    return launcher.run();
}
