#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pages {

// The pinyin initial of a character of the Chinese code page 936, given as
// first byte × 256 + second byte: a lower-case letter, or none. The
// first-level characters of GB 2312 are ordered by pinyin, so a range of
// codes stands for each letter; there are no ranges for i, u and v.
std::optional<char> PinyinInitial(uint16_t code);

// The quick code of an item's name (UTF-8): the initials of its characters
// in order, after the blanks and control characters around the name are
// trimmed. Single-byte characters, second-level characters, symbols and
// characters the code page lacks give no letter; the code is empty when no
// character gives one.
std::string quickCode(std::string_view name);

} // namespace pages
