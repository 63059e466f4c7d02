#pragma once
// Building a quiz executable from a manifest, and unpacking one back into a
// manifest and its media: the work of quizmaker build and unpack, for any
// front end (the command line, an editor with a progress bar). Both edit
// or read executable resources, which only Windows (or Wine) can.
#include <string>
#include <vector>

#include "prepare.h"

struct BuildRequest {
    std::string manifestPath;
    // When not empty, the manifest itself (an editor's, maybe unsaved), its
    // media paths relative to manifestFolder; manifestPath is then not read.
    std::string manifestText;
    std::string manifestFolder;
    std::string outputPath;
    std::string playerPath;      // the player executable the quiz is written into
    bool keepPictures = false;   // store picture files as they are
    MediaMemo* memo = nullptr;   // media prepared by earlier checks (an editor's), or null
};

struct BuildSummary {
    unsigned long long executableBytes = 0;
    unsigned long long withOriginalsBytes = 0;   // what the executable would take with the original files
    int pictures = 0, sounds = 0, videos = 0;
};

// Checks and prepares the manifest (reporting each media file to progress
// as it is made ready), then writes the quiz into a copy of the player and
// moves it to the output path. False with the manifest's problems, or with
// error for a failure of its own; either way no file is left behind.
bool buildQuiz(const BuildRequest& request, const ProgressFunction& progress, std::vector<Problem>* problems,
               BuildSummary* summary, Message* error);

// Writes folder/quiz.json and the stored media of the quiz executable,
// reporting each media file to progress as it is written. Warnings tell of
// parts left out; false with error when the quiz cannot be read or written.
bool unpackQuiz(const std::string& quizPath, const std::string& folder, const ProgressFunction& progress,
                std::vector<Message>* warnings, Message* error);

// The quiz a quiz executable holds, as unpack reads it: *manifest as unpack
// writes it, *stored its streams and media exactly as stored (for a page
// made of a built quiz). False with error when it holds no readable quiz.
bool readQuizProgram(const std::string& quizPath, Manifest* manifest, PreparedQuiz* stored,
                     std::vector<Message>* warnings, Message* error);
