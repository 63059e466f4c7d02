// The page converts what a pupil types as Windows converts a field's text
// for the player: every character of the Basic Multilingual Plane gives
// the byte WideCharToMultiByte gives it for code page 1252 (its best fit,
// or "?"), and the bytes come back as MultiByteToWideChar reads them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "module/typed.h"

namespace {

std::string utf8Of(const wchar_t* text, int length) {
    std::string out(static_cast<size_t>(length) * 4 + 1, '\0');
    const int written = WideCharToMultiByte(CP_UTF8, 0, text, length, &out[0], static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(static_cast<size_t>(written));
    return out;
}

TEST(TypedTextUnderWindows, EveryCharacterGivesTheByteWindowsGivesIt) {
    int differ = 0;
    for (unsigned codePoint = 1; codePoint <= 0xFFFF; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF) continue;  // halves of pairs, below
        const wchar_t wide = static_cast<wchar_t>(codePoint);
        char windows[4] = {};
        BOOL defaulted = FALSE;
        WideCharToMultiByte(1252, 0, &wide, 1, windows, sizeof windows, nullptr, &defaulted);
        Text page;
        const std::string utf8 = utf8Of(&wide, 1);
        typedText(utf8.data(), utf8.size(), page);
        if (std::string(page) != std::string(windows, 1) && differ++ < 10)
            ADD_FAILURE() << "U+" << std::hex << codePoint << ": page " << std::string(page) << ", Windows "
                          << std::string(windows, 1);
    }
    EXPECT_EQ(differ, 0);

    const wchar_t pair[] = {0xD83D, 0xDE00};
    char windows[8] = {};
    const int length = WideCharToMultiByte(1252, 0, pair, 2, windows, sizeof windows, nullptr, nullptr);
    Text page;
    const std::string utf8 = utf8Of(pair, 2);
    typedText(utf8.data(), utf8.size(), page);
    EXPECT_EQ(std::string(page), std::string(windows, static_cast<size_t>(length)));
}

TEST(TypedTextUnderWindows, EveryByteComesBackAsWindowsReadsIt) {
    for (int byte = 1; byte < 256; ++byte) {
        const char one[2] = {static_cast<char>(byte), 0};
        wchar_t wide[2] = {};
        MultiByteToWideChar(1252, 0, one, 1, wide, 2);
        char page[8];
        windows1252ToUtf8(one, page, sizeof page);
        EXPECT_EQ(std::string(page), utf8Of(wide, 1)) << "byte " << byte;
    }
}

}  // namespace
