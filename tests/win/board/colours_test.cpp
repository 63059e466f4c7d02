#include "board_support.h"


namespace {

class ColourTest : public BoardTest {
protected:
    // The brush the board paints a label with.
    HBRUSH colourOf(HWND label, UINT message = WM_CTLCOLORSTATIC) {
        HDC dc = GetDC(windows.board);
        LRESULT brush = SendMessageA(windows.board, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
        ReleaseDC(windows.board, dc);
        return reinterpret_cast<HBRUSH>(brush);
    }
    // A label the board leaves alone gets the dialog manager's face brush.
    bool hasDefaultColours(HWND label) { return colourOf(label) == GetSysColorBrush(COLOR_3DFACE); }
    // Answer field k typed and judged: the colour its verdict label gets.
    COLORREF verdictColour(int k, const char* typed) {
        SetWindowTextA(item(4000 + k), typed);
        SendMessageA(item(4000 + k), WM_KEYUP, VK_RETURN, 0xC0000001);
        return brushColour(colourOf(item(5000 + k)));
    }
};

TEST_F(ColourTest, VerdictLabelsUpToTheLastAnswerFieldAreColouredByTheirVerdict) {
    open(0, 2, 2, 2);  // fields 4001 to 4004
    copyText(quiz.lastQuestion->secondAnswer, "CROCODILE DU NIL");  // field 4's answer
    // The quiz's background is white, so none of these is the board's own.
    const struct { const char *typed, *verdict; COLORREF colour; } verdicts[] = {
        {"crocodile du nil", "BRAVO", RGB(0, 255, 0)},
        {"zzz", "FAUX", RGB(255, 0, 0)},
        {"LIN UD ELIDOCORC", "Anagramme", RGB(255, 100, 0)},
        {"le crocodile du nil vert", "Trop long", RGB(255, 203, 38)},
        {"crocodile du ni", "Quasiment", RGB(255, 203, 38)},
        {"crocodile du n", "Presque", RGB(255, 203, 38)},
        {"crocodile du", "Trop court", RGB(255, 203, 38)},
        {"crocodile", "pas loin", RGB(255, 203, 38)},
        {"crocodile du xxx", "yade lid\xE9" "e", RGB(255, 203, 38)}};
    for (const auto& v : verdicts) {
        EXPECT_EQ(verdictColour(4, v.typed), v.colour) << v.typed;
        EXPECT_EQ(controlText(windows.board, 5004), v.verdict);
    }
    verdictColour(4, "");
    EXPECT_TRUE(hasDefaultColours(item(5004))) << "nothing typed: not judged";
    // A static numbered past the last field is not a verdict label.
    EXPECT_TRUE(hasDefaultColours(CreateWindowExA(0, "Static", "BRAVO", WS_CHILD, 0, 0, 10, 10, windows.board,
                                                  reinterpret_cast<HMENU>(5005), nullptr, nullptr)));
}

TEST_F(ColourTest, QuestionNumberCaptionAndRevealLabelsUseTheirBrushesAndPicturesTheDefault) {
    open(0, 3, 2, 2);
    EXPECT_EQ(brushColour(colourOf(item(3000))), RGB(255, 255, 192));
    EXPECT_EQ(colourOf(item(3000)), colourOf(item(3000)));  // the same brush every time: made once
    const HBRUSH background = static_cast<HBRUSH>(quiz.backBrush);
    EXPECT_EQ(colourOf(item(153)), background);
    EXPECT_EQ(colourOf(windows.board, WM_CTLCOLORDLG), background);
    open(1, 3, 2, 2);
    EXPECT_EQ(colourOf(item(156)), background);
    EXPECT_EQ(colourOf(item(8003)), background);
    EXPECT_TRUE(hasDefaultColours(item(9002)));
}

TEST_F(BoardTest, PlayAndStopClicksReachTheMediaOnlyInTheMediaStyles) {
    ScratchDirectory scratch;
    MessageCapture capture;
    open(1, 3, 1, 2);
    SendMessageA(windows.board, WM_COMMAND, 6003, 0);
    EXPECT_TRUE(capture.messages.empty());
    open(2, 3, 1, 2);
    // No sound resources in the test program: playing cell 3 is refused.
    SendMessageA(windows.board, WM_COMMAND, MAKEWPARAM(6003, BN_DOUBLECLICKED), 0);
    SendMessageA(windows.board, WM_COMMAND, 6091, 0);
    EXPECT_TRUE(capture.messages.empty());
    SendMessageA(windows.board, WM_COMMAND, 6003, 0);
    EXPECT_EQ(capture.messages, (Messages{{"Impossible de localiser le fichier audio.", "Information"}}));
    SendMessageA(windows.board, WM_COMMAND, 7002, 0);
    EXPECT_EQ(capture.messages.size(), 1u);
}

}  // namespace
