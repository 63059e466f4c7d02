#include "cli.h"

#include <stdio.h>

#ifdef _WIN32
#include <windows.h>

#include "encoding.h"
#endif

int failWith(const std::string& message) {
    fprintf(stderr, "quizmaker: error: %s\n", message.c_str());
    return ExitFailure;
}

void warn(const std::string& message) { fprintf(stderr, "quizmaker: warning: %s\n", message.c_str()); }

void printText(const std::string& utf8) {
#ifdef _WIN32
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode;
    if (out != INVALID_HANDLE_VALUE && GetConsoleMode(out, &mode)) {
        const std::wstring wide = toWide(utf8);
        DWORD written;
        WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
#endif
    fwrite(utf8.data(), 1, utf8.size(), stdout);
    fflush(stdout);
}

void printProblems(const std::string& manifestPath, const std::vector<Problem>& problems) {
    for (const Problem& problem : problems) {
        std::string line = manifestPath + ": ";
        if (!problem.where.empty()) line += problem.where + ": ";
        line += problem.error ? "error: " : "warning: ";
        line += problem.message;
        fprintf(stderr, "%s\n", line.c_str());
    }
}

void printProblemCount(const std::string& manifestPath, const std::vector<Problem>& problems) {
    unsigned long long errors = 0, warnings = 0;
    for (const Problem& problem : problems) ++(problem.error ? errors : warnings);
    if (errors == 0) return;
    std::string line = manifestPath + ": " + counted(errors, "error", "errors");
    if (warnings) line += ", " + counted(warnings, "warning", "warnings");
    line += errors == 1 ? ": fix it before building" : ": fix them before building";
    fprintf(stderr, "%s\n", line.c_str());
}

void printImportNotes(const std::string& sourcePath, const std::vector<ImportNote>& notes) {
    static const char* const kinds[] = {"error", "warning", "skipped", "note"};
    for (const ImportNote& note : notes) {
        std::string where = note.line > 0 ? sourcePath + ":" + std::to_string(note.line) : sourcePath;
        fprintf(stderr, "%s: %s: %s\n", where.c_str(), kinds[note.kind], note.message.c_str());
    }
}

bool readFile(const std::string& path, Bytes* bytes, std::string* error) {
    Message message;
    const bool fine = readFile(path, bytes, &message);
    if (!fine) *error = message.english;
    return fine;
}

bool writeFileAtomically(const std::string& path, const Bytes& bytes, std::string* error) {
    Message message;
    const bool fine = writeFileAtomically(path, bytes, &message);
    if (!fine) *error = message.english;
    return fine;
}

bool wantsHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h") return true;
    return false;
}

void printMediaProgress(const MediaProgress& step) {
    std::string line = "quizmaker: " + std::to_string(step.number) + "/" + std::to_string(step.count) + " " + step.path +
                       ": ";
    if (!step.ready) line += "refused";
    else if (step.originalBytes == step.storedBytes) line += describeSize(step.storedBytes);
    else line += describeSize(step.originalBytes) + " -> " + describeSize(step.storedBytes);
    fprintf(stderr, "%s\n", line.c_str());
}

std::string describeContents(unsigned long long bytes, int pictures, int sounds, int videos) {
    return describeSize(bytes) + " with " + counted(static_cast<unsigned>(pictures), "picture", "pictures") + ", " +
           counted(static_cast<unsigned>(sounds), "sound", "sounds") + " and " +
           counted(static_cast<unsigned>(videos), "video", "videos");
}
