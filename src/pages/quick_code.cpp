#include "quick_code.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace pages {

namespace {

struct InitialRange {
    uint16_t from; // the first code of the letter; it runs up to the next range
    char letter;
};

// Contiguous from 0xB0A1 to 0xD7F9.
constexpr std::array<InitialRange, 23> kRanges = {{
    {0xB0A1, 'a'}, {0xB0C5, 'b'}, {0xB2C1, 'c'}, {0xB4EE, 'd'}, {0xB6EA, 'e'}, {0xB7A2, 'f'}, {0xB8C1, 'g'}, {0xB9FE, 'h'},
    {0xBBF7, 'j'}, {0xBFA6, 'k'}, {0xC0AC, 'l'}, {0xC2E8, 'm'}, {0xC4C3, 'n'}, {0xC5B6, 'o'}, {0xC5BE, 'p'}, {0xC6DA, 'q'},
    {0xC8BB, 'r'}, {0xC8F6, 's'}, {0xCBFA, 't'}, {0xCDDA, 'w'}, {0xCEF4, 'x'}, {0xD1B9, 'y'}, {0xD4D1, 'z'},
}};
constexpr uint16_t kLastCode = 0xD7F9;

// One conversion descriptor per thread: opening one costs far more than a name.
class ToCodePage936 {
public:
    ToCodePage936() : cd_(iconv_open("CP936", "UTF-8"))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("没有代码页 936 的字符转换");
    }
    ~ToCodePage936() { iconv_close(cd_); }
    ToCodePage936(const ToCodePage936&) = delete;
    ToCodePage936& operator=(const ToCodePage936&) = delete;

    // The name in code page 936; a character the code page lacks is left out.
    std::string convert(std::string_view text)
    {
        std::string out(text.size() * 2 + 4, '\0');
        char* in = const_cast<char*>(text.data());
        size_t inLeft = text.size();
        char* to = out.data();
        size_t toLeft = out.size();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            if (iconv(cd_, &in, &inLeft, &to, &toLeft) != static_cast<size_t>(-1))
                break;
            if (errno == E2BIG)
                break; // cannot happen: two bytes out for every byte in
            const size_t skip = characterLength(in, inLeft);
            in += skip;
            inLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(out.size() - toLeft);
        return out;
    }

private:
    // The bytes of the UTF-8 character at `text`: its first byte and the
    // continuation bytes it announces, as far as they are there.
    static size_t characterLength(const char* text, size_t left)
    {
        const auto lead = static_cast<unsigned char>(text[0]);
        const size_t announced = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        size_t length = 1;
        while (length < announced && length < left && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            ++length;
        return length;
    }

    iconv_t cd_;
};

bool trimmed(unsigned char c)
{
    return c <= ' '; // blanks and control characters
}

} // namespace

std::optional<char> PinyinInitial(uint16_t code)
{
    if (code < kRanges.front().from || code > kLastCode)
        return std::nullopt;
    const auto after =
        std::upper_bound(kRanges.begin(), kRanges.end(), code, [](uint16_t c, const InitialRange& r) { return c < r.from; });
    return std::prev(after)->letter;
}

std::string quickCode(std::string_view name)
{
    while (!name.empty() && trimmed(static_cast<unsigned char>(name.front())))
        name.remove_prefix(1);
    while (!name.empty() && trimmed(static_cast<unsigned char>(name.back())))
        name.remove_suffix(1);
    thread_local ToCodePage936 converter;
    const std::string bytes = converter.convert(name);
    std::string code;
    for (size_t i = 0; i < bytes.size();) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        if (first < 0x81 || first == 0xFF || i + 1 == bytes.size()) {
            ++i; // a single-byte character
            continue;
        }
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if (const auto letter = PinyinInitial(static_cast<uint16_t>(first << 8 | second)))
            code += *letter;
        i += 2;
    }
    return code;
}

} // namespace pages
