// The player's entry point: loads the quiz from the executable's own
// resources, opens the frame window and its board, and runs the message
// loop until the frame is closed.
#include "app/player.h"
#include "content/loader.h"
#include "content/message.h"
#include "system/libraries.h"

static int runMessageLoop() {
    MSG message;
    // GetMessageA's -1 is handled like a message; only WM_QUIT (0) ends.
    while (GetMessageA(&message, nullptr, 0, 0) != 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // Before any library is loaded: none from the quiz's own folder.
    searchSystemFolderOnly();
    setMessageSink(showMessageBox);
    Player* player = new Player();
    player->instance = instance;
    player->quiz = new Quiz();
    loadContent(player->quiz, instance);
    int exitCode = 0;
    switch (openPlayer(player, showCommand)) {
    case OpenResult::Opened:
        exitCode = runMessageLoop();
        closePlayer(player);
        break;
    case OpenResult::NoWindowClass:
        exitCode = 0;
        break;
    case OpenResult::NoVideoSupport:
        showMessage("Les vid\xE9os de ce quizz ne peuvent pas \xEAtre affich\xE9" "es : le composant atl.dll est "
                    "introuvable.",
                    "Quizz");
        exitCode = 1;
        break;
    case OpenResult::NoWindows:
        showMessage("Impossible d'ouvrir la fen\xEAtre du quizz.", "Quizz");
        exitCode = 1;
        break;
    }
    delete player->quiz;
    delete player;
    return exitCode;
}
