// CError and showError: every reported failure goes to stderr and then to the
// presenter the program installed. This unit knows no window system.
#include "shell/CError.h"

#include <cstdio>

namespace {

// Tools and unit tests install none: they have no window for a box to sit
// on, and a box would wait for a click nobody makes. Their failures are
// reported on stderr only.
ErrorPresenter installedPresenter = nullptr;

void report(const std::string& text, SDL_Window* owner) {
    std::fprintf(stderr, "velmora: %s\n", text.c_str());
    if (installedPresenter != nullptr) installedPresenter(text, owner);
}

}  // namespace

CError::CError(const char* text) : messageText(text != nullptr ? text : "") {}

CError::~CError() = default;

std::string CError::message() const { return messageText; }

int CError::code() const { return errorCode; }

void CError::show(SDL_Window* owner) const { report(messageText, owner); }

void showError(const std::string& text, SDL_Window* owner) { report(text, owner); }

void installErrorPresenter(ErrorPresenter presenter) { installedPresenter = presenter; }
