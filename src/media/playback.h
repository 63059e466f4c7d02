#pragma once
#include <windows.h>
#include <unknwn.h>

// Style 3: creates cell i's media player in box; false if it cannot be made.
bool setUpVideoCell(int i, HWND box);
void playSound(int i);
void stopSound(int i);
void playVideo(int i);
void stopVideos(int i);
// Deletes "quizz1.avi" to "quizz90.avi" in the working directory.
void deleteVideoFiles();

// The hidden MCI window of the sound that plays now, or null.
HWND currentSoundWindow();
// Cell i's media player object (owned here, not AddRef'd), or null.
IUnknown* videoPlayerOf(int i);
