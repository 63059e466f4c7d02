// quizmaker web: a quiz as one page for browsers, or with --scorm as a
// package for learning platforms; from a manifest, prepared as build
// prepares it, or (on Windows, where unpack runs) from a quiz program.
#include <stdio.h>

#include <algorithm>
#include <string>

#include "cli.h"
#include "commands.h"
#include "webexport.h"

#ifdef _WIN32
#include "quizbuild.h"
#endif

namespace {

struct WebArguments {
    std::string input, output;
    bool scorm = false, keepPictures = false;
};

bool splitWebArguments(const Args& args, WebArguments* out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "-o" || arg == "--output") && i + 1 < args.size()) out->output = args[++i];
        else if (arg == "--scorm") out->scorm = true;
        else if (arg == "--keep-pictures") out->keepPictures = true;
        else if (!arg.empty() && arg[0] == '-') return false;
        else if (out->input.empty()) out->input = arg;
        else return false;
    }
    return !out->input.empty();
}

bool isQuizProgram(const std::string& path) {
    std::string name = path.size() >= 4 ? path.substr(path.size() - 4) : "";
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
    return name == ".exe";
}

int reportWritten(const std::string& output, const WebExportSummary& summary) {
    fprintf(stderr, "quizmaker: %s: %s\n", output.c_str(),
            describeContents(summary.outputBytes, summary.pictures, summary.sounds, summary.videos).c_str());
    return ExitOk;
}

int exportProgram(const WebArguments& arguments) {
#ifdef _WIN32
    Manifest manifest;
    PreparedQuiz stored;
    std::vector<Message> warnings;
    Message error;
    const bool read = readQuizProgram(arguments.input, &manifest, &stored, &warnings, &error);
    for (const Message& warning : warnings) warn(warning.english);
    WebExportSummary summary;
    if (!read || !exportStoredQuiz(manifest, stored, arguments.output, arguments.scorm, {arguments.input}, &summary,
                                   &error))
        return failWith(error.english);
    return reportWritten(arguments.output, summary);
#else
    (void)arguments;
    return failWith("'web' of a quiz program needs the Windows build of quizmaker (run it under Wine on Linux)");
#endif
}

}  // namespace

int runWeb(const Args& args) {
    WebArguments arguments;
    if (!splitWebArguments(args, &arguments)) {
        fprintf(stderr, "usage: quizmaker web QUIZ.json [-o QUIZ.html] [--scorm] [--keep-pictures]\n");
        return ExitUsage;
    }
    if (arguments.output.empty()) arguments.output = webOutputPath(arguments.input, arguments.scorm);
    if (isQuizProgram(arguments.input)) return exportProgram(arguments);
    WebExportRequest request;
    request.manifestPath = arguments.input;
    request.outputPath = arguments.output;
    request.scorm = arguments.scorm;
    request.keepPictures = arguments.keepPictures;
    std::vector<Problem> problems;
    WebExportSummary summary;
    Message error;
    const bool written = exportWebQuiz(request, printMediaProgress, &problems, &summary, &error);
    printProblems(request.manifestPath, problems);
    if (!written) return error.english.empty() ? ExitFailure : failWith(error.english);
    return reportWritten(request.outputPath, summary);
}
