#pragma once
// The quiz manifest: a UTF-8 JSON file that names the quiz's texts, settings
// and media. Loading it gives a model whose texts are already Windows-1252;
// composing turns the model into the plain bytes of the player's content and
// codes resources. Every problem found is collected with the JSON path of its
// key, so an author sees all of them at once.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli.h"
#include "picture.h"

#include "content/codec.h"
#include "content/quiz.h"
#include "format/format.h"
#include "format/text.h"

enum {
    ManifestMaxStream = CoderMaxSource,  // the coder's limit, plain and encoded
};

struct ManifestQuestion {
    std::string answer;          // Windows-1252 from here on
    std::string secondAnswer;
    std::string caption;
    std::string reveal;
    std::string media;           // path as written in the manifest (UTF-8), or empty
    std::string answerPicture;   // likewise
};

struct Manifest {
    std::string title;
    std::string creator;
    std::string explanation;
    std::string firstRowCaption;
    std::string secondRowCaption;
    int style = StyleText;
    int questionFormat = 1;
    int answerMode = 2;
    unsigned char red = 0xFF, green = 0xFF, blue = 0xFF;
    std::vector<ManifestQuestion> questions;
    std::vector<std::string> codes;   // Windows-1252, at most one per question
};

struct Problem {
    bool error;           // false: a warning
    std::string where;    // JSON path of the key, empty for the whole file
    std::string message;  // as quizmaker prints it, in English
    std::string french;   // the same for the editor's problems list
};

enum MediumKind { PictureMedium, SoundMedium, VideoMedium };

// One file to store as an "IMG" resource.
struct MediaFile {
    int resource = 0;
    std::string where;      // JSON path of the key that names it
    std::string path;       // as written in the manifest
    MediumKind kind = PictureMedium;
    std::string what;       // what the file is: "a PNG picture", "an MP3 sound"
    size_t originalSize = 0;
    PreparedPicture picture;   // pictures only
    Bytes bytes;            // what is stored
};

// Media files bigger than this make a quiz too big to send by mail.
enum { LargeMediumBytes = 20 * 1024 * 1024 };

// Everything a quiz executable receives from a manifest.
struct PreparedQuiz {
    Bytes content;   // encoded content stream ("PATCH" 104)
    Bytes codes;     // encoded codes stream ("PATCH" 105)
    std::vector<MediaFile> media;
};

bool hasErrors(const std::vector<Problem>& problems);
// Prints "MANIFEST: where: error: message" (or "warning:") lines to stderr.
void printProblems(const std::string& manifestPath, const std::vector<Problem>& problems);

// What a text is for: answers get warnings about typing, codes may not
// break lines.
enum TextKind { PlainText, AnswerText, CodeText };

// Checks one text (valid UTF-8) as the manifest's texts are checked: it must
// fit Windows-1252, hold no "|" and no zero, and come to at most 259 bytes.
// Adds an error or warning at where for each problem, and gives the
// Windows-1252 bytes when there is no error (otherwise an empty text).
bool checkText(const std::string& utf8, TextKind kind, const std::string& where, std::string* cp1252,
               std::vector<Problem>* problems);

// The rules of one question's keys that depend on the quiz's settings, for a
// question whose texts are checked: a second answer outside questionFormat 2
// and a reveal text no answerMode shows are dropped with a warning, media in
// a text quiz are an error, an answer picture the mode does not show is a
// warning. Problems are named prefix + key ("questions[3]." + "media").
void settleQuestion(const Manifest& manifest, const std::string& prefix, ManifestQuestion* question,
                    std::vector<Problem>* problems);
// One warning (at "questions") when reveal texts or answer pictures would be
// stored in a quiz that never shows them.
void warnAboutHiddenReveals(const Manifest& manifest, std::vector<Problem>* problems);

// The manifest as UTF-8 JSON text: every key, in the order of the README's
// example, pretty-printed and ending with a line break.
std::string manifestToJson(const Manifest& manifest);

// Parses manifest text and checks everything that needs no file: types,
// ranges, texts (Windows-1252, no "|", at most 259 bytes) and counts, with
// warnings for answers that players are unlikely to type as stored.
void loadManifestText(const std::string& json, Manifest* manifest, std::vector<Problem>* problems);
// Reads the manifest file, then loadManifestText.
bool loadManifestFile(const std::string& path, Manifest* manifest, std::vector<Problem>* problems);

// The quiz record the manifest makes (texts cut to their fields, at most
// MaxQuestions code lines).
void quizFromManifest(const Manifest& manifest, Quiz* quiz);
// The plain bytes the player's loader parses.
Bytes composeContent(const Manifest& manifest);
Bytes composeCodes(const Manifest& manifest);

// The folder that media paths are relative to, and one media path resolved.
std::string manifestFolder(const std::string& manifestPath);
std::string resolveMediaPath(const std::string& folder, const std::string& path);

// One media file handled, number from 1 to count, for a progress display.
struct MediaProgress {
    int number;
    int count;
    std::string path;
    bool ready;   // false: refused, its problem is in the list
    unsigned long long originalBytes;
    unsigned long long storedBytes;
};
typedef std::function<void(const MediaProgress&)> ProgressFunction;

// Media files as an earlier check prepared them, for a caller that checks
// the same manifest again and again (an editor, after each change): a file
// is read and prepared again only when its size or modification time, its
// path or the settings its preparation depends on have changed. Entries for
// files a check no longer names are dropped by that check.
struct MediaMemo {
    struct Entry {
        bool known = false, used = false, ready = false;
        unsigned long long size = 0;
        long long modified = 0;
        MediaFile file;                  // as prepared; where and resource are set on each use
        std::vector<Problem> problems;   // likewise without their where
    };
    std::map<std::string, Entry> entries;
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

// Sizes for people: "812 bytes", "18.4 KB", "3.2 MB"; in French "812 octets",
// "18,4 Ko", "3,2 Mo".
std::string describeSize(unsigned long long bytes);
std::string describeSizeInFrench(unsigned long long bytes);

// What a failure of the content coder means, in both languages.
Message describeCoderFailure(CoderResult result);
