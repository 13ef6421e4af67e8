#pragma once

#include <string>
#include <string_view>

namespace ledger {

// SHA-256 of a byte string, as 64 lower-case hex digits. Used to keep the
// database password out of the file in clear text.
std::string sha256Hex(std::string_view data);

} // namespace ledger
