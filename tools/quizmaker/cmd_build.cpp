// quizmaker build: writes a manifest's quiz into a copy of the player.
// quizmaker unpack: writes a quiz executable's manifest and media to a folder.
// Both edit or read executable resources, which only Windows (or Wine) can;
// the work itself is in quizbuild.h, this is its command line.
#include <stdio.h>

#include <string>

#include "cli.h"
#include "commands.h"

#ifndef _WIN32

int runBuild(const Args&) {
    return failWith("'build' needs the Windows build of quizmaker (run it under Wine on Linux)");
}

int runUnpack(const Args&) {
    return failWith("'unpack' needs the Windows build of quizmaker (run it under Wine on Linux)");
}

#else

#include <windows.h>

#include "encoding.h"
#include "quizbuild.h"
#include "winsystem.h"

// Splits "IN -o OUT [--player P] [--keep-pictures]" style arguments.
static bool splitArguments(const Args& args, bool forBuild, std::string* input, std::string* output,
                           std::string* player, bool* keepPictures) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "-o" || arg == "--output") && i + 1 < args.size()) *output = args[++i];
        else if (forBuild && arg == "--player" && i + 1 < args.size()) *player = args[++i];
        else if (forBuild && arg == "--keep-pictures") *keepPictures = true;
        else if (!arg.empty() && arg[0] == '-') return false;
        else if (input->empty()) *input = arg;
        else return false;
    }
    return !input->empty() && !output->empty();
}

int runBuild(const Args& args) {
    BuildRequest request;
    if (!splitArguments(args, true, &request.manifestPath, &request.outputPath, &request.playerPath,
                        &request.keepPictures)) {
        fprintf(stderr, "usage: quizmaker build MANIFEST -o QUIZ.exe [--player PLAYER.exe] [--keep-pictures]\n");
        return ExitUsage;
    }
    if (request.playerPath.empty()) request.playerPath = toUtf8(besideThisProgram(L"quizplayer.exe"));
    std::vector<Problem> problems;
    BuildSummary summary;
    Message error;
    bool built = buildQuiz(request, printMediaProgress, &problems, &summary, &error);
    printProblems(request.manifestPath, problems);
    printProblemCount(request.manifestPath, problems);
    if (!built) return error.english.empty() ? ExitFailure : failWith(error.english);
    if (summary.pictures + summary.sounds + summary.videos > 0)
        fprintf(stderr, "quizmaker: %s: %s (the original files would make it %s)\n", request.outputPath.c_str(),
                describeContents(summary.executableBytes, summary.pictures, summary.sounds, summary.videos).c_str(),
                describeSize(summary.withOriginalsBytes).c_str());
    return ExitOk;
}

int runUnpack(const Args& args) {
    std::string quizPath, folder, unused;
    bool ignored = false;
    if (!splitArguments(args, false, &quizPath, &folder, &unused, &ignored)) {
        fprintf(stderr, "usage: quizmaker unpack QUIZ.exe -o DIR\n");
        return ExitUsage;
    }
    std::vector<Message> warnings;
    Message error;
    bool unpacked = unpackQuiz(quizPath, folder, printMediaProgress, &warnings, &error);
    for (const Message& warning : warnings) warn(warning.english);
    return unpacked ? ExitOk : failWith(error.english);
}

#endif
