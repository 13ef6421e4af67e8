#pragma once

#include <string>

namespace pages {

// The statements of start-up and sign-in. Names and passwords are spliced
// with the shared escaping, so a double quote in them cannot end the
// literal early.
inline constexpr const char* kSettingsProbe = "Select * from sys_sys";
inline constexpr const char* kUserList = "Select * from s_user";
inline constexpr const char* kSettingsRow = "Select * from sys_sys where id=1";

std::string userByName(const std::string& name);
std::string rememberSignIn(const std::string& name, const std::string& password);
// Switching the remembered sign-in off also forgets the password.
std::string forgetSignIn();

} // namespace pages
