#pragma once
// Making the main window's menus and controls, and placing them.
#include <windows.h>

#include "windowstate.h"

// The menu bar, its items the model's commands with their shortcuts.
HMENU createMenus();
// The message font of the system (which follows its DPI) and its metrics.
void chooseFont(EditorWindow* state);
// Every control, in the order the Tab key visits them; false on failure.
bool createControls(EditorWindow* state);
// The tooltips that explain some fields, one line each (the model's hints).
void createHints(EditorWindow* state, HINSTANCE instance);
// Places every control in a client area of width x height.
void applyLayout(EditorWindow* state, int width, int height);
// Scrolls the controls of a window shorter than the layout up by top
// pixels, or as far as shows the control whole.
void scrollTo(EditorWindow* state, int top);
void revealControl(EditorWindow* state, HWND control);
// The window's outer size for a client area, with its menu bar.
SIZE outerSize(HWND window, int width, int height);
// A first size of most of the work area, at least the least size.
void chooseFirstSize(EditorWindow* state);
