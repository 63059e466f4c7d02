#pragma once
// One running quiz: the record loaded from the executable, the game being
// played, and the two windows that show it. Start-up owns it (a window test
// owns its own); the windows reach it from their handles.
#include <windows.h>

#include "content/quiz.h"
#include "media/picture.h"
#include "media/playback.h"
#include "play/play.h"

struct Player {
    HINSTANCE instance;
    Quiz* quiz;
    PlayState play;
    VideoSupport video;  // style 3 only
    HWND frame;
    HWND board;
};

enum class OpenResult { Opened, NoWindowClass, NoVideoSupport, NoWindows };

// Start-up once the quiz is loaded: the game with the answers saved last
// time, the window class, video support in the video style, and both
// windows made (the pictures decoded meanwhile) and shown. On failure
// nothing is left open.
OpenResult openPlayer(Player* player, int showCommand);
// Shutdown once the message loop has ended: the windows destroyed, the
// video files deleted, video support released.
void closePlayer(Player* player);

// The message sink of the player: a message box with no owner and OK.
void showMessageBox(const char* text, const char* caption);
