#pragma once
// What quizmaker's commands share to talk to the terminal: arguments arrive
// as UTF-8 (the wide command line is converted on Windows), errors and
// problems go to stderr as "quizmaker: error: ..." or "FILE: where: error:
// ...", results to stdout; all in English.
#include <string>
#include <vector>

#include "files.h"
#include "importbank.h"
#include "mediaprep.h"
#include "messages.h"

enum ExitCode { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

// Prints "quizmaker: error: <message>" on stderr and returns ExitFailure.
int failWith(const std::string& message);
// Prints "quizmaker: warning: <message>" on stderr.
void warn(const std::string& message);
// Writes UTF-8 text to stdout: on a Windows console as Unicode, elsewhere as
// the bytes themselves.
void printText(const std::string& utf8);
// Prints "MANIFEST: where: error: message" (or "warning:") lines to stderr.
void printProblems(const std::string& manifestPath, const std::vector<Problem>& problems);
// When there are errors, one more line tells how many, the noun agreeing:
// "MANIFEST: 1 error: fix it before building" ("2 errors: fix them").
void printProblemCount(const std::string& manifestPath, const std::vector<Problem>& problems);
// "FILE:LINE: error: ..." (or warning, skipped, note) on stderr, one per note.
void printImportNotes(const std::string& sourcePath, const std::vector<ImportNote>& notes);

// Files read and written with the error in English only.
bool readFile(const std::string& path, Bytes* bytes, std::string* error);
bool writeFileAtomically(const std::string& path, const Bytes& bytes, std::string* error);

// True when args holds "--help" or "-h".
bool wantsHelp(const std::vector<std::string>& args);

// "quizmaker: 3/12 img/paris.jpg: 3.2 MB -> 18.4 KB" on stderr, for each
// media file build or web prepares.
void printMediaProgress(const MediaProgress& step);
// "18.4 KB with 3 pictures, 0 sounds and 0 videos".
std::string describeContents(unsigned long long bytes, int pictures, int sounds, int videos);
