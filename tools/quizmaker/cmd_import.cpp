// quizmaker import: a CSV or GIFT question bank into a quiz manifest.
#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "cli.h"
#include "commands.h"
#include "importer.h"
#include "manifestjson.h"

static const char importUsage[] =
    "usage: quizmaker import FILE [-o QUIZ.json] [--title T] [--style N] [--format N] [--mode N] [--first N]\n";

// A whole number within [low, high], or false.
static bool readNumber(const std::string& text, int low, int high, int* number) {
    char* end = nullptr;
    long value = strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < low || value > high) return false;
    *number = static_cast<int>(value);
    return true;
}

static int usageError(const std::string& message) {
    fprintf(stderr, "quizmaker: error: %s\n%s", message.c_str(), importUsage);
    return ExitUsage;
}

struct NumberOption {
    const char* name;
    int low, high;
    std::string meaning;
    int* value;
    bool seen;
};

// Reads FILE and the options; ExitOk, or ExitUsage once the mistake is told.
static int readArguments(const Args& args, ImportOptions* options, std::string* output) {
    bool outputSeen = false, titleSeen = false;
    NumberOption numbers[] = {
        {"--style", StyleText, StyleVideos, "0 text, 1 pictures, 2 sounds or 3 videos", &options->style, false},
        {"--format", OneAnswer, TwoAnswers, "1 or 2 answers per question", &options->questionFormat, false},
        {"--mode", ModeAnswerPicture, ModeAllRevealsAtEnd, "an answer mode from 1 to 4", &options->answerMode, false},
        {"--first", 1, MaxQuestions, "a number of questions from 1 to " + std::to_string(MaxQuestions),
         &options->first, false},
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            if (!options->sourcePath.empty()) return usageError("more than one FILE: '" + arg + "'");
            options->sourcePath = arg;
            continue;
        }
        if (i + 1 >= args.size()) return usageError(arg + " needs a value");
        const std::string& value = args[++i];
        bool* seen = arg == "-o" ? &outputSeen : arg == "--title" ? &titleSeen : nullptr;
        NumberOption* number = nullptr;
        for (NumberOption& option : numbers)
            if (arg == option.name) number = &option;
        if (number) seen = &number->seen;
        if (!seen) return usageError("unknown option '" + arg + "'");
        if (*seen) return usageError(arg + " is given twice");
        *seen = true;
        if (arg == "-o") *output = value;
        else if (arg == "--title") options->title = value;
        else if (!readNumber(value, number->low, number->high, number->value))
            return usageError(arg + " must be " + number->meaning + ", not '" + value + "'");
    }
    if (options->sourcePath.empty()) return usageError("which FILE?");
    if (output->empty() && outputSeen) return usageError("-o needs a file name");
    if (options->title.empty() && titleSeen) return usageError("--title needs a text");
    return ExitOk;
}

int runImport(const Args& args) {
    ImportOptions options;
    std::string output;
    const int usage = readArguments(args, &options, &output);
    if (usage != ExitOk) return usage;

    // Beside the bank, named after it: importing it again replaces that file.
    std::filesystem::path source = std::filesystem::u8path(options.sourcePath);
    if (output.empty()) output = std::filesystem::path(source).replace_extension(".json").u8string();
    std::error_code error;
    if (std::filesystem::equivalent(source, std::filesystem::u8path(output), error))
        return usageError("the manifest would replace the bank '" + options.sourcePath + "'; name another with -o");
    options.outputPath = output;

    ImportResult result;
    bool fine = importFile(options, &result);
    printImportNotes(options.sourcePath, result.notes);
    std::string counts = "imported " + std::to_string(result.imported) + ", skipped " + std::to_string(result.skipped);
    if (result.leftOut > 0)
        counts += ", left out " + std::to_string(result.leftOut) + " past --first " + std::to_string(options.first);
    if (!fine) {
        unsigned errors = 0;
        for (const ImportNote& note : result.notes) errors += note.kind == NoteError;
        return failWith(options.sourcePath + ": " + counted(errors, "error", "errors") + ", nothing written (" + counts +
                        ")");
    }
    std::string text = manifestToJson(result.manifest);
    std::string writeError;
    if (!writeFileAtomically(output, Bytes(text.begin(), text.end()), &writeError)) return failWith(writeError);
    printText(options.sourcePath + ": " + counts + "; wrote " + output + "\n");
    return ExitOk;
}
