#pragma once
// What the editor asks of the system on the author's behalf: questions in a
// message box, file, folder and colour choices in the common dialogs, and
// starting a built quiz. The window reaches them through the services it
// was made with, so a test makes it with its own answers instead of
// dialogs that would wait for a person.
#include <windows.h>

#include <functional>
#include <string>

enum class FileKind { Manifest, QuizProgram, QuestionBank, Picture, Sound, Video, WebPage, ScormPackage };

struct FileChoice {
    bool save;             // a Save As dialog, else an Open dialog
    FileKind kind;
    std::wstring folder;   // where the dialog starts
    std::wstring name;     // the name a Save As dialog offers
};

struct EditorServices {
    // A system message box: IDYES, IDNO, IDCANCEL or IDOK.
    std::function<int(HWND owner, const std::wstring& text, UINT buttons)> ask;
    // False when the author cancels.
    std::function<bool(HWND owner, const FileChoice& choice, std::wstring* path)> chooseFile;
    std::function<bool(HWND owner, const std::wstring& start, std::wstring* folder)> chooseFolder;
    // colour is 0x00BBGGRR, as Windows holds it.
    std::function<bool(HWND owner, COLORREF* colour)> chooseColour;
    // Starts a program in its own folder; false when it cannot start.
    std::function<bool(const std::wstring& program)> startProgram;
    std::wstring playerPath;   // the player that quizzes are built from
};

// The message box, the common dialogs, and the player beside this program.
EditorServices systemServices();
