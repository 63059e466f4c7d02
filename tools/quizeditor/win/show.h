#pragma once
// Writing the model into the main window's controls, and painting its
// previews.
#include <windows.h>

#include <string>

#include "windowstate.h"

std::wstring windowText(HWND control);
// Writes back whatever differs from what the controls show.
void showModel(EditorWindow* state);
void showStatus(EditorWindow* state, const std::wstring& text);
void showPreview(EditorWindow* state, const DRAWITEMSTRUCT* item);
// Selects a problem's question and puts the caret in its field.
void goToProblem(EditorWindow* state, int row);
void freePreviews(EditorWindow* state);
