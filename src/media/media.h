#pragma once
#include <windows.h>

enum MediaKind { MediaSound = 1, MediaVideo = 2 };

// Where a board's media files go: the working directory, or, once a file
// cannot be written there (a read-only folder, a name taken), a folder of
// the process's own under the user's temporary directory for the rest of
// the run.
struct MediaFolder {
    char path[MAX_PATH];  // the own folder, ending in a backslash; "" for the working directory
    unsigned written;     // the kinds written so far, as bits (1 << kind)
};

// Writes media resource "IMG" number to "quizz.mp3" (sound) or
// "quizz<number - 400>.avi" (video) in folder: 1 on success, file then
// naming it as the players are to be given it (relative in the working
// directory, in full in the own folder); 0 on failure (after its message,
// caption "Information").
int extractMedia(MediaFolder* folder, int resourceNumber, MediaKind kind, char (&file)[MAX_PATH]);
// Deletes the kinds of media files folder was given ("quizz.mp3", or
// "quizz1.avi" to "quizz90.avi") and removes the own folder once empty.
void removeMediaFiles(MediaFolder* folder);
