#include "media/playback.h"

#include <ole2.h>
#include <oleauto.h>
#include <stdio.h>
#include <vfw.h>
#include <wmp.h>

#include "app/app.h"
#include "content/quiz.h"
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

// The one MCI window that plays the current sound, or null.
HWND soundWindow = nullptr;

// Per video cell 1 to MaxQuestions; index 0 unused. The players live until
// the process ends.
HWND videoBoxes[MaxQuestions + 1];
IWMPPlayer* videoPlayers[MaxQuestions + 1];
IWMPControls* videoControls[MaxQuestions + 1];
// The hosts that hold the players in their boxes.
IUnknown* videoHosts[MaxQuestions + 1];

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
void closeSoundWindow() {
    SendMessageA(soundWindow, MCI_STOP, 0, 0);
    SendMessageA(soundWindow, WM_CLOSE, 0, 0);
    soundWindow = nullptr;
    DeleteFileA(SoundFileName);
}

}  // namespace

HWND currentSoundWindow() { return soundWindow; }

void playSound(int i) {
    if (soundWindow) closeSoundWindow();
    if (!extractMedia(appBoard, 400 + i, MediaSound)) return;
    soundWindow = MCIWndCreateA(appBoard, appInstance, SoundWindowStyle, SoundFileName);
    // Some MCI implementations make a child window visible whatever style
    // they are given; this one is never to be seen.
    if (soundWindow && IsWindowVisible(soundWindow)) ShowWindow(soundWindow, SW_HIDE);
    SendMessageA(soundWindow, MCI_PLAY, 0, 0);
}

void stopSound(int) {
    if (soundWindow) closeSoundWindow();
}

bool setUpVideoCell(int i, HWND box) {
    if (!isCell(i)) return false;
    videoBoxes[i] = box;
    if (FAILED(CoCreateInstance(WindowsMediaPlayerClass, nullptr, PlayerContext,
                                WindowsMediaPlayerInterface, (void**)&videoPlayers[i])) ||
        !videoPlayers[i]) {
        videoPlayers[i] = nullptr;
        return false;
    }
    IWMPPlayer* player = videoPlayers[i];
    // Without the hosting function the box stays empty, but the player
    // still exists and answers play and stop. The host is asked for
    // although nothing calls it: some implementations of the hosting
    // function skip the hosting altogether when no one takes the host.
    if (atlAxAttachControl) atlAxAttachControl(player, box, &videoHosts[i]);
    if (FAILED(player->get_controls(&videoControls[i]))) videoControls[i] = nullptr;
    BSTR mode = SysAllocString(L"none");  // the video alone, no control bar
    player->put_uiMode(mode);
    SysFreeString(mode);
    if (!extractMedia(appBoard, 400 + i, MediaVideo)) return true;
    char name[32];
    videoFileName(name, i);
    BSTR url = wideFromAnsi(name);
    player->put_URL(url);
    SysFreeString(url);
    if (videoControls[i]) videoControls[i]->stop();
    // The player has what it needs; playVideo writes the file again.
    DeleteFileA(name);
    return true;
}

void playVideo(int i) {
    if (!isCell(i)) return;
    if (!extractMedia(appBoard, 400 + i, MediaVideo)) return;
    if (videoControls[i]) videoControls[i]->play();
}

void stopVideos(int) {
    for (int i = 1; i <= MaxQuestions; ++i)
        if (videoControls[i]) videoControls[i]->stop();
}

IUnknown* videoPlayerOf(int i) { return isCell(i) ? videoPlayers[i] : nullptr; }

void deleteVideoFiles() {
    for (int n = 1; n <= 90; ++n) {
        char name[32];
        videoFileName(name, n);
        DeleteFileA(name);  // a missing file is no error
    }
}
