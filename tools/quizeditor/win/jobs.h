#pragma once
// Building, testing and unpacking quiz programs on a worker thread.
#include <windows.h>

#include <string>

#include "windowstate.h"

void buildProgram(EditorWindow* state);
void testProgram(EditorWindow* state);
// The quiz as a page for browsers or a package for learning platforms.
void exportForBrowser(EditorWindow* state);
void openProgram(EditorWindow* state);
void openProgramFile(EditorWindow* state, const std::wstring& program);
LRESULT onJobProgress(EditorWindow* state, int done, int count);
LRESULT onJobFinished(EditorWindow* state);
// Waits for a running job and removes the test folders, as the window goes.
void finishJobs(EditorWindow* state);
