#pragma once
// The main window's state, behind its handle (GWLP_USERDATA). The window's
// units each reach it from the handle: editorwindow.cpp makes the window and
// routes its messages, show.cpp writes the model into the controls,
// filecommands.cpp runs the file commands, jobs.cpp the build and unpack
// worker.
#include <windows.h>

#include <string>
#include <vector>

#include "editlayout.h"
#include "editorwindow.h"
#include "preview.h"

struct WorkerJob;

// A preview box as painted: what the model says it shows, the picture
// decoded at the size the player shows it and fitted to the box (null
// until painted).
struct Preview {
    PreviewSource source;
    HBITMAP prepared = nullptr;    // at the size the player shows it
    bool failed = false;           // not a picture the player can show
    HBITMAP bitmap = nullptr;      // fitted to the box
    SIZE box = {0, 0};
};

struct EditorWindow {
    HWND window = nullptr;
    EditorServices services;
    EditorModel model;
    HFONT font = nullptr;
    FontMetrics metrics = {7, 16};
    HWND controls[ControlCount] = {};
    HMENU menu = nullptr;
    HWND hints = nullptr;              // the tooltips that explain some fields
    int scrollTop = 0;                 // how far a window shorter than its layout is scrolled
    HWND lastFocus = nullptr;
    bool showing = false;              // the window is writing the model into its controls
    std::wstring lastFolder;           // where the last file was chosen, for the next dialog
    Preview previews[2];               // the question's media, its answer picture
    std::vector<Problem> shownProblems;
    std::vector<TypoRow> shownTypos;
    int tryWhich = 0;                  // the answer the try pane judges against
    int exportType = 0;                // the file type the export dialog shows first: the last one chosen
    HBRUSH swatchBrush = nullptr;
    long swatchColour = -2;
    HBRUSH verdictBrush = nullptr;     // the try pane's verdict as the player colours it
    long verdictColour = DefaultVerdictColour;
    WorkerJob* job = nullptr;          // the running build or unpack
    std::vector<std::wstring> testFolders;   // made by Test, removed at the end
};

EditorWindow* editorState(HWND window);
inline HWND controlOf(const EditorWindow* state, ControlId id) { return state->controls[id - FirstControl]; }
