#pragma once
// The file commands: new, open, import, save, and the files a question or
// the background colour is chosen from. Each asks through the window's
// services and hands what was chosen to the model.
#include <string>

#include "windowstate.h"

// A message box with an OK button.
void tell(EditorWindow* state, const std::wstring& text);
// Where the next dialog starts, and the folder of a file just chosen.
std::wstring folderForDialogs(const EditorWindow* state);
void rememberFolder(EditorWindow* state, const std::wstring& file);
// Asks whether to save unsaved changes; false when the author cancels.
bool settleUnsavedChanges(EditorWindow* state);
// Saves the quiz; where the author chooses (Enregistrer sous…, the first
// save), its media outside that folder are copied beside it first.
bool saveDocument(EditorWindow* state, bool choosePath);
// Rassembler les médias: every media file outside the quiz's folder copied
// into its media folder, the paths changed and the quiz saved.
void gatherDocumentMedia(EditorWindow* state);
void newDocument(EditorWindow* state);
void openDocument(EditorWindow* state);
void importDocument(EditorWindow* state);
void openManifestPath(EditorWindow* state, const std::wstring& path);
void importBank(EditorWindow* state, const std::wstring& path);
void browseMedia(EditorWindow* state, Field field);
void chooseBackColour(EditorWindow* state);
