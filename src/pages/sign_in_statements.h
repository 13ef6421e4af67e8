#pragma once

#include <string>

namespace app {

// The statements of start-up and sign-in, exactly as issued. Names and
// passwords are spliced with the shared escaping, so a double quote in
// them can no longer end the literal early.
inline const char* kSettingsProbe = "Select * from sys_sys";
inline const char* kUserList = "Select * from s_user";
inline const char* kSettingsRow = "Select * from sys_sys where id=1";

std::string userByName(const std::string& name);
std::string rememberSignIn(const std::string& name, const std::string& password);
// Switching the remembered sign-in off also forgets the password.
std::string forgetSignIn();

} // namespace app
