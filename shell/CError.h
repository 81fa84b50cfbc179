// CError: the one exception class of the demo. Thrown by value with a fixed
// English text, caught by reference only in the entry point and the window
// procedure, where show() puts the text in a box captioned "ERROR".
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
    // Shows the text in a warning box owned by `owner` (may be null) and also
    // writes it to stderr, so a run whose box cannot appear still says why.
    virtual void show(SDL_Window* owner) const;

private:
    std::string messageText;
    int errorCode = 0;  // nothing reads it; kept defined
};

// Same box as CError::show, for failures that are not a CError.
void showError(const std::string& text, SDL_Window* owner);
