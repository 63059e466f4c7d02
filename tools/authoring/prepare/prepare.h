#pragma once
// The whole check of a quiz, which build makes before it writes anything
// and the editor after every change: the manifest's keys and texts, each
// media file prepared for the player, and both streams encoded within the
// coder's limits. What check reports is what build stores.
#include <string>
#include <vector>

#include "manifest.h"
#include "mediaprep.h"
#include "messages.h"

// Everything a quiz executable receives from a manifest.
struct PreparedQuiz {
    Bytes content;   // encoded content stream ("PATCH" 104)
    Bytes codes;     // encoded codes stream ("PATCH" 105)
    std::vector<MediaFile> media;
};

struct PrepareOptions {
    bool keepPictures = false;   // store picture files as they are
    ProgressFunction progress;   // may be empty
    MediaMemo* memo = nullptr;   // may be null: every file read and prepared
};

// Loads and checks a manifest completely: its texts, its media files
// (present, readable, sounds and videos of a kind the player plays,
// pictures prepared for their box) and the size of both encoded streams.
// Fills quiz when there is no error.
bool prepareQuiz(const std::string& manifestPath, const PrepareOptions& options, Manifest* manifest,
                 PreparedQuiz* quiz, std::vector<Problem>* problems);
// The same for manifest text held in memory (an editor's), its media paths
// relative to folder.
bool prepareQuizText(const std::string& text, const std::string& folder, const PrepareOptions& options,
                     Manifest* manifest, PreparedQuiz* quiz, std::vector<Problem>* problems);
// The manifest a command asks for: its text when not empty (an editor's),
// else the file at manifestPath.
bool prepareQuizFrom(const std::string& manifestPath, const std::string& text, const std::string& folder,
                     const PrepareOptions& options, Manifest* manifest, PreparedQuiz* quiz,
                     std::vector<Problem>* problems);
