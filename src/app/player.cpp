#include "app/player.h"

#include "app/frame.h"
#include "app/saved.h"
#include "board/board.h"
#include "layout/layout.h"

namespace {

// A picture quiz's question pictures, decoded on other threads while the
// windows are made; null in every other style.
PicturePrefetch* startQuestionPicturePrefetch(const Player* player) {
    if (boardStyle(player->quiz->style) != StylePictures) return nullptr;
    return startPicturePrefetch(GetModuleHandleA(nullptr), MediaResourceType, QuestionMediaBase + 1,
                                player->play.questionCount, PictureBoxSize, PictureBoxSize);
}

// The frame, centred on the desktop, and the board in it.
bool createWindows(Player* player, PicturePrefetch* prefetch) {
    player->frame = createFrameWindow(player);
    if (!player->frame) return false;
    centreWindow(player->frame);
    const BoardParams board = {player->instance, player->quiz, &player->play, prefetch, player->video.attachControl};
    player->board = createBoard(player->frame, &board);
    if (player->board) return true;
    DestroyWindow(player->frame);
    player->frame = nullptr;
    return false;
}

// The class is registered once a process; a second player finds it there.
bool registerClassOnce(HINSTANCE instance) {
    return registerFrameClass(instance) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

OpenResult openPlayer(Player* player, int showCommand) {
    startPlay(&player->play, player->quiz);
    readSavedAnswers(&player->play);
    PicturePrefetch* prefetch = startQuestionPicturePrefetch(player);
    OpenResult result = OpenResult::Opened;
    if (!registerClassOnce(player->instance)) result = OpenResult::NoWindowClass;
    else if (player->quiz->style == StyleVideos && !startVideoSupport(&player->video))
        result = OpenResult::NoVideoSupport;
    else if (!createWindows(player, prefetch))
        result = OpenResult::NoWindows;
    finishPicturePrefetch(prefetch);
    if (result == OpenResult::Opened) {
        ShowWindow(player->frame, showCommand);
        ShowWindow(player->board, showCommand);
    } else if (player->video.atl) {
        stopVideoSupport(&player->video);
    }
    return result;
}

void closePlayer(Player* player) {
    // The windows go before the game they show, and the board's players
    // with them, letting their files go: only then can the clips be deleted
    // (the board deletes those it wrote; these are any an earlier run left).
    if (player->frame) DestroyWindow(player->frame);
    player->frame = player->board = nullptr;
    if (player->quiz->style == StyleVideos) deleteVideoFiles();
    if (player->video.atl) stopVideoSupport(&player->video);
}

void showMessageBox(const char* text, const char* caption) { MessageBoxA(nullptr, text, caption, MB_OK); }
