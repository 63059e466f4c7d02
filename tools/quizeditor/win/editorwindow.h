#pragma once
// The editor's main window (class "QuizEditor"): the quiz's settings and
// its questions on the left, the selected question with its preview and
// the try pane on the right, the problems along the bottom. It shows an
// EditorModel kept behind its handle and forwards every change to it.
#include <windows.h>

#include <string>

#include "editcommands.h"
#include "editmodel.h"
#include "services.h"

// Messages the build and unpack worker posts to the window.
enum {
    JobProgressMessage = WM_APP + 1,   // wParam: files done, lParam: files in all
    JobFinishedMessage = WM_APP + 2,
    ListCheckMessage = WM_APP + 3,     // the question list lost its selection: show the model's again
};

ATOM registerEditorClass(HINSTANCE instance);
// Creates the (hidden) main window with a new empty quiz; null on failure.
HWND createEditorWindow(HINSTANCE instance, const EditorServices& services);
// The keyboard table of the menus' shortcuts; the caller destroys it.
HACCEL createEditorAccelerators();
// Handles a queued message meant for the editor's keyboard (shortcuts, Tab
// and mnemonics among the controls); false when it is left to dispatch.
bool translateEditorMessage(HWND editor, HACCEL accelerators, MSG* message);

// Opens what the command line names: a manifest, a quiz program or a
// question bank (by its extension), asking first about unsaved changes.
void openEditorFile(HWND editor, const std::wstring& path);

// The model behind the window, for tests.
const EditorModel* editorModel(HWND editor);
// True while a build or an unpack runs on the worker thread.
bool editorBusy(HWND editor);
