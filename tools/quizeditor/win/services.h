#pragma once
// What the editor asks of the system on the author's behalf: questions in a
// message box, file, folder and colour choices in the common dialogs, and
// starting a built quiz. The window reaches them through the services it
// was made with, so a test makes it with its own answers instead of
// dialogs that would wait for a person.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// BrowserExport: a page or a SCORM package, each a file type of the dialog.
enum class FileKind { Manifest, QuizProgram, QuestionBank, Picture, Sound, Video, WebVideo, BrowserExport };

struct FileChoice {
    bool save;             // a Save As dialog, else an Open dialog
    FileKind kind;
    std::wstring folder;   // where the dialog starts
    std::wstring name;     // the name a Save As dialog offers
    int type = 0;          // the file type shown first, from 0 in the kind's list
};

// A folder to choose: the dialog starts in folder with name in its box
// (the proposed folder, made beforehand so that it can be chosen at once).
struct FolderChoice {
    std::wstring folder;
    std::wstring name;
};

struct EditorServices {
    // A system message box: IDYES, IDNO, IDCANCEL or IDOK.
    std::function<int(HWND owner, const std::wstring& text, UINT buttons)> ask;
    // False when the author cancels; type (when not null) receives the file
    // type shown as the file was chosen, from 0 in the kind's list.
    std::function<bool(HWND owner, const FileChoice& choice, std::wstring* path, int* type)> chooseFile;
    // The system's folder picker, with a box to type a path in.
    std::function<bool(HWND owner, const FolderChoice& choice, std::wstring* folder)> chooseFolder;
    // colour is 0x00BBGGRR, as Windows holds it.
    std::function<bool(HWND owner, COLORREF* colour)> chooseColour;
    // Starts a program in its own folder; false when it cannot start.
    std::function<bool(const std::wstring& program)> startProgram;
    std::wstring playerPath;   // the player that quizzes are built from
    // A message with buttons of its own: the place of the one chosen among
    // them, -1 when the message is closed without one.
    std::function<int(HWND owner, const std::wstring& text, const std::vector<std::wstring>& buttons)> offer;
    // Shows a folder in the file explorer; false when it cannot.
    std::function<bool(const std::wstring& folder)> showFolder;
};

// The message box, the common dialogs, and the player beside this program.
EditorServices systemServices();
