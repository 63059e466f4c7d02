#pragma once
// Sound and video cells: a hidden MCI window plays one sound at a time; each
// video cell hosts a media player control. The board owns its players.
#include <windows.h>
#include <unknwn.h>

#include "format/format.h"
#include "media/media.h"

struct IWMPPlayer;
struct IWMPControls;

typedef HRESULT(WINAPI* AtlAxAttachControlProc)(IUnknown* control, HWND window, IUnknown** container);

// Video cells host their players through atl.dll and need COM while they
// live.
struct VideoSupport {
    HMODULE atl;
    AtlAxAttachControlProc attachControl;  // null when atl.dll lacks it
};
// Loads atl.dll (false when it cannot be loaded), looks up the hosting
// function and initialises COM.
bool startVideoSupport(VideoSupport* video);
// Undoes startVideoSupport: COM, then atl.dll.
void stopVideoSupport(VideoSupport* video);

// The players of one board. Cells are numbered from 1; index 0 is unused.
struct MediaPlayers {
    HWND board;  // parent of the sound window
    HINSTANCE instance;
    AtlAxAttachControlProc attachControl;  // null: players stay unhosted
    HWND soundWindow;                      // the sound that plays now, or null
    char soundFile[MAX_PATH];              // the file it plays
    MediaFolder files;                     // where the clips are written
    HWND videoBoxes[MaxQuestions + 1];
    IWMPPlayer* videoPlayers[MaxQuestions + 1];
    IWMPControls* videoControls[MaxQuestions + 1];
    IUnknown* videoHosts[MaxQuestions + 1];  // what holds each player in its box
};

void openMediaPlayers(MediaPlayers* players, HWND board, HINSTANCE instance, AtlAxAttachControlProc attachControl);
// Closes the sound window (deleting its file) and stops, closes and releases
// the video players. A hosted player lets its clip go only once the window
// hosting it is destroyed too: removeMediaFiles(&players->files) deletes the
// clips after that.
void closeMediaPlayers(MediaPlayers* players);

// Style 3: creates cell i's media player in box; false if it cannot be made.
bool setUpVideoCell(MediaPlayers* players, int i, HWND box);
void playSound(MediaPlayers* players, int i);
void stopSound(MediaPlayers* players, int i);
void playVideo(MediaPlayers* players, int i);
void stopVideos(MediaPlayers* players, int i);
// Deletes "quizz1.avi" to "quizz90.avi" in the working directory.
void deleteVideoFiles();
