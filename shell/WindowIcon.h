// WindowIcon: the demo's sphere icon on its rendering window, so that task
// bars and window switchers show the demo's own picture. The build draws the
// icon and the install rules put it in the desktop's icon theme; each
// platform finds it and hands it to the window its own way.
#pragma once

struct SDL_Window;

// Without an icon to be found the window keeps the system's.
void setWindowIcon(SDL_Window* window);
