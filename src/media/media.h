#pragma once
#include <windows.h>

enum MediaKind { MediaSound = 1, MediaVideo = 2 };

// Writes media resource "IMG" number to "quizz.mp3" (sound) or
// "quizz<number - 400>.avi" (video) in the working directory: 1 on
// success, 0 on failure (after its message, caption "Information").
int extractMedia(HWND window, int resourceNumber, MediaKind kind);
