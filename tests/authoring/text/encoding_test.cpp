// The text encodings: the one UTF-8 decoder every reader of UTF-8 goes
// through, Windows-1252 both ways, UTF-16 and the plain letters of accented
// ones. Bytes are written as escapes, whatever the compiler's execution
// character set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoding.h"

TEST(Utf8, EachSequenceGivesItsCodePointAndLengthAndAnyFlawIsOneInvalidByte) {
    const struct { std::string text; unsigned long codePoint; size_t length; bool valid; } cases[] = {
        {"A", 0x41, 1, true},
        {"\xC3\xA9", 0xE9, 2, true},              // é
        {"\xE2\x82\xAC", 0x20AC, 3, true},        // €
        {"\xF0\x9F\x98\x80", 0x1F600, 4, true},   // an emoji
        {"\xC3", 0xFFFD, 1, false},               // cut short
        {"\xE2\x82", 0xFFFD, 1, false},           // cut short
        {"\xC3(", 0xFFFD, 1, false},              // no continuation byte
        {"\xA9", 0xFFFD, 1, false},               // a continuation byte alone
        {"\xC0\xAF", 0xFFFD, 1, false},           // '/' overlong
        {"\xE0\x80\xAF", 0xFFFD, 1, false},       // '/' overlong
        {"\xED\xA0\x80", 0xFFFD, 1, false},       // a surrogate half
        {"\xF4\x90\x80\x80", 0xFFFD, 1, false},   // past U+10FFFF
        {"\xF8\x88\x80\x80\x80", 0xFFFD, 1, false},  // no sequence starts so
    };
    for (const auto& c : cases) {
        const Utf8Sequence sequence = decodeUtf8(c.text, 0);
        EXPECT_EQ(sequence.codePoint, c.codePoint) << c.text;
        EXPECT_EQ(sequence.length, c.length) << c.text;
        EXPECT_EQ(sequence.valid, c.valid) << c.text;
        EXPECT_EQ(isUtf8(c.text), c.valid) << c.text;
    }
    // Each character of a text with its own bytes, a flawed byte on its own.
    const std::vector<CodePoint> points = codePoints("a\xC3\xA9\xFF" "b");
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[1].bytes, "\xC3\xA9");
    EXPECT_EQ(points[2].value, 0xFFFDul);
    EXPECT_EQ(points[2].bytes, "\xFF");
    std::string appended;
    for (unsigned long codePoint : {0x41ul, 0xE9ul, 0x20ACul, 0x1F600ul}) appendUtf8(&appended, codePoint);
    EXPECT_EQ(appended, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
}

TEST(Cp1252, EveryByteGoesToUtf8AndBackAndWhatItLacksIsRefused) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
    std::string back;
    ASSERT_TRUE(utf8ToCp1252(cp1252ToUtf8(all), &back));
    EXPECT_EQ(back, all);
    EXPECT_EQ(cp1252ToUtf8("\x80\x92\xE9"), "\xE2\x82\xAC\xE2\x80\x99\xC3\xA9");  // "€’é"
    for (const char* refused : {"a \xE2\x86\x92 b", "\xF0\x9F\x98\x80", "\xC3", "\xC0\xAF", "\xED\xA0\x80"}) {
        std::string out = "kept";
        EXPECT_FALSE(utf8ToCp1252(refused, &out)) << refused;  // an arrow, an emoji, flawed UTF-8
        EXPECT_EQ(out, "kept");
    }
}

TEST(Utf16, PairsJoinAndALoneHalfBecomesTheReplacementCharacter) {
    // "é", U+1F600 as a pair, a lone high half, "A", in each byte order.
    const unsigned char little[] = {0xE9, 0x00, 0x3D, 0xD8, 0x00, 0xDE, 0x3D, 0xD8, 0x41, 0x00};
    const unsigned char big[] = {0x00, 0xE9, 0xD8, 0x3D, 0xDE, 0x00, 0xD8, 0x3D, 0x00, 0x41};
    const std::string expected = "\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD" "A";
    EXPECT_EQ(utf16ToUtf8(little, sizeof little, false), expected);
    EXPECT_EQ(utf16ToUtf8(big, sizeof big, true), expected);
    EXPECT_EQ(utf16ToUtf8(little, 3, false), "\xC3\xA9");  // an odd last byte is no unit
}

TEST(PlainLetters, AccentedLettersLoseTheirAccentAndOtherBytesHaveNone) {
    const struct { unsigned char byte; char plain; } cases[] = {
        {0xC9, 'E'}, {0xE0, 'a'}, {0xE7, 'c'}, {0xF1, 'n'}, {0xFF, 'y'}, {0xDD, 'Y'},  // É à ç ñ ÿ Ý
        {0x8A, 'S'}, {0x9A, 's'}, {0x8E, 'Z'}, {0x9E, 'z'}, {0x9F, 'Y'},                // Š š Ž ž Ÿ
        {0xC6, 0}, {0xDF, 0}, {0xD7, 0}, {0xF7, 0}, {'e', 0}, {0x9C, 0},                // Æ ß × ÷ e œ
    };
    for (const auto& c : cases) EXPECT_EQ(plainLetterCp1252(c.byte), c.plain) << int(c.byte);
}
