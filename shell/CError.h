// CError: the one exception class of the demo. Thrown by value with a fixed
// English text, caught by reference only in the entry point and the window
// procedure, where show() reports the text in a box captioned "ERROR". The
// box keeps the fixed text; what failed underneath, and where, goes to stderr.
#pragma once

#include <string>

struct SDL_Window;

class CError {
public:
    // Made while another failure is being handled (a loader's exception the
    // caller replaces with its own text), that failure becomes the cause.
    explicit CError(const char* text);
    CError(const char* text, std::string cause);
    CError(const CError& other) = default;
    CError& operator=(const CError& other) = default;
    virtual ~CError();

    virtual std::string message() const;
    virtual int code() const;
    // Writes the text to stderr, so a run whose box cannot appear still says
    // why, and a second line with the cause when there is one; then hands the
    // text alone to the installed presenter with `owner` (may be null).
    virtual void show(SDL_Window* owner) const;

    // What failed underneath and where ("data/code.bmp: not a regular file");
    // empty when nothing more is known than the text.
    const std::string& cause() const { return causeText; }

private:
    std::string messageText;
    int errorCode = 0;  // nothing reads it; kept defined
    std::string causeText;
};

// Same report as CError::show, for failures that are not a CError.
void showError(const std::string& text, SDL_Window* owner);

// Puts a reported text on the screen; the window code provides the box.
using ErrorPresenter = void (*)(const std::string& text, SDL_Window* owner);

// Chosen once by the entry point, before anything can fail; null removes it.
void installErrorPresenter(ErrorPresenter presenter);
