// The "ERROR" boxes through SDL. The results are ignored on purpose: whoever
// asks for a box has already written its text to stderr.
#include "shell/MessageBox.h"

#include <SDL.h>

void showWarningBox(const std::string& text, SDL_Window* owner) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "ERROR", text.c_str(), owner);
}

void showPlainBox(const std::string& text) {
    SDL_ShowSimpleMessageBox(0, "ERROR", text.c_str(), nullptr);
}
