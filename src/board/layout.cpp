// PLACEHOLDER: replaced by the board geometry.
#include "board/layout.h"
int listRowTop(int i) { return 25 * i - 15; }
int soundRowTop(int) { return 0; }
int gridColumnLeft(int, int) { return 0; }
int gridRowBase(int, int) { return 0; }
ContentSize contentSizeFor(int, int, int, int) { return ContentSize{830, 0}; }
