// setWindowIcon on Windows: nothing to hand over. The icon is the program's
// first icon resource, and SDL gives its window class the program's first
// icon when it registers it, so the rendering window, the task bar and
// Alt+Tab show the sphere already.
#include "shell/WindowIcon.h"

void setWindowIcon(SDL_Window*) {}
