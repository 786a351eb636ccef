// Tests of the line cleaner, the token splitter, the line splitter, text decoding and the
// element symbol table.
#include "structfile/elements.h"
#include "structfile/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace xelmor {
namespace {

TEST(StructfileText, CleanLineRemovesCommentsAndNormalisesBlanks) {
    struct Case {
        std::string line;
        std::string cleaned;
    };
    const Case cases[] = {
        {"GaAs, zinc blende ! comment", "GaAs  zinc blende"},
        {"  \t5.4309,5.4309\t5.4309  # cell", "5.4309 5.4309 5.4309"},
        {"a#b!c", "a"},
        {"a!b#c", "a"},
        {"! only a comment", ""},
        {"#", ""},
        {" , ,\t, ", ""},
        {"Si,\t0", "Si  0"},
        {"name\r", "name"},
        {"\v\f x \r", "x"},
        {"", ""},
        {std::string("Si\0x", 4), std::string("Si\0x", 4)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CleanLine(c.line), c.cleaned) << "line: " << c.line;
}

TEST(StructfileText, SplitTokensGivesExactlyNTokensWithTheRestInTheLast) {
    struct Case {
        std::string cleaned;
        int n;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"5.4309 5.4309", 3, {"5.4309", "5.4309", ""}},
        {"5.4309 5.4309 5.4309 extra", 3, {"5.4309", "5.4309", "5.4309 extra"}},
        {"Si   0.25    0.5", 5, {"Si", "0.25", "0.5", "", ""}},
        {"Si 0 0 0 1 and   more words", 5, {"Si", "0", "0", "0", "1 and   more words"}},
        {"", 3, {"", "", ""}},
        {"GaAs  zinc blende", 1, {"GaAs  zinc blende"}},
        {"a b", 0, {}},
        {"a b", -2, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitTokens(c.cleaned, c.n), c.tokens) << c.cleaned << " / " << c.n;
}

TEST(StructfileText, SplitLinesAcceptsLfAndCrLf) {
    using Lines = std::vector<std::string_view>;
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\n", {""}},
        {"a\rb\n", {"a\rb"}},
        {"mixed\nends\r\nhere", {"mixed", "ends", "here"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitLines(c.text), c.lines) << "text: " << c.text;
}

TEST(StructfileText, DecodeTextKeepsAsciiAndUtf8AndConvertsWindows1252) {
    std::string ascii;
    for (int b = 0; b < 128; ++b)
        ascii += static_cast<char>(b);
    EXPECT_EQ(DecodeText(ascii), ascii);

    struct Case {
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {"Quarz \xC3\xA4 \xE2\x82\xAC \xF0\x9F\x98\x80",
         "Quarz \xC3\xA4 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"Quarz \xE4", "Quarz \xC3\xA4"},
        {"\x80 \x8A \x9F", "\xE2\x82\xAC \xC5\xA0 \xC5\xB8"},
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
        // Overlong forms, surrogates, code points above U+10FFFF and cut sequences are not UTF-8.
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
        {"ab\xE2\x82", "ab\xC3\xA2\xE2\x80\x9A"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeText(c.bytes), c.utf8) << "bytes: " << c.bytes;
    for (const Case& c : cases)
        EXPECT_TRUE(IsValidUtf8(c.utf8));
}

TEST(StructfileElements, TableHasPeriodicOrderAndItsOwnCapitalisation) {
    struct Case {
        int Z;
        const char* symbol;
    };
    const Case known[] = {{1, "H"},   {2, "He"},  {6, "C"},   {14, "Si"}, {26, "Fe"},
                          {31, "Ga"}, {33, "As"}, {43, "Tc"}, {47, "Ag"}, {53, "I"},
                          {61, "Pm"}, {74, "W"},  {79, "Au"}, {82, "Pb"}, {92, "U"}};
    for (const Case& c : known)
        EXPECT_STREQ(ElementSymbol(c.Z), c.symbol) << "Z = " << c.Z;

    for (int Z = 1; Z <= kElementCount; ++Z) {
        const std::string symbol = ElementSymbol(Z);
        ASSERT_TRUE(symbol.size() == 1 || symbol.size() == 2) << "Z = " << Z;
        EXPECT_TRUE(symbol[0] >= 'A' && symbol[0] <= 'Z') << symbol;
        if (symbol.size() == 2) {
            EXPECT_TRUE(symbol[1] >= 'a' && symbol[1] <= 'z') << symbol;
        }
        EXPECT_EQ(FindElement(symbol), Z) << symbol;
    }
    for (int Z : {0, -1, 93, 1000})
        EXPECT_EQ(ElementSymbol(Z), nullptr) << "Z = " << Z;
}

TEST(StructfileElements, FindElementIgnoresCaseAndRejectsOtherText) {
    struct Case {
        std::string symbol;
        int Z;
    };
    const Case cases[] = {
        {"si", 14}, {"SI", 14}, {"sI", 14}, {"u", 92},  {"h", 1}, {"Xx", 0},
        {"", 0},    {"Sii", 0}, {"S", 16},  {"Si ", 0}, {"1", 0}, {std::string("S\0", 2), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindElement(c.symbol), c.Z) << "symbol: " << c.symbol;
}

} // namespace
} // namespace xelmor
