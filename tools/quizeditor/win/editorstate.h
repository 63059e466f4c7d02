#pragma once
// The main window's state, behind its handle (GWLP_USERDATA), and the
// helpers its source files share: editorwindow.cpp makes the window and
// routes its messages, show.cpp writes the model into the controls,
// files.cpp runs the file commands, jobs.cpp the build and unpack worker.
#include <windows.h>

#include <string>
#include <vector>

#include "editlayout.h"
#include "editorwindow.h"
#include "quizbuild.h"

struct WorkerJob;

// A preview box: the picture file it shows, as prepared for the player
// and fitted to the box (the bitmaps null until painted), or a note.
struct Preview {
    std::wstring file;
    std::wstring note;
    long colour = -1;              // the background colour it was prepared on
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
    HWND lastFocus = nullptr;
    bool showing = false;              // the window is writing the model into its controls
    std::wstring lastFolder;           // where the last file was chosen, for the next dialog
    Preview previews[2];               // the question's media, its answer picture
    std::vector<Problem> shownProblems;
    std::vector<TypoRow> shownTypos;
    int tryWhich = 0;                  // the answer the try pane judges against
    HBRUSH swatchBrush = nullptr;
    long swatchColour = -2;
    HBRUSH verdictBrush = nullptr;     // the try pane's verdict as the player colours it
    long verdictColour = DefaultVerdictColour;
    WorkerJob* job = nullptr;          // the running build or unpack
    std::vector<std::wstring> testFolders;   // made by Test, removed at the end
};

EditorWindow* editorState(HWND window);
inline HWND controlOf(const EditorWindow* state, ControlId id) { return state->controls[id - FirstControl]; }

// show.cpp
std::wstring windowText(HWND control);
// The field an edit control holds; None for any other control.
Field fieldOfEdit(int id);
void showModel(EditorWindow* state);
void showStatus(EditorWindow* state, const std::wstring& text);
void showPreview(EditorWindow* state, const DRAWITEMSTRUCT* item);
// Selects a problem's question and puts the caret in its field.
void goToProblem(EditorWindow* state, int row);
void freePreview(Preview* preview);
void freePreviews(EditorWindow* state);

// files.cpp
void tell(EditorWindow* state, const std::wstring& text);
// Asks whether to save unsaved changes; false when the author cancels.
bool settleUnsavedChanges(EditorWindow* state);
bool saveDocument(EditorWindow* state, bool choosePath);
void newDocument(EditorWindow* state);
void openDocument(EditorWindow* state);
void importDocument(EditorWindow* state);
void openFileByKind(EditorWindow* state, const std::wstring& path);
void browseMedia(EditorWindow* state, Field field);
void chooseBackColour(EditorWindow* state);
std::wstring folderForDialogs(const EditorWindow* state);
void rememberFolder(EditorWindow* state, const std::wstring& file);

// jobs.cpp
void buildProgram(EditorWindow* state);
void testProgram(EditorWindow* state);
void openProgram(EditorWindow* state);
void openProgramFile(EditorWindow* state, const std::wstring& program);
LRESULT onJobProgress(EditorWindow* state, int done, int count);
LRESULT onJobFinished(EditorWindow* state);
void finishJobs(EditorWindow* state);
