#pragma once
// Frame window arithmetic, no platform calls.

// Start of a window of innerSize centred on a span of outerSize beginning at
// outerStart; the half is truncated toward zero, so a window wider than the
// span overhangs both of its edges equally.
int centredStart(int outerStart, int outerSize, int innerSize);

// Height of the link's font: three quarters of its client height, as a
// character height (negative), truncated toward zero.
int linkFontHeight(int clientHeight);
