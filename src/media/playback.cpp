#include "media/playback.h"

#include <ole2.h>
#include <oleauto.h>
#include <stdio.h>
#include <vfw.h>
#include <wmp.h>

#include "media/media.h"

namespace {

// Written out here rather than taken from a link library: the player
// control's identifiers are only declared by the system headers.
const CLSID WindowsMediaPlayerClass = {
    0x6bf52a52, 0x394a, 0x11d3, {0xb1, 0x53, 0x00, 0xc0, 0x4f, 0x79, 0xfa, 0xa6}};
const IID WindowsMediaPlayerInterface = {
    0x6bf52a4f, 0x394a, 0x11d3, {0xb1, 0x53, 0x00, 0xc0, 0x4f, 0x79, 0xfa, 0xa6}};

const char* const SoundFileName = "quizz.mp3";
const char* const VideoFileFormat = "quizz%d.avi";
const DWORD SoundWindowStyle = WS_CHILD | MCIWNDF_NOMENU;  // hidden: no WS_VISIBLE
const DWORD PlayerContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

bool isCell(int i) { return i >= 1 && i <= MaxQuestions; }

void videoFileName(char (&name)[32], int i) { snprintf(name, sizeof name, VideoFileFormat, i); }

// A BSTR of a single-byte text converted with the ANSI code page; the
// caller frees it with SysFreeString.
BSTR wideFromAnsi(const char* text) {
    WCHAR wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, text, -1, wide, MAX_PATH)) wide[0] = 0;
    return SysAllocString(wide);
}

// Stops and destroys the sound window, then deletes its file.
void closeSoundWindow(MediaPlayers* players) {
    SendMessageA(players->soundWindow, MCI_STOP, 0, 0);
    SendMessageA(players->soundWindow, WM_CLOSE, 0, 0);
    players->soundWindow = nullptr;
    DeleteFileA(SoundFileName);
}

template <typename T>
void release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

}  // namespace

bool startVideoSupport(VideoSupport* video) {
    video->atl = LoadLibraryA("atl.dll");
    video->attachControl = nullptr;
    if (!video->atl) return false;
    video->attachControl = reinterpret_cast<AtlAxAttachControlProc>(
        reinterpret_cast<void*>(GetProcAddress(video->atl, "AtlAxAttachControl")));
    CoInitialize(nullptr);
    return true;
}

void stopVideoSupport(VideoSupport* video) {
    CoUninitialize();
    FreeLibrary(video->atl);
    video->atl = nullptr;
    video->attachControl = nullptr;
}

void openMediaPlayers(MediaPlayers* players, HWND board, HINSTANCE instance, AtlAxAttachControlProc attachControl) {
    ZeroMemory(players, sizeof *players);
    players->board = board;
    players->instance = instance;
    players->attachControl = attachControl;
}

void closeMediaPlayers(MediaPlayers* players) {
    if (players->soundWindow) closeSoundWindow(players);
    for (int i = 1; i <= MaxQuestions; ++i) {
        release(players->videoControls[i]);
        release(players->videoHosts[i]);
        release(players->videoPlayers[i]);
    }
}

void playSound(MediaPlayers* players, int i) {
    if (players->soundWindow) closeSoundWindow(players);
    if (!extractMedia(players->board, QuestionMediaBase + i, MediaSound)) return;
    players->soundWindow = MCIWndCreateA(players->board, players->instance, SoundWindowStyle, SoundFileName);
    // Some MCI implementations make a child window visible whatever style
    // they are given; this one is never to be seen.
    if (players->soundWindow && IsWindowVisible(players->soundWindow)) ShowWindow(players->soundWindow, SW_HIDE);
    SendMessageA(players->soundWindow, MCI_PLAY, 0, 0);
}

void stopSound(MediaPlayers* players, int) {
    if (players->soundWindow) closeSoundWindow(players);
}

bool setUpVideoCell(MediaPlayers* players, int i, HWND box) {
    if (!isCell(i)) return false;
    players->videoBoxes[i] = box;
    IWMPPlayer*& player = players->videoPlayers[i];
    if (FAILED(CoCreateInstance(WindowsMediaPlayerClass, nullptr, PlayerContext, WindowsMediaPlayerInterface,
                                (void**)&player)) ||
        !player) {
        player = nullptr;
        return false;
    }
    // Without the hosting function the box stays empty, but the player
    // still exists and answers play and stop. The host is asked for
    // although nothing calls it: some implementations of the hosting
    // function skip the hosting altogether when no one takes the host.
    if (players->attachControl) players->attachControl(player, box, &players->videoHosts[i]);
    IWMPControls*& controls = players->videoControls[i];
    if (FAILED(player->get_controls(&controls))) controls = nullptr;
    BSTR mode = SysAllocString(L"none");  // the video alone, no control bar
    player->put_uiMode(mode);
    SysFreeString(mode);
    if (!extractMedia(players->board, QuestionMediaBase + i, MediaVideo)) return true;
    char name[32];
    videoFileName(name, i);
    BSTR url = wideFromAnsi(name);
    player->put_URL(url);
    SysFreeString(url);
    if (controls) controls->stop();
    // The player has what it needs; playVideo writes the file again.
    DeleteFileA(name);
    return true;
}

// A cell without a player has nothing to write its clip for.
void playVideo(MediaPlayers* players, int i) {
    if (!isCell(i) || !players->videoControls[i]) return;
    if (!extractMedia(players->board, QuestionMediaBase + i, MediaVideo)) return;
    players->videoControls[i]->play();
}

void stopVideos(MediaPlayers* players, int) {
    for (int i = 1; i <= MaxQuestions; ++i)
        if (players->videoControls[i]) players->videoControls[i]->stop();
}

void deleteVideoFiles() {
    for (int n = 1; n <= MaxQuestions; ++n) {
        char name[32];
        videoFileName(name, n);
        DeleteFileA(name);  // a missing file is no error
    }
}
