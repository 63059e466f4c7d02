// PLACEHOLDER: replaced by media playback.
#include "media/playback.h"
bool setUpVideoCell(int, HWND) { return true; }
void playSound(int) {}
void stopSound(int) {}
void playVideo(int) {}
void stopVideos(int) {}
void deleteVideoFiles() {}
