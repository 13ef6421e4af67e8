// The quick code of an item's name: the pinyin initials of its characters
// in code page 936, by the ranges of the first-level GB 2312 characters.

#include "pages/quick_code.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* name;
    const char* code;
};

TEST(QuickCode, TheInitialsOfTheNamesAHouseholdTypes)
{
    const NameCase cases[] = {
        {"早餐", "zc"},
        {"交通费", "jtf"},
        {"学费", "xf"}, // 学 lies in the x range
        {"A区", "q"}, // a single-byte character gives no letter
        {"  早餐 \t\r\n", "zc"},
        {"\x01\x1f 交通费\x7f", "jtf"}, // DEL is no control character to trim, and gives no letter
        {"早 餐", "zc"},
        {"KTV唱歌2次", "cgc"},
        {"", ""},
        {"   ", ""},
        {"KFC", ""},
        {"2024", ""},
        {"亍", ""}, // second-level GB 2312 (0xD8A1)
        {"、（①㈠", ""}, // symbols
        {"😀한𠀀", ""}, // not in the code page
        {"早😀餐", "zc"}, // a character the code page lacks is left out, the rest still counts
        {"盄", "b"}, // 0xB140: not first-level, but its code lies in the b range
        {"啊座", "az"}, // the first and the last code of the ranges
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(pages::quickCode(c.name), c.code) << "name \"" << c.name << "\"";
}

TEST(QuickCode, ABrokenTextGivesTheLettersOfWhatCanBeRead)
{
    EXPECT_EQ(pages::quickCode("\xff早\xe9\x80餐"), "zc");
    EXPECT_EQ(pages::quickCode("早\xe9"), "z") << "a sequence cut at the end";
}

// Every range from its first to its last code, and the codes beside them.
TEST(QuickCode, EachLetterCoversItsRangeOfCodes)
{
    struct Range {
        char letter;
        uint16_t from, to;
    };
    const Range ranges[] = {
        {'a', 0xB0A1, 0xB0C4}, {'b', 0xB0C5, 0xB2C0}, {'c', 0xB2C1, 0xB4ED}, {'d', 0xB4EE, 0xB6E9}, {'e', 0xB6EA, 0xB7A1},
        {'f', 0xB7A2, 0xB8C0}, {'g', 0xB8C1, 0xB9FD}, {'h', 0xB9FE, 0xBBF6}, {'j', 0xBBF7, 0xBFA5}, {'k', 0xBFA6, 0xC0AB},
        {'l', 0xC0AC, 0xC2E7}, {'m', 0xC2E8, 0xC4C2}, {'n', 0xC4C3, 0xC5B5}, {'o', 0xC5B6, 0xC5BD}, {'p', 0xC5BE, 0xC6D9},
        {'q', 0xC6DA, 0xC8BA}, {'r', 0xC8BB, 0xC8F5}, {'s', 0xC8F6, 0xCBF9}, {'t', 0xCBFA, 0xCDD9}, {'w', 0xCDDA, 0xCEF3},
        {'x', 0xCEF4, 0xD1B8}, {'y', 0xD1B9, 0xD4D0}, {'z', 0xD4D1, 0xD7F9},
    };
    for (const Range& r : ranges) {
        EXPECT_EQ(pages::PinyinInitial(r.from), r.letter) << std::hex << r.from;
        EXPECT_EQ(pages::PinyinInitial(static_cast<uint16_t>((r.from + r.to) / 2)), r.letter) << std::hex << r.from;
        EXPECT_EQ(pages::PinyinInitial(r.to), r.letter) << std::hex << r.to;
    }
    for (uint16_t none : {0x0000, 0x0041, 0xA1A1, 0xB0A0, 0xD7FA, 0xD8A1, 0xF7FE, 0xFFFF})
        EXPECT_EQ(pages::PinyinInitial(none), std::nullopt) << std::hex << none;
}

} // namespace
