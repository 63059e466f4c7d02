#pragma once
#include <windows.h>

// Loads picture resource name/type of module, fitted into the box; null when
// it is missing or unreadable (no message). The caller owns the bitmap.
HBITMAP loadPicture(HMODULE module, LPCSTR name, LPCSTR type, int boxWidth, int boxHeight);
// Decodes an image file held in memory to a full-size bitmap, or null.
HBITMAP decodePicture(const void* bytes, DWORD count);
// A new bitmap of the fitted size; source is neither changed nor deleted.
HBITMAP fitBitmap(HBITMAP source, int boxWidth, int boxHeight);
