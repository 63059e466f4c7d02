// What a pupil types in the page, as the Windows player's fields hand it
// to the play model: Windows-1252 bytes with Windows' best fit, and the
// quiz's texts back to UTF-8 for the page.
#include <gtest/gtest.h>

#include <string>

#include "module/typed.h"

namespace {

std::string typed(const std::string& utf8) {
    Text text;
    const size_t length = typedText(utf8.data(), utf8.size(), text);
    EXPECT_EQ(length, strlen(text));
    return text;
}

std::string shown(const std::string& windows1252, size_t capacity = 4 * TextSize) {
    std::string out(capacity, '\0');
    const size_t length = windows1252ToUtf8(windows1252.c_str(), &out[0], capacity);
    EXPECT_LT(length, capacity);
    return out.substr(0, length);
}

TEST(TypedText, CharactersOfTheCodePageBecomeTheirBytesAndOthersTheirBestFitOrAQuestionMark) {
    const struct { const char* utf8; const char* bytes; } cases[] = {
        {"Paris", "Paris"},
        {u8"Élève à l'école", "\xC9l\xE8ve \xE0 l'\xE9" "cole"},
        {u8"€ Œuf ’ “ ” … –", "\x80 \x8Cuf \x92 \x93 \x94 \x85 \x96"},
        // Letters the code page lacks: their base letter, as Windows fits them.
        {u8"Łódź Şişli Ğ", "L\xF3" "dz Sisli G"},
        // Windows fits no letter with a comma below: Romanian "Ș" gives "?".
        {u8"Ștefan", "?tefan"},
        {u8"ĐĀ", "\xD0" "A"},
        {u8"Ｐａｒｉｓ", "Paris"},
        {u8"x − y", "x - y"},
        // No fit: one "?" a UTF-16 unit, so two for a character beyond U+FFFF.
        {u8"東京", "??"},
        {u8"ok 😀", "ok ??"},
        // The control characters of the five unassigned bytes keep their byte.
        {"\xC2\x81\xC2\x8D", "\x81\x8D"},
        {"\xC2\x80", "?"},
    };
    for (const auto& c : cases) EXPECT_EQ(typed(c.utf8), c.bytes) << c.utf8;
}

TEST(TypedText, BytesThatAreNotUtf8BecomeAQuestionMarkEachAndAZeroEndsTheText) {
    EXPECT_EQ(typed("a\xE9z"), "a?z");                 // Windows-1252 "é" handed over as is
    EXPECT_EQ(typed("\xC0\xAF"), "??");                // an overlong "/"
    EXPECT_EQ(typed("\xED\xA0\x80"), "???");           // an encoded surrogate half
    EXPECT_EQ(typed("ab\xC3"), "ab?");                 // cut short
    EXPECT_EQ(typed("\xF4\x90\x80\x80!"), std::string(4, '?') + "!");  // past U+10FFFF
    EXPECT_EQ(typed(std::string("ab\0cd", 5)), "ab");
}

TEST(TypedText, AFieldHandsOverItsFirst259BytesWithoutSplittingAPairOfQuestionMarks) {
    EXPECT_EQ(typed(std::string(300, 'a')), std::string(259, 'a'));
    std::string accented;
    for (int i = 0; i < 300; ++i) accented += u8"é";
    EXPECT_EQ(typed(accented), std::string(259, '\xE9'));
    // A pair that does not fit whole leaves one "?" in the last byte.
    const std::string beyond = u8"😀";  // named outside the macro, which quotes it in Windows-1252
    EXPECT_EQ(typed(std::string(258, 'a') + beyond), std::string(258, 'a') + "?");
    char small[4];
    EXPECT_EQ(utf8ToWindows1252("abcdef", 6, small, sizeof small), 3u);
    EXPECT_STREQ(small, "abc");
}

TEST(QuizText, EveryByteOfTheCodePageGoesToUtf8AndComesBackTheSame) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const std::string utf8 = shown(one);
        EXPECT_EQ(typed(utf8), one) << "byte " << byte << " shown as " << utf8;
    }
    EXPECT_EQ(shown("yade lid\xE9" "e"), u8"yade lidée");
    EXPECT_EQ(shown("\x80\x9C"), u8"€œ");
}

TEST(QuizText, AShortOutputHoldsWholeCharactersOnly) {
    EXPECT_EQ(shown("a\x80z", 4), "a");      // "€" takes three bytes, and the zero one
    EXPECT_EQ(shown("a\x80z", 5), u8"a€");
    EXPECT_EQ(shown("abc", 1), "");
}

}  // namespace
