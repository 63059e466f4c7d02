// PLACEHOLDER: replaced by media extraction.
#include "media/media.h"
int extractMedia(HWND, int, MediaKind) { return 0; }
