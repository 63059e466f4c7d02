#include <gtest/gtest.h>

#include <ole2.h>
#include <oleauto.h>
#include <wmp.h>

#include "board/board.h"
#include "media/playback.h"
#include "media_support.h"
#include "win/support/harness.h"

namespace {

const Messages::value_type MissingVideo = {"Impossible de localiser le fichier vid\xE9o.", "Information"};

// Whether box hosts player (the control atl.dll holds in it is that object).
bool hosts(HWND box, IUnknown* player) {
    typedef HRESULT(WINAPI * GetControl)(HWND, IUnknown**);
    auto get = (GetControl)(void*)GetProcAddress(GetModuleHandleA("atl.dll"), "AtlAxGetControl");
    IUnknown *hosted = nullptr, *a = nullptr, *b = nullptr;
    if (!get || get(box, &hosted) != S_OK || !hosted || !player) return false;
    hosted->QueryInterface(IID_IUnknown, (void**)&a);
    player->QueryInterface(IID_IUnknown, (void**)&b);
    bool same = a && a == b;
    for (IUnknown* p : {hosted, a, b})
        if (p) p->Release();
    return same;
}

// The player of video cell i on board.
IUnknown* videoPlayerOf(HWND board, int i) { return boardMediaPlayers(board)->videoPlayers[i]; }

// The file name the player of video cell i was given.
std::string urlOf(HWND board, int i) {
    IWMPPlayer* wmp = nullptr;
    IUnknown* player = videoPlayerOf(board, i);
    if (!player || player->QueryInterface(__uuidof(IWMPPlayer), (void**)&wmp) != S_OK) return "<no player>";
    BSTR url = nullptr;
    wmp->get_URL(&url);
    char buffer[MAX_PATH] = "";
    if (url) WideCharToMultiByte(CP_ACP, 0, url, -1, buffer, MAX_PATH, nullptr, nullptr);
    SysFreeString(url);
    wmp->Release();
    return buffer;
}

// The MCI windows that are children of the board.
std::vector<HWND> soundWindowsOf(HWND board) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(board, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = "";
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "MCIWndClass") == 0) found.push_back(child);
    }
    return found;
}

class VideoBoard : public MediaBoard {};
class SoundBoard : public MediaBoard {
protected:
    PlatformDialogDismisser dismisser;
};

}  // namespace

TEST_F(VideoBoard, BuildsEveryCellWithItsHostedPlayerAndTellsOnceAboutAMissingClip) {
    open(3, 9, 1, 2);  // cell 9 has no clip
    ASSERT_NE(windows.board, nullptr);
    EXPECT_EQ(capture.messages, Messages(1, MissingVideo));
    EXPECT_NE(GetDlgItem(windows.board, 5009), nullptr) << "construction went on past cell 9";
    for (int i = 1; i <= 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(hosts(GetDlgItem(windows.board, 9900 + i), videoPlayerOf(windows.board, i)));
        std::string name = "quizz" + std::to_string(i) + ".avi";
        EXPECT_EQ(urlOf(windows.board, i).find(name) != std::string::npos, i != 9) << urlOf(windows.board, i);
        EXPECT_FALSE(fileExists(name.c_str())) << "the file is deleted once the player has its name";
    }
    // Each play writes the clip again, whatever became of the file.
    click(6007);
    EXPECT_EQ(fileBytes("quizz7.avi"), resourceBytes(407));
    click(7003);
    writeFile("quizz7.avi", "spoilt");
    click(6007);
    EXPECT_EQ(fileBytes("quizz7.avi"), resourceBytes(407));
    click(6009);  // no clip: its message again, nothing else
    EXPECT_EQ(capture.messages, Messages(2, MissingVideo));
}

TEST_F(VideoBoard, LeavesNoVideoFileAfterAClosePlayersStillHeldAndWritesThemElsewhereWhenTheFolderIsReadOnly) {
    open(3, 2, 1, 2);
    click(6001);
    holdUntilDestroyed("quizz1.avi", item(9901));
    SendMessageA(windows.frame, WM_CLOSE, 0, 0);
    closePlayerWindows(&player, &windows);  // the end of the message loop
    EXPECT_FALSE(fileExists("quizz1.avi"));
    // A working directory no file can be written in: the clips go to a folder
    // of the player's own among the temporary files, named to the players in full.
    UnwritableWorkingDirectory readOnly;
    ASSERT_TRUE(readOnly.unwritable());
    open(3, 2, 1, 2);
    click(6002);
    char temporary[MAX_PATH];
    GetTempPathA(MAX_PATH, temporary);
    const std::string clip = urlOf(windows.board, 2);
    EXPECT_EQ(clip.rfind(temporary, 0), 0u) << clip;
    EXPECT_EQ(fileBytes(clip.c_str()), resourceBytes(402));
    const std::string folderOfClips = clip.substr(0, clip.rfind('\\'));
    EXPECT_TRUE(capture.messages.empty());
    SendMessageA(windows.frame, WM_CLOSE, 0, 0);
    closePlayerWindows(&player, &windows);
    EXPECT_FALSE(fileExists(folderOfClips.c_str())) << folderOfClips;
}

TEST(VideoCells, StayEmptyButPlayableWhenStartUpFoundNoHostingFunction) {
    ScratchDirectory folder;
    VideoSupport video = {};
    ASSERT_TRUE(startVideoSupport(&video));
    HWND box = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 260, 200, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    MediaPlayers players;
    openMediaPlayers(&players, box, GetModuleHandleA(nullptr), nullptr);  // no hosting function
    ASSERT_TRUE(setUpVideoCell(&players, 8, box));
    EXPECT_NE(players.videoPlayers[8], nullptr);
    EXPECT_FALSE(hosts(box, reinterpret_cast<IUnknown*>(players.videoPlayers[8])));
    closeMediaPlayers(&players);
    DestroyWindow(box);
    stopVideoSupport(&video);
}

TEST(VideoBoardWithoutPlayers, BuildsEveryCellsAnswerFieldAndTellsOnceThatTheVideosCannotBeShown) {
    ScratchDirectory folder;
    MessageCapture capture;
    // Without COM on this thread no player can be created.
    ASSERT_EQ(CoInitialize(nullptr), S_OK) << "COM was left initialised by an earlier test";
    CoUninitialize();
    Quiz quiz;
    fillWindowTestQuiz(&quiz, 3, 4, 1, 2);
    PlayState play;
    startPlay(&play, &quiz);
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 900, 700, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    const BoardParams params = {GetModuleHandleA(nullptr), &quiz, &play, nullptr, nullptr};
    HWND board = createBoard(parent, &params);
    ASSERT_NE(board, nullptr);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_NE(GetDlgItem(board, 9900 + i), nullptr) << i;
        EXPECT_EQ(videoPlayerOf(board, i), nullptr) << i;
        EXPECT_NE(GetDlgItem(board, 4000 + i), nullptr) << "answer field " << i;
    }
    const Messages told = {{"Les vid\xE9os de ce quizz ne peuvent pas \xEAtre affich\xE9" "es : le lecteur vid\xE9o "
                            "n'a pas pu \xEAtre cr\xE9\xE9.", "Information"}};
    EXPECT_EQ(capture.messages, told);
    SendMessageA(board, WM_COMMAND, 6002, reinterpret_cast<LPARAM>(GetDlgItem(board, 6002)));
    EXPECT_FALSE(fileExists("quizz2.avi")) << "no player: nothing to write the clip for";
    EXPECT_EQ(capture.messages, told);
    DestroyWindow(parent);
}

TEST(VideoFiles, AreDeletedForCellsOneToNinetyAndNoOtherFile) {
    ScratchDirectory folder;
    const std::pair<const char*, bool> files[] = {{"quizz1.avi", false}, {"quizz45.avi", false}, {"quizz90.avi", false},
                                                  {"quizz91.avi", true},  {"quizz0.avi", true},   {"quizz.mp3", true}};
    for (const auto& file : files) writeFile(file.first, "clip");
    deleteVideoFiles();
    for (const auto& file : files) EXPECT_EQ(fileExists(file.first), file.second) << file.first;
    deleteVideoFiles();  // nothing left to delete is no error
}

TEST_F(SoundBoard, PlaysOneSoundAtATimeInAHiddenWindowAndStopsItBeforeTellingOfAMissingOne) {
    open(2, 9, 1, 2);  // cell 9 has no sound
    HWND board = windows.board;
    ASSERT_TRUE(soundWindowsOf(board).empty());

    click(6005);
    std::vector<HWND> first = soundWindowsOf(board);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0], boardMediaPlayers(board)->soundWindow);
    EXPECT_FALSE(IsWindowVisible(first[0]));
    EXPECT_EQ(fileBytes("quizz.mp3"), resourceBytes(405));

    click(6006);  // stops cell 5's sound and rewrites the file
    EXPECT_EQ(soundWindowsOf(board).size(), 1u);
    EXPECT_FALSE(IsWindow(first[0]));
    EXPECT_EQ(fileBytes("quizz.mp3"), resourceBytes(406));

    click(7002);  // any cell's stop button stops it
    EXPECT_TRUE(soundWindowsOf(board).empty());
    EXPECT_EQ(boardMediaPlayers(board)->soundWindow, nullptr);
    EXPECT_FALSE(fileExists("quizz.mp3"));
    click(7004);  // nothing plays: nothing happens
    EXPECT_TRUE(capture.messages.empty());

    click(6005);
    click(6009);
    EXPECT_TRUE(soundWindowsOf(board).empty());
    EXPECT_FALSE(fileExists("quizz.mp3"));
    EXPECT_EQ(capture.messages, (Messages{{"Impossible de localiser le fichier audio.", "Information"}}));
}

TEST_F(SoundBoard, ClosingTheQuizClosesTheSoundWindowBeforeDeletingItsFile) {
    open(2, 9, 1, 2);
    click(6005);
    ASSERT_EQ(soundWindowsOf(windows.board).size(), 1u);
    holdUntilDestroyed("quizz.mp3", soundWindowsOf(windows.board)[0]);
    SendMessageA(windows.frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(soundWindowsOf(windows.board).empty());
    EXPECT_FALSE(fileExists("quizz.mp3"));
}
