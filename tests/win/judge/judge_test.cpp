// The judge and the answer fields' keys on the player's real board: answers
// are typed into the fields, keys are sent as the messages a keyboard
// produces, and verdicts, reveals, score and code are read back.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "app/app.h"
#include "win/support/harness.h"

namespace {

const char NoCode[] = "      ";

class JudgeTest : public ::testing::Test {
protected:
    Quiz quiz;
    PlayerWindows windows = {};

    void open(int style, int count, int format, int mode) {
        fillTestQuiz(&quiz, style, count, format, mode);
        windows = openPlayerWindows(&quiz);
    }
    void TearDown() override {
        holdShift(false);
        closePlayerWindows(&windows);
    }

    HWND field(int k) { return GetDlgItem(windows.board, 4000 + k); }
    std::string fieldText(int k) { return controlText(windows.board, 4000 + k); }
    std::string verdict(int k) { return controlText(windows.board, 5000 + k); }
    std::string reveal(int i) { return controlText(windows.board, 8000 + i); }
    std::string score() { return controlText(windows.frame, 150); }
    std::string code() { return controlText(windows.frame, 157); }
    int focusedField() { return GetFocus() ? GetDlgCtrlID(GetFocus()) - 4000 : 0; }
    int scrollPosition() { return GetScrollPos(windows.board, SB_VERT); }

    void type(int k, const char* text) { SetWindowTextA(field(k), text); }
    // A key released in field k, as the keyboard sends it.
    LRESULT release(int k, UINT key) { return SendMessageA(field(k), WM_KEYUP, key, 0xC0000001); }
    // Enter judges without moving the focus.
    void enter(int k, const char* text) {
        type(k, text);
        release(k, VK_RETURN);
    }
    void holdShift(bool down) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        keys[VK_LSHIFT] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    // Control id's place in the board's client area.
    RECT placeOf(int id) {
        RECT place = {};
        GetWindowRect(GetDlgItem(windows.board, id), &place);
        MapWindowPoints(nullptr, windows.board, reinterpret_cast<POINT*>(&place), 2);
        return place;
    }
    int clientHeight() {
        RECT client;
        GetClientRect(windows.board, &client);
        return client.bottom;
    }
    int maxScrollPosition() {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        GetScrollInfo(windows.board, SB_VERT, &info);
        return info.nMax - static_cast<int>(info.nPage) + 1;
    }
};

// --- verdicts, reveals and the score -------------------------------------

TEST_F(JudgeTest, ARightAnswerShowsBravoRevealsItsTextAndRaisesScoreAndCode) {
    open(1, 6, 1, 2);
    EXPECT_EQ(score(), " 0 / 6");
    EXPECT_EQ(code(), NoCode);
    enter(2, "reponse2");
    EXPECT_EQ(verdict(2), "BRAVO");
    EXPECT_EQ(reveal(2), "Revele 2");
    EXPECT_EQ(reveal(1), "");
    EXPECT_EQ(score(), " 1 / 6");
    EXPECT_EQ(code(), "CODE1");
    enter(5, "Reponse5");
    EXPECT_EQ(score(), " 2 / 6");
    EXPECT_EQ(code(), "CODE2");
}

TEST_F(JudgeTest, EachVerdictReachesItsLabel) {
    open(1, 6, 1, 2);
    enter(1, "reponse");
    EXPECT_EQ(verdict(1), "Quasiment");
    enter(2, "ESNOPER2");
    EXPECT_EQ(verdict(2), "Anagramme");
    enter(3, "le reponse3");
    EXPECT_EQ(verdict(3), "Trop long");
    enter(4, "chat");
    EXPECT_EQ(verdict(4), "FAUX");
    EXPECT_EQ(score(), " 0 / 6");
}

TEST_F(JudgeTest, AnEmptyFieldSaysQuestionMarkAndEmptiesTheRevealBox) {
    open(1, 3, 1, 2);
    enter(1, "reponse1");
    ASSERT_EQ(reveal(1), "Revele 1");
    enter(1, "");
    EXPECT_EQ(verdict(1), "?");
    EXPECT_EQ(reveal(1), "");
    EXPECT_EQ(score(), " 0 / 3");
    EXPECT_EQ(code(), NoCode);
    enter(1, "   ");
    EXPECT_EQ(verdict(1), "?");
}

TEST_F(JudgeTest, ARightAnswerWithSpacesAroundItScoresButRevealsNothing) {
    open(1, 3, 1, 2);
    enter(2, "  reponse2 ");
    EXPECT_EQ(verdict(2), "BRAVO");
    EXPECT_EQ(score(), " 1 / 3");
    EXPECT_EQ(code(), "CODE1");
    EXPECT_EQ(reveal(2), "");
}

TEST_F(JudgeTest, AWrongAnswerAfterARightOneTakesTheRevealAndThePointBack) {
    open(1, 3, 1, 2);
    enter(3, "reponse3");
    ASSERT_EQ(score(), " 1 / 3");
    enter(3, "reponse");
    EXPECT_EQ(verdict(3), "Quasiment");
    EXPECT_EQ(reveal(3), "");
    EXPECT_EQ(score(), " 0 / 3");
    EXPECT_EQ(code(), NoCode);
}

TEST_F(JudgeTest, WithTwoFieldsAQuestionCountsOnlyOnceBothAreRight) {
    open(1, 3, 2, 2);
    // Question 2 owns fields 3 (first answer) and 4 (second answer).
    enter(3, "reponse2");
    EXPECT_EQ(verdict(3), "BRAVO");
    EXPECT_EQ(verdict(4), "?");
    EXPECT_EQ(reveal(2), "");
    EXPECT_EQ(score(), " 0 / 3");
    enter(4, "second2");
    EXPECT_EQ(verdict(4), "BRAVO");
    EXPECT_EQ(reveal(2), "Revele 2");
    EXPECT_EQ(score(), " 1 / 3");
    EXPECT_EQ(code(), "CODE1");
    // A wrong second answer empties the reveal box again.
    enter(4, "second");
    EXPECT_EQ(reveal(2), "");
    EXPECT_EQ(verdict(3), "BRAVO");
    EXPECT_EQ(score(), " 0 / 3");
}

TEST_F(JudgeTest, WithTwoFieldsEachFieldIsJudgedAgainstItsOwnAnswer) {
    open(1, 3, 2, 2);
    enter(5, "second3");  // the first field of question 3
    EXPECT_EQ(verdict(5), "FAUX");
    enter(6, "reponse3");
    EXPECT_EQ(verdict(6), "FAUX");
    enter(5, "reponse3");
    enter(6, "second3");
    EXPECT_EQ(reveal(3), "Revele 3");
    EXPECT_EQ(score(), " 1 / 3");
}

TEST_F(JudgeTest, WithTwoFieldsSpacesInEitherFieldKeepTheQuestionHidden) {
    open(1, 3, 2, 2);
    enter(1, "reponse1");
    enter(2, " second1");
    EXPECT_EQ(verdict(2), "BRAVO");
    EXPECT_EQ(score(), " 1 / 3");
    EXPECT_EQ(reveal(1), "");
    enter(2, "second1");
    EXPECT_EQ(reveal(1), "Revele 1");
}

TEST_F(JudgeTest, ModeFourRevealsEveryTextOnlyWhenTheWholeQuizIsSolved) {
    open(1, 3, 1, 4);
    enter(1, "reponse1");
    enter(3, "reponse3");
    EXPECT_EQ(score(), " 2 / 3");
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(reveal(i), "") << i;
    enter(2, "reponse2");
    EXPECT_EQ(score(), " 3 / 3");
    EXPECT_EQ(code(), "CODE3");
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(reveal(i), "Revele " + std::to_string(i)) << i;
    // One answer turned wrong: only its own text goes, and the score falls.
    enter(2, "reponse");
    EXPECT_EQ(reveal(1), "Revele 1");
    EXPECT_EQ(reveal(2), "");
    EXPECT_EQ(reveal(3), "Revele 3");
    EXPECT_EQ(score(), " 2 / 3");
    EXPECT_EQ(code(), "CODE2");
}

TEST_F(JudgeTest, ModeFourAlsoWorksWithTwoFieldsPerQuestion) {
    open(1, 2, 2, 4);
    enter(1, "reponse1");
    enter(2, "second1");
    enter(3, "reponse2");
    EXPECT_EQ(reveal(1), "");
    enter(4, "second2");
    EXPECT_EQ(reveal(1), "Revele 1");
    EXPECT_EQ(reveal(2), "Revele 2");
}

TEST_F(JudgeTest, OtherModesRevealNoText) {
    open(1, 3, 1, 1);
    enter(1, "reponse1");
    EXPECT_EQ(verdict(1), "BRAVO");
    EXPECT_EQ(GetDlgItem(windows.board, 8001), nullptr);  // mode 1 has no reveal box
    closePlayerWindows(&windows);
    open(0, 3, 1, 7);
    enter(1, "reponse1");
    EXPECT_EQ(score(), " 1 / 3");
}

TEST_F(JudgeTest, StylesWithoutRevealBoxesStillShowVerdictsAndScore) {
    open(2, 4, 2, 3);
    enter(7, "reponse4");
    enter(8, "second4");
    EXPECT_EQ(verdict(8), "BRAVO");
    EXPECT_EQ(score(), " 1 / 4");
    EXPECT_EQ(code(), "CODE1");
}

// --- answer pictures -----------------------------------------------------

TEST_F(JudgeTest, ModeOneShowsTheAnswerPictureCentredInThePictureSquare) {
    open(1, 3, 1, 1);
    RECT before = placeOf(9001);
    EXPECT_EQ(before.right - before.left, 260);
    HBITMAP shownBefore = reinterpret_cast<HBITMAP>(SendMessageA(GetDlgItem(windows.board, 9001), STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_EQ(shownBefore, nullptr);  // the test program has no question pictures
    enter(1, "reponse1");
    // 200 x 100 fitted to 260 x 130, centred in the square at (30, 20).
    RECT after = placeOf(9001);
    EXPECT_EQ(after.left, 30);
    EXPECT_EQ(after.top, 85);
    EXPECT_EQ(after.right - after.left, 260);
    EXPECT_EQ(after.bottom - after.top, 130);
    HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(GetDlgItem(windows.board, 9001), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(shown, nullptr);
    BITMAP size = {};
    GetObjectA(shown, sizeof size, &size);
    EXPECT_EQ(size.bmWidth, 260);
    EXPECT_EQ(size.bmHeight, 130);
}

TEST_F(JudgeTest, TheAnswerPictureFollowsTheBoardsScrollPosition) {
    open(1, 9, 1, 1);
    SendMessageA(windows.board, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageA(windows.board, WM_VSCROLL, SB_LINEDOWN, 0);
    for (int step = 0; step < 5; ++step) SendMessageA(windows.board, WM_HSCROLL, SB_LINERIGHT, 0);
    int down = GetScrollPos(windows.board, SB_VERT);
    int across = GetScrollPos(windows.board, SB_HORZ);
    ASSERT_EQ(down, 60);
    enter(1, "reponse1");
    RECT after = placeOf(9001);
    EXPECT_EQ(after.left, 30 - across);
    EXPECT_EQ(after.top, 85 - down);
    // Scrolling back brings it to its place in the layout.
    SendMessageA(windows.board, WM_VSCROLL, SB_TOP, 0);
    for (int step = 0; step < 5; ++step) SendMessageA(windows.board, WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_EQ(placeOf(9001).top, 85);
    EXPECT_EQ(placeOf(9001).left, 30);
}

TEST_F(JudgeTest, JudgingASolvedQuestionAgainReplacesThePictureAndAWrongAnswerKeepsIt) {
    open(1, 3, 1, 1);
    enter(1, "reponse1");
    HWND box = GetDlgItem(windows.board, 9001);
    HBITMAP first = reinterpret_cast<HBITMAP>(SendMessageA(box, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(first, nullptr);
    enter(1, "reponse1");
    HBITMAP second = reinterpret_cast<HBITMAP>(SendMessageA(box, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    BITMAP gone = {};
    EXPECT_EQ(GetObjectA(first, sizeof gone, &gone), 0);  // the replaced bitmap was deleted
    enter(1, "faux");
    EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageA(box, STM_GETIMAGE, IMAGE_BITMAP, 0)), second);
    EXPECT_EQ(placeOf(9001).bottom - placeOf(9001).top, 130);
}

TEST_F(JudgeTest, ModeThreeShowsTextAndPictureAndAQuestionWithoutPictureKeepsItsBox) {
    open(1, 3, 1, 3);
    enter(1, "reponse1");
    EXPECT_EQ(reveal(1), "Revele 1");
    EXPECT_EQ(placeOf(9001).bottom - placeOf(9001).top, 130);
    // Question 2 has no answer picture: its box keeps its place and size.
    RECT before = placeOf(9002);
    enter(2, "reponse2");
    RECT after = placeOf(9002);
    EXPECT_EQ(verdict(2), "BRAVO");
    EXPECT_EQ(reveal(2), "Revele 2");
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.bottom - after.top, 260);
    EXPECT_EQ(score(), " 2 / 3");
}

// --- keys ----------------------------------------------------------------

TEST_F(JudgeTest, EnterJudgesInPlaceAndAltEnterToo) {
    open(1, 3, 1, 2);
    SetFocus(field(2));
    type(2, "reponse2");
    EXPECT_EQ(release(2, VK_RETURN), 1);
    EXPECT_EQ(verdict(2), "BRAVO");
    EXPECT_EQ(focusedField(), 2);
    EXPECT_EQ(fieldText(2), "reponse2");
    type(2, "reponse");
    EXPECT_EQ(SendMessageA(field(2), WM_SYSKEYDOWN, VK_RETURN, 0x20000001), 1);
    EXPECT_EQ(verdict(2), "Quasiment");
    EXPECT_EQ(focusedField(), 2);
}

TEST_F(JudgeTest, LeavingAFieldJudgesIt) {
    open(1, 3, 1, 2);
    SetFocus(field(1));
    type(1, "reponse1");
    EXPECT_EQ(verdict(1), "?");  // typing alone judges nothing
    SetFocus(field(3));
    EXPECT_EQ(verdict(1), "BRAVO");
    EXPECT_EQ(score(), " 1 / 3");
}

TEST_F(JudgeTest, EnterAndTabCharactersNeverReachTheField) {
    open(1, 3, 1, 2);
    type(1, "ab");
    SendMessageA(field(1), EM_SETSEL, 2, 2);
    EXPECT_EQ(SendMessageA(field(1), WM_CHAR, '\t', 1), 0);
    EXPECT_EQ(SendMessageA(field(1), WM_CHAR, '\r', 1), 0);
    SendMessageA(field(1), WM_CHAR, 'c', 1);
    EXPECT_EQ(fieldText(1), "abc");
}

TEST_F(JudgeTest, TabJudgesAndMovesToTheNextFieldWrappingToTheFirstAtTheTop) {
    open(1, 9, 1, 2);
    SetFocus(field(1));
    type(1, "reponse1");
    release(1, VK_TAB);
    EXPECT_EQ(verdict(1), "BRAVO");
    EXPECT_EQ(focusedField(), 2);
    SendMessageA(windows.board, WM_VSCROLL, SB_BOTTOM, 0);
    ASSERT_GT(scrollPosition(), 0);
    SetFocus(field(9));
    release(9, VK_TAB);
    EXPECT_EQ(focusedField(), 1);
    EXPECT_EQ(scrollPosition(), 0);
}

TEST_F(JudgeTest, ShiftTabMovesBackAndWrapsFromTheFirstFieldToTheLast) {
    open(1, 6, 1, 2);
    SetFocus(field(1));
    type(1, "reponse1");
    holdShift(true);
    release(1, VK_TAB);
    EXPECT_EQ(verdict(1), "BRAVO");
    EXPECT_EQ(focusedField(), 6);
    release(6, VK_TAB);
    EXPECT_EQ(focusedField(), 5);
}

TEST_F(JudgeTest, TabWithTwoFieldsGoesFromFieldSixToSeven) {
    open(1, 6, 2, 2);
    SetFocus(field(6));
    release(6, VK_TAB);
    EXPECT_EQ(focusedField(), 7);
    release(7, VK_TAB);
    EXPECT_EQ(focusedField(), 8);
    SetFocus(field(12));
    release(12, VK_TAB);
    EXPECT_EQ(focusedField(), 1);
}

TEST_F(JudgeTest, TabIntoALaterGridRowScrollsJustEnoughToShowItsCell) {
    open(1, 9, 1, 2);
    ASSERT_EQ(scrollPosition(), 0);
    ASSERT_GT(placeOf(8004).bottom, clientHeight());  // row 2 starts out of view
    SetFocus(field(3));
    release(3, VK_TAB);
    EXPECT_EQ(focusedField(), 4);
    int position = scrollPosition();
    EXPECT_GT(position, 0);
    EXPECT_LT(position, maxScrollPosition());  // not to the end of the content
    // The whole cell, picture square to reveal box, is in view now...
    EXPECT_GE(placeOf(9004).top, 0);
    EXPECT_LE(placeOf(8004).bottom, clientHeight());
    // ...and one line step less would have left its reveal box cut.
    EXPECT_GT(placeOf(8004).bottom + 30, clientHeight());
}

TEST_F(JudgeTest, TabIntoALaterGridRowAboveTheViewScrollsUpToItsTop) {
    open(1, 9, 1, 2);
    SendMessageA(windows.board, WM_VSCROLL, SB_BOTTOM, 0);
    ASSERT_LT(placeOf(9004).top, 0);
    SetFocus(field(3));
    release(3, VK_TAB);
    EXPECT_EQ(focusedField(), 4);
    EXPECT_GE(placeOf(9004).top, 0);
    EXPECT_LT(placeOf(9004).top, 30);
}

TEST_F(JudgeTest, OtherTabStepsAndAVisibleRowLeaveTheScrollPositionAlone) {
    open(1, 9, 1, 2);
    SetFocus(field(3));
    release(3, VK_TAB);  // brings row 2 into view
    int position = scrollPosition();
    ASSERT_GT(position, 0);
    release(4, VK_TAB);  // within the row
    EXPECT_EQ(focusedField(), 5);
    EXPECT_EQ(scrollPosition(), position);
    holdShift(true);
    release(5, VK_TAB);  // back to the first field of row 2, already in view
    EXPECT_EQ(focusedField(), 4);
    EXPECT_EQ(scrollPosition(), position);
    release(4, VK_TAB);  // back into row 1: no scrolling either
    EXPECT_EQ(focusedField(), 3);
    EXPECT_EQ(scrollPosition(), position);
}

TEST_F(JudgeTest, ShiftTabIntoAHiddenLaterRowScrollsItIntoView) {
    open(1, 9, 1, 2);
    SetFocus(field(8));
    holdShift(true);
    release(8, VK_TAB);
    EXPECT_EQ(focusedField(), 7);
    EXPECT_GE(placeOf(9007).top, 0);
    EXPECT_LE(placeOf(8007).bottom, clientHeight());
}

TEST_F(JudgeTest, PageAndArrowKeysPageTheBoardOnRelease) {
    open(1, 30, 1, 2);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE;
    GetScrollInfo(windows.board, SB_VERT, &info);
    const int page = static_cast<int>(info.nPage);
    ASSERT_GT(page, 0);
    SetFocus(field(1));
    SendMessageA(field(1), WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_EQ(scrollPosition(), 0);  // nothing on the press
    release(1, VK_NEXT);
    EXPECT_EQ(scrollPosition(), page);
    release(1, VK_DOWN);
    EXPECT_EQ(scrollPosition(), 2 * page);
    release(1, VK_PRIOR);
    EXPECT_EQ(scrollPosition(), page);
    release(1, VK_UP);
    EXPECT_EQ(scrollPosition(), 0);
    SendMessageA(field(1), WM_SYSKEYDOWN, VK_NEXT, 0x20000001);
    EXPECT_EQ(scrollPosition(), page);
}

TEST_F(JudgeTest, AFieldReachedSelectsItsFirstTwentyFiveCharacters) {
    open(1, 3, 1, 2);
    type(2, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
    type(3, "abc");
    SetFocus(field(1));
    release(1, VK_TAB);
    ASSERT_EQ(focusedField(), 2);
    DWORD start = 0, end = 0;
    SendMessageA(field(2), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 25u);
    // Typing replaces the selection and keeps the rest.
    SendMessageA(field(2), WM_CHAR, 'x', 1);
    EXPECT_EQ(fieldText(2), "xZ0123");
    release(2, VK_TAB);
    SendMessageA(field(3), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
}

TEST_F(JudgeTest, F1TriesTheTextInEveryFieldThatIsNotYetRight) {
    open(1, 4, 1, 2);
    enter(2, "reponse2");
    SetFocus(field(1));
    type(1, "reponse3");
    release(1, VK_F1);
    EXPECT_EQ(fieldText(2), "reponse2");
    EXPECT_EQ(verdict(2), "BRAVO");
    EXPECT_EQ(fieldText(3), "reponse3");
    EXPECT_EQ(verdict(3), "BRAVO");
    EXPECT_EQ(reveal(3), "Revele 3");
    EXPECT_EQ(fieldText(4), "reponse3");
    EXPECT_EQ(verdict(4), "Quasiment");
    EXPECT_EQ(verdict(1), "Quasiment");
    EXPECT_EQ(focusedField(), 1);
    EXPECT_EQ(score(), " 2 / 4");
}

TEST_F(JudgeTest, F1InAnEmptyFieldEmptiesEveryFieldThatIsNotRight) {
    open(1, 4, 1, 2);
    enter(2, "reponse2");
    enter(3, "faux");
    enter(4, "reponse");
    SetFocus(field(1));
    type(1, "");
    release(1, VK_F1);
    EXPECT_EQ(fieldText(2), "reponse2");
    EXPECT_EQ(verdict(2), "BRAVO");
    for (int k : {1, 3, 4}) {
        EXPECT_EQ(fieldText(k), "") << k;
        EXPECT_EQ(verdict(k), "?") << k;
    }
    EXPECT_EQ(focusedField(), 1);
    EXPECT_EQ(score(), " 1 / 4");
}

// --- answers restored at start -------------------------------------------

// The results file of this test program, in the working directory.
std::string resultsFile() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    return name.substr(0, name.size() - 3) + "txt";
}

void writeResults(const std::string& lines) {
    FILE* file = fopen(resultsFile().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fwrite(lines.data(), 1, lines.size(), file);
    fclose(file);
}

TEST_F(JudgeTest, RestoredAnswersAreJudgedAsTheBoardIsBuilt) {
    ScratchDirectory scratch;
    writeResults("reponse1\r\n*\r\n  REPONSE3 \r\nfaux\r\n");
    open(1, 4, 1, 2);
    EXPECT_EQ(fieldText(1), "reponse1");
    EXPECT_EQ(verdict(1), "BRAVO");
    EXPECT_EQ(verdict(2), "?");
    EXPECT_EQ(verdict(3), "BRAVO");
    EXPECT_EQ(verdict(4), "FAUX");
    EXPECT_EQ(reveal(1), "Revele 1");
    EXPECT_EQ(reveal(3), "");  // spaces around the answer
    EXPECT_EQ(score(), " 2 / 4");
    EXPECT_EQ(code(), "CODE2");
}

TEST_F(JudgeTest, AFullyRestoredQuizShowsTheFullScoreTheLastCodeAndEveryText) {
    ScratchDirectory scratch;
    std::string lines;
    for (int i = 1; i <= 30; ++i) lines += "reponse" + std::to_string(i) + "\r\n";
    writeResults(lines);
    open(1, 30, 1, 4);
    EXPECT_EQ(score(), " 30 / 30");
    EXPECT_EQ(code(), "CODE30");
    EXPECT_EQ(reveal(1), "Revele 1");
    EXPECT_EQ(reveal(30), "Revele 30");
}

TEST_F(JudgeTest, RestoredPairsOfAnswersCountPerQuestion) {
    ScratchDirectory scratch;
    writeResults("reponse1\r\nsecond1\r\nreponse2\r\n*\r\n");
    open(2, 3, 2, 2);
    EXPECT_EQ(verdict(1), "BRAVO");
    EXPECT_EQ(verdict(2), "BRAVO");
    EXPECT_EQ(verdict(3), "BRAVO");
    EXPECT_EQ(verdict(4), "?");
    EXPECT_EQ(score(), " 1 / 3");
    EXPECT_EQ(code(), "CODE1");
}

TEST_F(JudgeTest, AQuizWithNoRestoredAnswersStillReplacesTheCodePlaceholder) {
    ScratchDirectory scratch;
    open(0, 2, 1, 2);
    EXPECT_EQ(score(), " 0 / 2");
    EXPECT_EQ(code(), NoCode);
}

}  // namespace
