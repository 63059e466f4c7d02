#pragma once
// Shared by the window tests: a quiz filled by the test, the player's real
// frame window and board created in-process over it, and helpers to read
// the windows back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "content/message.h"
#include "app/player.h"
#include "content/quiz.h"
#include "shared/testquiz.h"

// The shared test quiz (tests/shared/testquiz.h) with its background brush.
void fillWindowTestQuiz(Quiz* quiz, int style, int count, int format, int answerMode);

// A fresh empty folder made the working directory for the test's lifetime;
// the previous one is restored and the folder removed afterwards.
struct ScratchDirectory {
    std::string path;
    std::string previous;
    ScratchDirectory();
    ~ScratchDirectory();
};

struct PlayerWindows {
    HWND frame;
    HWND board;
};
// Opens quiz in player as start-up does (the answers saved in the working
// directory restored, the windows made and shown) and handles pending
// messages; both handles null when it could not be opened.
PlayerWindows openPlayerWindows(Player* player, Quiz* quiz);
// Closes the player as shutdown does, without saving.
void closePlayerWindows(Player* player, PlayerWindows* windows);
// A fixture owning the quiz and the player of one test; open() closes the
// player an earlier open() left. It plays in a folder of its own, since every
// judgement that changes an answer writes the results file there.
class PlayerTest : public ::testing::Test {
protected:
    ScratchDirectory playFolder;
    Quiz quiz;
    Player player = {};
    PlayerWindows windows = {nullptr, nullptr};
    void open(int style, int count, int format, int mode) {
        closePlayerWindows(&player, &windows);
        fillWindowTestQuiz(&quiz, style, count, format, mode);
        windows = openPlayerWindows(&player, &quiz);
    }
    HWND item(int id) { return GetDlgItem(windows.board, id); }
    // The bitmap in question i's picture box, null for none.
    HBITMAP shownPicture(int i) {
        return reinterpret_cast<HBITMAP>(SendDlgItemMessageA(windows.board, 9000 + i, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    void TearDown() override { closePlayerWindows(&player, &windows); }
};

// Handles every message waiting in this thread's queue.
void pumpMessages();
// The text of the child with this ID (GetDlgItem), "" when there is none.
std::string controlText(HWND parent, int id);
// A control's rectangle in its parent's client area.
RECT placeInParent(HWND control);
// The colour of a brush, 0xFFFFFFFF for no brush.
COLORREF brushColour(HBRUSH brush);
// Resizes window so that its client area is exactly width x height, and
// handles what that sends.
void resizeClient(HWND window, int width, int height);
// What a control paints in its client area (WM_PRINTCLIENT), pixel by pixel.
std::vector<unsigned> paintedPixels(HWND control);

// The whole contents of a file (read while others may have it open), or
// "<missing>" when it cannot be opened.
std::string fileBytes(const char* name);
void writeFile(const char* name, const std::string& bytes);

// Messages shown, each as (text, caption).
typedef std::vector<std::pair<std::string, std::string>> Messages;

// Records every showMessage call while it exists.
struct MessageCapture {
    Messages messages;
    MessageSink previous;
    MessageCapture();
    ~MessageCapture();
};

