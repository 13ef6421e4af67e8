#pragma once

#include <string>
#include <string_view>

namespace ledger {

// The one way a text is spliced into a statement: every delimiter inside it
// is doubled, so "Tom's" between single quotes reads back as Tom's and can
// never end the literal early. Ordinary texts come back unchanged.
std::string escapeText(std::string_view text, char delimiter = '\'');

// delimiter + escapeText(text) + delimiter.
std::string quoteText(std::string_view text, char delimiter = '\'');

} // namespace ledger
