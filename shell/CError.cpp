// CError and showError: every reported failure goes to stderr and then to the
// presenter the program installed. This unit knows no window system.
#include "shell/CError.h"

#include <cstdio>
#include <exception>
#include <utility>

namespace {

// Tools and unit tests install none: they have no window for a box to sit
// on, and a box would wait for a click nobody makes. Their failures are
// reported on stderr only.
ErrorPresenter installedPresenter = nullptr;

void report(const std::string& text, const std::string& cause, SDL_Window* owner) {
    std::fprintf(stderr, "velmora: %s\n", text.c_str());
    if (!cause.empty()) std::fprintf(stderr, "velmora: %s: %s\n", text.c_str(), cause.c_str());
    if (installedPresenter != nullptr) installedPresenter(text, owner);
}

// A loader that must keep its own fixed text nests the detail inside it; the
// innermost exception is the one that knows what went wrong.
std::string innermostText(const std::exception& failure) {
    try {
        std::rethrow_if_nested(failure);
    } catch (const std::exception& inner) {
        return innermostText(inner);
    } catch (...) {
    }
    return failure.what();
}

std::string causeOfHandledFailure() {
    const std::exception_ptr handled = std::current_exception();
    if (!handled) return {};
    try {
        std::rethrow_exception(handled);
    } catch (const CError& error) {
        return error.cause().empty() ? error.message() : error.cause();
    } catch (const std::exception& error) {
        return innermostText(error);
    } catch (...) {
    }
    return {};
}

}  // namespace

CError::CError(const char* text) : CError(text, causeOfHandledFailure()) {}

CError::CError(const char* text, std::string cause)
    : messageText(text != nullptr ? text : ""), causeText(std::move(cause)) {}

CError::~CError() = default;

std::string CError::message() const { return messageText; }

int CError::code() const { return errorCode; }

void CError::show(SDL_Window* owner) const { report(messageText, causeText, owner); }

void showError(const std::string& text, SDL_Window* owner) { report(text, {}, owner); }

void installErrorPresenter(ErrorPresenter presenter) { installedPresenter = presenter; }
