// CError: the one exception class of the demo. Thrown by value with a fixed
// English text, caught by reference only in the entry point and the window
// procedure, where show() reports the text in a box captioned "ERROR".
#pragma once

#include <string>

struct SDL_Window;

class CError {
public:
    explicit CError(const char* text);
    CError(const CError& other) = default;
    CError& operator=(const CError& other) = default;
    virtual ~CError();

    virtual std::string message() const;
    virtual int code() const;
    // Writes the text to stderr, so a run whose box cannot appear still says
    // why, then hands it to the installed presenter with `owner` (may be null).
    virtual void show(SDL_Window* owner) const;

private:
    std::string messageText;
    int errorCode = 0;  // nothing reads it; kept defined
};

// Same report as CError::show, for failures that are not a CError.
void showError(const std::string& text, SDL_Window* owner);

// Puts a reported text on the screen; the window code provides the box.
using ErrorPresenter = void (*)(const std::string& text, SDL_Window* owner);

// Chosen once by the entry point, before anything can fail; null removes it.
void installErrorPresenter(ErrorPresenter presenter);
