#include "media/playback.h"

#include <ole2.h>
#include <oleauto.h>
#include <stdio.h>
#include <wchar.h>
#include <vfw.h>
#include <wmp.h>

#include "media/media.h"
#include "system/libraries.h"

namespace {

// Written out here rather than taken from a link library: the player
// control's identifiers are only declared by the system headers.
const CLSID WindowsMediaPlayerClass = {
    0x6bf52a52, 0x394a, 0x11d3, {0xb1, 0x53, 0x00, 0xc0, 0x4f, 0x79, 0xfa, 0xa6}};
const IID WindowsMediaPlayerInterface = {
    0x6bf52a4f, 0x394a, 0x11d3, {0xb1, 0x53, 0x00, 0xc0, 0x4f, 0x79, 0xfa, 0xa6}};

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

// Whether the URL a player reports names file: players may report a name
// given relative to the working directory in full.
bool sameFile(const WCHAR* url, const WCHAR* file) {
    const size_t urlLength = url ? wcslen(url) : 0, fileLength = wcslen(file);
    return urlLength >= fileLength && _wcsicmp(url + urlLength - fileLength, file) == 0 &&
           (urlLength == fileLength || url[urlLength - fileLength - 1] == L'\\');
}

// Stops and destroys the sound window, which lets its file go, then deletes
// the file.
void closeSoundWindow(MediaPlayers* players) {
    SendMessageA(players->soundWindow, MCI_STOP, 0, 0);
    SendMessageA(players->soundWindow, WM_CLOSE, 0, 0);
    players->soundWindow = nullptr;
    DeleteFileA(players->soundFile);
}

template <typename T>
void release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

}  // namespace

bool startVideoSupport(VideoSupport* video) {
    video->atl = loadSystemLibrary("atl.dll");
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
        if (players->videoControls[i]) players->videoControls[i]->stop();
        if (players->videoPlayers[i]) players->videoPlayers[i]->close();
        release(players->videoControls[i]);
        release(players->videoHosts[i]);
        release(players->videoPlayers[i]);
    }
}

void playSound(MediaPlayers* players, int i) {
    if (players->soundWindow) closeSoundWindow(players);
    if (!extractMedia(&players->files, QuestionMediaBase + i, MediaSound, players->soundFile)) return;
    players->soundWindow = createMciWindow(players->board, players->instance, SoundWindowStyle, players->soundFile);
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
    char name[MAX_PATH];
    if (!extractMedia(&players->files, QuestionMediaBase + i, MediaVideo, name)) return true;
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
    char name[MAX_PATH];
    if (!isCell(i) || !players->videoControls[i]) return;
    if (!extractMedia(&players->files, QuestionMediaBase + i, MediaVideo, name)) return;
    // The clip lands elsewhere once the working directory would not take it.
    BSTR url = wideFromAnsi(name), given = nullptr;
    if (IWMPPlayer* player = players->videoPlayers[i]) {
        if (FAILED(player->get_URL(&given)) || !sameFile(given, url)) player->put_URL(url);
    }
    SysFreeString(given);
    SysFreeString(url);
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
