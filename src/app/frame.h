#pragma once
// The frame window (class "WindowsApp"): the header with the score, the
// code, the quiz's texts and the link, the version line, and the board
// filling the rest.
#include <windows.h>

#include "app/player.h"

enum {
    ScoreDisplayId = 150,
    LinkId = 154,
    CodeDisplayId = 157,
    VersionLineId = 8000,
};

extern const char FrameClassName[];  // "WindowsApp"
extern const char WebSiteAddress[];

// Opens the maker's web site; tests replace it to see the link's clicks.
extern void (*openWebSite)(const char* address);

// Registers "WindowsApp"; 0 on failure.
ATOM registerFrameClass(HINSTANCE instance);
// Creates the (hidden) frame window of player, titled with the quiz's title,
// as wide as the board's content needs; its creation builds the header.
// Null on failure.
HWND createFrameWindow(Player* player);
// Centres window on the desktop, keeping its size.
void centreWindow(HWND window);
