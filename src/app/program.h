#pragma once

#include "sign_in_window.h"

#include <memory>

namespace app {

// What the program entry does before the message loop: names the
// application, loads its pictures and fonts, creates the sign-in window
// (whose start-up runs now) and shows it. Every box goes through `boxes`.
std::unique_ptr<SignInWindow> startProgram(widgets::MessageBoxes& boxes = widgets::realMessageBoxes());

} // namespace app
