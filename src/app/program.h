#pragma once

#include "sign_in_window.h"

#include <memory>

namespace app {

// What the program entry does before the message loop: names the
// application, loads its pictures and fonts, takes the date form from the
// system, creates the sign-in window (whose start-up runs now) and shows it.
std::unique_ptr<SignInWindow> startProgram();

} // namespace app
