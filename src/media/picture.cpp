// PLACEHOLDER: replaced by the picture loader.
#include "media/picture.h"
HBITMAP loadPicture(HMODULE, LPCSTR, LPCSTR, int, int) { return nullptr; }
HBITMAP decodePicture(const void*, DWORD) { return nullptr; }
HBITMAP fitBitmap(HBITMAP, int, int) { return nullptr; }
