#pragma once
// What the system tells of itself, for the programs that build and run
// quizzes: where this program lies, and what an error code means.
#include <windows.h>

#include <string>

#include "messages.h"

// The file of that name in this program's folder: the player that quizmaker
// and the editor are shipped beside.
std::wstring besideThisProgram(const wchar_t* fileName);

// The system's description of an error code: in its own language for the
// command line, in French where the system has French texts (otherwise in
// its own language too).
Message systemMessage(DWORD code);
