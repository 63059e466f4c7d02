#include <gtest/gtest.h>

#include <ole2.h>
#include <oleauto.h>
#include <wmp.h>

#include "app/app.h"
#include "media/playback.h"
#include "media_support.h"
#include "win/support/harness.h"

namespace {

typedef HRESULT(WINAPI* AtlAxGetControlProc)(HWND window, IUnknown** control);

// What start-up does for a video quiz: COM for the whole run and the
// hosting function of atl.dll.
struct VideoSupport {
    HMODULE atl;
    AtlAxGetControlProc getControl;
    VideoSupport() {
        atl = LoadLibraryA("atl.dll");
        atlAxAttachControl = atl ? (AtlAxAttachControlProc)(void*)GetProcAddress(atl, "AtlAxAttachControl")
                                 : nullptr;
        getControl = atl ? (AtlAxGetControlProc)(void*)GetProcAddress(atl, "AtlAxGetControl") : nullptr;
        CoInitialize(nullptr);
    }
    ~VideoSupport() {
        CoUninitialize();
        atlAxAttachControl = nullptr;
        if (atl) FreeLibrary(atl);
    }
};

// A plain visible window standing for a video box.
HWND makeBox() {
    return CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 260, 200, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

bool sameObject(IUnknown* a, IUnknown* b) {
    IUnknown* ia = nullptr;
    IUnknown* ib = nullptr;
    a->QueryInterface(IID_IUnknown, (void**)&ia);
    b->QueryInterface(IID_IUnknown, (void**)&ib);
    bool same = ia && ia == ib;
    if (ia) ia->Release();
    if (ib) ib->Release();
    return same;
}

// The file name the player of video cell i was given.
std::string urlOf(int i) {
    IWMPPlayer* wmp = nullptr;
    if (!videoPlayerOf(i) || videoPlayerOf(i)->QueryInterface(__uuidof(IWMPPlayer), (void**)&wmp) != S_OK)
        return "<no player>";
    BSTR url = nullptr;
    wmp->get_URL(&url);
    char buffer[MAX_PATH] = "";
    if (url) WideCharToMultiByte(CP_ACP, 0, url, -1, buffer, MAX_PATH, nullptr, nullptr);
    SysFreeString(url);
    wmp->Release();
    return buffer;
}

}  // namespace

TEST(VideoCells, CreateAPlayerHostedInTheBoxThatNamesTheCellsVideoFile) {
    VideoSupport support;
    ScratchDirectory folder;
    MessageCapture capture;
    ASSERT_NE(support.atl, nullptr);
    ASSERT_NE(atlAxAttachControl, nullptr);
    HWND box = makeBox();
    ASSERT_TRUE(setUpVideoCell(7, box));
    IUnknown* player = videoPlayerOf(7);
    ASSERT_NE(player, nullptr);
    ASSERT_NE(support.getControl, nullptr);
    IUnknown* hosted = nullptr;
    EXPECT_EQ(support.getControl(box, &hosted), S_OK);
    ASSERT_NE(hosted, nullptr);
    EXPECT_TRUE(sameObject(hosted, player));
    hosted->Release();

    EXPECT_NE(urlOf(7).find("quizz7.avi"), std::string::npos) << urlOf(7);
    EXPECT_FALSE(fileExists("quizz7.avi")) << "the file is deleted once the player has its name";
    EXPECT_TRUE(capture.messages.empty());
    DestroyWindow(box);
}

TEST(VideoCells, StayEmptyButPlayableWhenStartUpFoundNoHostingFunction) {
    VideoSupport support;
    ScratchDirectory folder;
    atlAxAttachControl = nullptr;
    HWND box = makeBox();
    ASSERT_TRUE(setUpVideoCell(8, box));
    EXPECT_NE(videoPlayerOf(8), nullptr);
    IUnknown* hosted = nullptr;
    EXPECT_NE(support.getControl(box, &hosted), S_OK);
    EXPECT_EQ(hosted, nullptr);
    DestroyWindow(box);
}

TEST(VideoCells, WithAMissingClipTellSoOnceAndKeepAnEmptyPlayer) {
    VideoSupport support;
    ScratchDirectory folder;
    MessageCapture capture;
    HWND box = makeBox();
    ASSERT_TRUE(setUpVideoCell(30, box));
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0].first, "Impossible de localiser le fichier vid\xE9o.");
    EXPECT_EQ(capture.messages[0].second, "Information");
    EXPECT_EQ(urlOf(30), "");
    DestroyWindow(box);
}

TEST(VideoCells, WriteTheirClipAnewEachTimeTheyPlay) {
    VideoSupport support;
    ScratchDirectory folder;
    MessageCapture capture;
    HWND box = makeBox();
    ASSERT_TRUE(setUpVideoCell(7, box));
    ASSERT_FALSE(fileExists("quizz7.avi"));
    playVideo(7);
    EXPECT_EQ(fileBytes("quizz7.avi"), resourceBytes(407));
    stopVideos(3);
    writeFile("quizz7.avi", "spoilt");
    playVideo(7);
    EXPECT_EQ(fileBytes("quizz7.avi"), resourceBytes(407));
    stopVideos(7);
    playVideo(31);  // no clip: its message, nothing else
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0].first, "Impossible de localiser le fichier vid\xE9o.");
    DestroyWindow(box);
}

TEST(VideoFiles, AreDeletedForCellsOneToNinetyAndNoOtherFile) {
    ScratchDirectory folder;
    const char* doomed[] = {"quizz1.avi", "quizz45.avi", "quizz90.avi"};
    const char* kept[] = {"quizz91.avi", "quizz0.avi", "quizz.mp3"};
    for (const char* name : doomed) writeFile(name, "clip");
    for (const char* name : kept) writeFile(name, "clip");
    deleteVideoFiles();
    for (const char* name : doomed) EXPECT_FALSE(fileExists(name)) << name;
    for (const char* name : kept) EXPECT_TRUE(fileExists(name)) << name;
    deleteVideoFiles();  // nothing left to delete is no error
}

TEST(VideoBoard, BuildsEveryCellWithItsHostedPlayerAndTellsOnceAboutAMissingClip) {
    VideoSupport support;
    ScratchDirectory folder;
    MessageCapture capture;
    Quiz quiz;
    fillTestQuiz(&quiz, 3, 9, 1, 2);  // cell 9 has no clip
    PlayerWindows windows = openPlayerWindows(&quiz);
    ASSERT_NE(windows.board, nullptr);
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0].first, "Impossible de localiser le fichier vid\xE9o.");
    EXPECT_NE(GetDlgItem(windows.board, 5009), nullptr) << "construction went on past cell 9";
    for (int i = 1; i <= 9; ++i) {
        SCOPED_TRACE(i);
        HWND box = GetDlgItem(windows.board, 9900 + i);
        ASSERT_NE(box, nullptr);
        IUnknown* hosted = nullptr;
        ASSERT_EQ(support.getControl(box, &hosted), S_OK);
        EXPECT_TRUE(sameObject(hosted, videoPlayerOf(i)));
        hosted->Release();
        char name[32];
        snprintf(name, sizeof name, "quizz%d.avi", i);
        EXPECT_FALSE(fileExists(name));
    }
    SendMessageA(windows.board, WM_COMMAND, 6007, (LPARAM)GetDlgItem(windows.board, 6007));
    EXPECT_EQ(fileBytes("quizz7.avi"), resourceBytes(407));
    closePlayerWindows(&windows);
}

namespace {

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

void click(HWND board, int id) { SendMessageA(board, WM_COMMAND, id, (LPARAM)GetDlgItem(board, id)); }

}  // namespace

TEST(SoundBoard, PlaysOneSoundAtATimeInAHiddenWindowOfTheBoard) {
    PlatformDialogDismisser dismisser;
    ScratchDirectory folder;
    MessageCapture capture;
    Quiz quiz;
    fillTestQuiz(&quiz, 2, 9, 1, 2);
    PlayerWindows windows = openPlayerWindows(&quiz);
    HWND board = windows.board;
    ASSERT_TRUE(soundWindowsOf(board).empty());

    click(board, 6005);
    std::vector<HWND> first = soundWindowsOf(board);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0], currentSoundWindow());
    EXPECT_FALSE(IsWindowVisible(first[0]));
    EXPECT_EQ(fileBytes("quizz.mp3"), resourceBytes(405));

    click(board, 6006);  // stops cell 5's sound and rewrites the file
    std::vector<HWND> second = soundWindowsOf(board);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_FALSE(IsWindow(first[0]));
    EXPECT_EQ(fileBytes("quizz.mp3"), resourceBytes(406));

    click(board, 7002);  // any cell's stop button stops it
    EXPECT_TRUE(soundWindowsOf(board).empty());
    EXPECT_EQ(currentSoundWindow(), nullptr);
    EXPECT_FALSE(fileExists("quizz.mp3"));
    click(board, 7004);  // nothing plays: nothing happens
    EXPECT_TRUE(capture.messages.empty());
    closePlayerWindows(&windows);
}

TEST(SoundBoard, AMissingSoundTellsSoAfterStoppingTheOneThatPlayed) {
    PlatformDialogDismisser dismisser;
    ScratchDirectory folder;
    MessageCapture capture;
    Quiz quiz;
    fillTestQuiz(&quiz, 2, 9, 1, 2);
    PlayerWindows windows = openPlayerWindows(&quiz);
    click(windows.board, 6005);
    ASSERT_EQ(soundWindowsOf(windows.board).size(), 1u);
    click(windows.board, 6009);
    EXPECT_TRUE(soundWindowsOf(windows.board).empty());
    EXPECT_FALSE(fileExists("quizz.mp3"));
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0].first, "Impossible de localiser le fichier audio.");
    EXPECT_EQ(capture.messages[0].second, "Information");
    closePlayerWindows(&windows);
}
