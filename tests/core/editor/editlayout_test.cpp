// The main window's geometry at the least size, larger windows and larger
// fonts (higher DPI): every control inside the client area, none over
// another, and the lists taking what a larger window gives.
#include <gtest/gtest.h>

#include "editlayout.h"

namespace {

bool overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

int width(const Box& box) { return box.right - box.left; }
int height(const Box& box) { return box.bottom - box.top; }

const FontMetrics fonts[] = {{6, 13}, {7, 16}, {9, 20}, {11, 24}};

}  // namespace

TEST(EditorLayout, EveryControlLiesInsideTheWindowAndNoneCoversAnother) {
    for (const FontMetrics& font : fonts) {
        const Box least = minimumClientArea(font);
        const int sizes[][2] = {{least.right, least.bottom}, {least.right + 400, least.bottom + 300}, {2560, 1600}};
        for (const auto& size : sizes) {
            const EditorLayout layout = layOutEditor(size[0], size[1], font);
            for (int a = FirstControl; a < ControlEnd; ++a) {
                const Box& box = layout[ControlId(a)];
                EXPECT_GT(width(box), 0) << a;
                EXPECT_GT(height(box), 0) << a;
                EXPECT_GE(box.left, 0) << a;
                EXPECT_GE(box.top, 0) << a;
                EXPECT_LE(box.right, size[0]) << a;
                EXPECT_LE(box.bottom, size[1]) << a;
                for (int b = a + 1; b < ControlEnd; ++b)
                    EXPECT_FALSE(overlap(box, layout[ControlId(b)])) << a << " and " << b << " at " << size[0];
            }
        }
    }
}

TEST(EditorLayout, TheListsTakeWhatALargerWindowGivesAndTheFieldsFollowItsWidth) {
    for (const FontMetrics& font : fonts) {
        const Box least = minimumClientArea(font);
        const EditorLayout small = layOutEditor(least.right, least.bottom, font);
        const EditorLayout large = layOutEditor(least.right + 500, least.bottom + 400, font);
        for (ControlId list : {QuestionList, TypoList, ProblemList}) {
            EXPECT_GT(width(large[list]), width(small[list])) << list;
            EXPECT_GE(height(large[list]), height(small[list])) << list;
        }
        EXPECT_GT(height(large[QuestionList]), height(small[QuestionList]));
        EXPECT_GT(height(large[TypoList]), height(small[TypoList]));
        EXPECT_GT(width(large[AnswerEdit]), width(small[AnswerEdit]));
        EXPECT_GT(width(large[TitleEdit]), width(small[TitleEdit]));
        // A larger font asks for a larger window.
        if (&font != &fonts[0]) {
            EXPECT_GT(least.right, minimumClientArea(fonts[0]).right);
            EXPECT_GT(least.bottom, minimumClientArea(fonts[0]).bottom);
        }
    }
}

TEST(EditorLayout, TheLeastWidthFitsAScreen800PixelsWideAndAShorterWindowScrollsToShowAControl) {
    for (const FontMetrics& font : {fonts[0], fonts[1]})   // the message fonts of 96 DPI
        EXPECT_LE(minimumClientArea(font).right + 2 * 8, 800) << font.lineHeight;
    const FontMetrics font = fonts[1];
    const int least = minimumClientArea(font).bottom;
    EXPECT_FALSE(scrollFor(least, 50, font).needed);
    EXPECT_EQ(scrollFor(least, 50, font).top, 0);
    const VerticalScroll scroll = scrollFor(least / 2, least, font);   // asked past the end
    EXPECT_TRUE(scroll.needed);
    EXPECT_EQ(scroll.top, least - least / 2);
    const EditorLayout layout = layOutEditor(900, least / 2, font);
    EXPECT_EQ(topShowing(scroll, layout[StatusText]), scroll.top);           // in sight already
    EXPECT_EQ(topShowing(scroll, layout[TitleEdit]), layout[TitleEdit].top); // scrolled up to its top
    const VerticalScroll atTop = scrollFor(least / 2, 0, font);
    EXPECT_EQ(topShowing(atTop, layout[ProblemList]), layout[ProblemList].bottom - least / 2);
    const EditorLayout scrolled = layOutScrolled(900, least / 2, 40, font);
    EXPECT_EQ(scrolled[TitleEdit].top, layout[TitleEdit].top - 40);
    EXPECT_EQ(leastWindowHeight(font), least / 2);
}
