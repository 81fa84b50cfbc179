// CError and showError: the message boxes of every failure the demo reports.
#include "shell/CError.h"

#include <SDL.h>

#include <cstdio>

namespace {

void reportBox(const std::string& text, SDL_Window* owner) {
    std::fprintf(stderr, "velmora: %s\n", text.c_str());
    // The result is ignored on purpose: a failure to show the box is already
    // covered by the stderr line above.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "ERROR", text.c_str(), owner);
}

}  // namespace

CError::CError(const char* text) : messageText(text != nullptr ? text : "") {}

CError::~CError() = default;

std::string CError::message() const { return messageText; }

int CError::code() const { return errorCode; }

void CError::show(SDL_Window* owner) const { reportBox(messageText, owner); }

void showError(const std::string& text, SDL_Window* owner) { reportBox(text, owner); }
