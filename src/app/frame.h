#pragma once
// The frame window (class "WindowsApp") with its header, and the creation
// steps that start-up and the window tests share.
#include <windows.h>
#include "content/quiz.h"

enum {
    FrameWidth = 870,
    FrameHeight = 650,
    ScoreDisplayId = 150,
    LinkId = 154,
    CodeDisplayId = 157,
    VersionLineId = 8000,
};

extern const char FrameClassName[];  // "WindowsApp"
extern const char WebSiteAddress[];

// Opens the maker's web site; tests replace it to see the link's clicks.
extern void (*openWebSite)(const char* address);

LRESULT CALLBACK frameWindowProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

// Registers "WindowsApp"; 0 on failure.
ATOM registerFrameClass(HINSTANCE instance);
// Creates the (hidden) frame window titled with the quiz's title; its
// creation builds the header and sets contentWidth and contentHeight.
HWND createFrameWindow(HINSTANCE instance, const Quiz* quiz);
// Centres window on the desktop, keeping its size.
void centreWindow(HWND window);
// Creates the board from its template inside frame and publishes appBoard.
HWND createBoard(HINSTANCE instance, HWND frame);

// Style 3 hosts its players through atl.dll and needs COM for the whole run:
// loads atl.dll (false when it cannot be loaded), publishes
// atlAxAttachControl and initialises COM.
bool startVideoSupport();
// Undoes startVideoSupport: COM, then atl.dll.
void stopVideoSupport();
