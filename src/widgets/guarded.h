#pragma once

#include "message_boxes.h"

#include <QApplication>
#include <QWidget>

#include <exception>
#include <type_traits>
#include <utility>

namespace widgets {

// Shows an error that escaped a handler as the standard error box.
void showUnhandledError(QWidget* owner, const std::exception* error);

// Wraps an event handler: an exception it throws becomes the standard
// error box with the error's own text, the rest of the handler is skipped
// and the program goes on. No exception ever reaches the event loop.
template <class Handler>
auto guarded(QWidget* owner, Handler handler)
{
    return [owner, handler = std::move(handler)](auto&&... args) {
        try {
            // A handler may ignore what the signal carries (clicked(bool)).
            if constexpr (std::is_invocable_v<const Handler&, decltype(args)...>)
                handler(std::forward<decltype(args)>(args)...);
            else
                handler();
        } catch (const std::exception& e) {
            showUnhandledError(owner, &e);
        } catch (...) {
            showUnhandledError(owner, nullptr);
        }
    };
}

// The same for a call made now rather than connected: returns false when
// the call failed (and the box was shown).
template <class Call>
bool runGuarded(QWidget* owner, Call call)
{
    try {
        call();
        return true;
    } catch (const std::exception& e) {
        showUnhandledError(owner, &e);
    } catch (...) {
        showUnhandledError(owner, nullptr);
    }
    return false;
}

} // namespace widgets
