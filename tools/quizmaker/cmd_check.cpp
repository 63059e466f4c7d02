// quizmaker check: validates a manifest and its media without writing.
// quizmaker try: shows the verdicts the player gives likely misspellings.
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>

#include <string>

#include "cli.h"
#include "commands.h"
#include "encoding.h"
#include "manifestjson.h"
#include "play/compare.h"
#include "prepare.h"
#include "variants.h"

// One line a media file: what it is and what build stores of it.
static std::string describeStored(const MediaFile& file) {
    std::string line = file.where + ": '" + file.path + "' ";
    if (file.kind != PictureMedium) return line + file.what + ", " + describeSize(file.originalSize) + ", stored as it is";
    const PreparedPicture& picture = file.picture;
    line += std::string(picture.format) + " " + std::to_string(picture.width) + " x " + std::to_string(picture.height) +
            ", " + describeSize(file.originalSize);
    if (picture.storedAsItIs) return line + ", stored as it is";
    line += " -> " + std::to_string(picture.storedWidth) + " x " + std::to_string(picture.storedHeight) + ", " +
            describeSize(file.bytes.size());
    if (picture.orientation != 1) line += ", " + describeOrientation(picture.orientation).english;
    return line;
}

int runCheck(const Args& args) {
    PrepareOptions options;
    std::string manifestPath;
    bool usage = false;
    for (const std::string& arg : args) {
        if (arg == "--keep-pictures") options.keepPictures = true;
        else if (manifestPath.empty() && !arg.empty() && arg[0] != '-') manifestPath = arg;
        else usage = true;
    }
    if (usage || manifestPath.empty()) {
        fprintf(stderr, "usage: quizmaker check MANIFEST [--keep-pictures]\n");
        return ExitUsage;
    }
    Manifest manifest;
    PreparedQuiz quiz;
    std::vector<Problem> problems;
    bool fine = prepareQuiz(manifestPath, options, &manifest, &quiz, &problems);
    printProblems(manifestPath, problems);
    printProblemCount(manifestPath, problems);
    if (!fine) return ExitFailure;
    std::string report;
    unsigned long long original = 0, stored = 0;
    for (const MediaFile& file : quiz.media) {
        report += manifestPath + ": " + describeStored(file) + "\n";
        original += file.originalSize;
        stored += file.bytes.size();
    }
    size_t questions = manifest.questions.size(), files = quiz.media.size();
    report += manifestPath + ": ready to build, " + counted(questions, "question", "questions") + ", " +
              counted(files, "media file", "media files");
    if (files > 0) report += " (" + describeSize(stored) + " stored of " + describeSize(original) + ")";
    printText(report + "\n");
    return ExitOk;
}

// Width of UTF-8 text in characters, for lining up the table.
static size_t displayWidth(const std::string& utf8) {
    size_t width = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++width;
    return width;
}

static std::string padded(const std::string& utf8, size_t width) {
    size_t have = displayWidth(utf8);
    return utf8 + std::string(have < width ? width - have : 0, ' ');
}

static void printVariants(const std::string& heading, const std::string& answer) {
    std::string out = heading + ": " + cp1252ToUtf8(answer) + "\n";
    std::vector<AnswerVariant> variants = likelyAnswers(answer);
    if (variants.empty()) {
        printText(out + "  (no answer)\n\n");
        return;
    }
    size_t labelWidth = 0, typedWidth = 0;
    for (const AnswerVariant& variant : variants) {
        labelWidth = std::max(labelWidth, displayWidth(variant.label));
        typedWidth = std::max(typedWidth, displayWidth(cp1252ToUtf8(variant.typed)) + 2);
    }
    for (const AnswerVariant& variant : variants) {
        const char* verdict = chooseVerdict(variant.typed.c_str(), answer.c_str());
        out += "  " + padded(variant.label, labelWidth) + "  " +
               padded("\"" + cp1252ToUtf8(variant.typed) + "\"", typedWidth) + "  " + cp1252ToUtf8(verdict) + "\n";
    }
    printText(out + "\n");
}

int runTry(const Args& args) {
    if (args.empty() || args.size() > 2) {
        fprintf(stderr, "usage: quizmaker try MANIFEST [QUESTION]\n");
        return ExitUsage;
    }
    Manifest manifest;
    std::vector<Problem> problems;
    bool fine = loadManifestFile(args[0], &manifest, &problems);
    printProblems(args[0], problems);
    if (!fine) return ExitFailure;
    int count = static_cast<int>(manifest.questions.size());
    int first = 1, last = count;
    if (args.size() == 2) {
        char* end = nullptr;
        long number = strtol(args[1].c_str(), &end, 10);
        if (args[1].empty() || *end != '\0' || number < 1 || number > count)
            return failWith("QUESTION must be a number from 1 to " + std::to_string(count) + ", not '" + args[1] + "'");
        first = last = static_cast<int>(number);
    }
    for (int number = first; number <= last; ++number) {
        const ManifestQuestion& question = manifest.questions[static_cast<size_t>(number - 1)];
        std::string heading = "Question " + std::to_string(number);
        if (manifest.questionFormat == 2) {
            printVariants(heading + ", first answer", question.answer);
            printVariants(heading + ", second answer", question.secondAnswer);
        } else {
            printVariants(heading, question.answer);
        }
    }
    return ExitOk;
}
