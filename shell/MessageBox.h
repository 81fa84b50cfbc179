// The message boxes failures end in, both captioned "ERROR": the warning box
// every reported failure gets (installed as CError's presenter by the entry
// point) and the entry point's own plain box for a failure of unknown kind.
#pragma once

#include <string>

struct SDL_Window;

// A warning box over `owner` (may be null).
void showWarningBox(const std::string& text, SDL_Window* owner);

// A box with no icon and no owner.
void showPlainBox(const std::string& text);
