#pragma once
// The quiz an author edits, with no window involved: the manifest as the
// author wrote it (a JSON document of UTF-8 texts, so a text the player
// cannot store stays as typed, with its problem beside it), the file it
// came from, the selected question, whether it is saved, the history of
// changes to undo and redo, what the try pane holds, and the problems
// quizmaker's check finds in it. The editor's windows show this model and
// forward every change to it.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "manifestkeys.h"
#include "play/compare.h"
#include "prepare.h"

typedef nlohmann::ordered_json ManifestDocument;

// The state an undo or a redo brings back.
struct EditSnapshot {
    ManifestDocument document;
    int selected = -1;
    unsigned long version = 0;
};

// What a change did, so that the menu can name what an undo takes back.
enum class ChangeKind { Text, Setting, AddQuestion, DeleteQuestion, MoveQuestion, GatherMedia };

// One change in the history: the state on its other side (before it on the
// undo list, after it on the redo list) and what it was.
struct EditStep {
    EditSnapshot state;
    ChangeKind kind = ChangeKind::Text;
    Field field = Field::None;   // Text and Setting: the field changed
    int question = -1;           // the question it concerns (from 0), -1 for the quiz's own fields
};

// Changes kept to undo; the oldest goes beyond this.
enum { UndoLimit = 200 };

struct EditorModel {
    ManifestDocument document;     // every key in the manifest's own order
    std::string path;              // the manifest file (UTF-8); empty until saved once
    std::string folder;            // what media paths are relative to
    std::string suggestedName;     // offered by the first save ("capitales.json")
    int selected = -1;             // the selected question, -1 for none

    // Each state of the document has a version; saved is the version on disk.
    unsigned long version = 1;
    unsigned long savedVersion = 1;
    unsigned long lastVersion = 1;

    std::vector<EditStep> undoSteps;   // the last change at the back
    std::vector<EditStep> redoSteps;   // the last change undone at the back
    bool typing = false;               // the last change was typed, and the next keystroke there continues it

    // The try pane: what was typed, for the question selected then. Each
    // question and each quiz starts with an empty try field.
    std::string tryText;
    int tryQuestion = -1;

    // Derived from the document after every change.
    Manifest manifest;               // valid where the problems show no error
    std::vector<Problem> problems;   // exactly what quizmaker check reports
    MediaMemo media;                 // media files prepared by the checks, while unchanged
};

// A new, empty quiz of one empty question (text style, one answer, reveal
// texts, white), saved nowhere and not changed.
void startNewQuiz(EditorModel* model);
// Opens manifest text read from path. Whatever the text holds is kept,
// keys check refuses included; false (model unchanged) only when it is no
// JSON object, with error saying why in French, as every error the model
// gives.
bool openManifestText(EditorModel* model, const std::string& text, const std::string& path, std::string* error);
bool openManifestFile(EditorModel* model, const std::string& path, std::string* error);
// A manifest made elsewhere (an import): unsaved, its media paths relative
// to folder, offered to be saved as suggestedName.
void adoptManifest(EditorModel* model, const Manifest& manifest, const std::string& folder,
                   const std::string& suggestedName);

// What saving writes: the document as UTF-8 JSON, ending with a line break.
std::string manifestText(const EditorModel& model);
// Writes the manifest to path, media paths made relative to its folder
// (the model keeps them so); false with error when it cannot be written,
// and the model is then unchanged.
bool saveManifest(EditorModel* model, const std::string& path, std::string* error);

// The name the first save offers: the quiz's title as a file name
// ("Les capitales d'Europe.json"), else suggestedName. A saved quiz offers
// its own file's name.
std::string nameToSuggest(const EditorModel& model);

// What the editor exports for browsers, in the order its save dialog offers
// their file types: a page (.html), a SCORM package (.zip).
enum class ExportKind { Page, ScormPackage };
struct ExportTarget {
    std::string path;   // UTF-8
    ExportKind kind;
};
// The file an export writes and what it holds, from the path the save
// dialog gives and the place of the file type shown in it: a name ending in
// .html or .htm is a page and one ending in .zip a package, whatever the
// type; any other name is of that type, its extension added.
ExportTarget exportTargetFor(const std::string& chosenPath, int chosenType);

// The folder beside a manifest that gathered media go to.
extern const char GatheredMediaFolder[];   // "media"
// Copies every media file the questions name that lies outside folder into
// folder/media (see gatherFiles: nothing overwritten, a file of the same
// bytes used as it is) and points the questions at the copies, as one
// change to undo; media paths stay relative to the model's folder until
// the manifest is saved. False with error (French) when a file cannot be
// copied; the copies made are then named in the document all the same.
bool gatherMedia(EditorModel* model, const std::string& folder, GatherResult* result, std::string* error);

bool isDirty(const EditorModel& model);
int questionCount(const EditorModel& model);

// A text as the author typed it: a field of the quiz, or of question
// (default: the selected one). Numbers show as digits; every code a line.
std::string textOf(const EditorModel& model, Field field, int question = -1);
// Sets a text of the quiz or of the selected question. False when nothing
// changed (same text, or a question field with no question selected).
bool setText(EditorModel* model, Field field, const std::string& utf8);
// Style, QuestionFormat or AnswerMode; -1 when the manifest holds no valid
// number there.
int settingOf(const EditorModel& model, Field field);
bool setSetting(EditorModel* model, Field field, int value);
// The same as the place of the setting's value among its choices (the
// editor's list): -1 when no choice offers the value the manifest holds.
int choiceIndexOf(const EditorModel& model, Field field);
// Sets the value of the choice at index; false when there is no such
// choice or nothing changed.
bool setChoiceIndex(EditorModel* model, Field field, int index);
// The background colour as 0xRRGGBB, -1 when backColour is not "#RRGGBB".
long colourOf(const EditorModel& model);
bool setColour(EditorModel* model, unsigned long rgb);

bool selectQuestion(EditorModel* model, int question);
// A new empty question after the selected one (at the end when none is),
// selected. False at the player's limit of questions.
bool addQuestion(EditorModel* model);
// Deletes the selected question; its neighbour is selected.
bool deleteQuestion(EditorModel* model);
// Moves the selected question one place up (-1) or down (+1), still selected.
bool moveQuestion(EditorModel* model, int step);
// Takes back the last change, then the one before, and so on; redo puts
// back what undo took, until a new change is made.
bool undoLastChange(EditorModel* model);
bool redoLastChange(EditorModel* model);
bool canUndo(const EditorModel& model);
bool canRedo(const EditorModel& model);
// What the next undo or redo takes back, in the menu's words ("la suppression
// de la question 4"); "" when there is none.
std::string nextUndoName(const EditorModel& model);
std::string nextRedoName(const EditorModel& model);

// The try pane's text for the selected question: "" until something is typed
// for it.
std::string tryTextOf(const EditorModel& model);
void setTryText(EditorModel* model, const std::string& utf8);

// A media path as the manifest should hold it: relative to the model's
// folder when it has one, with '/' between folders.
std::string mediaPathFor(const EditorModel& model, const std::string& chosenPath);
// The file a media field of a question names, or "" when it names none.
std::string mediaFileOf(const EditorModel& model, Field field, int question = -1);

// The problems by kind, and the first error's place in the list (-1 when
// none). A quiz with an error cannot be built.
struct ProblemCounts {
    int errors;
    int warnings;
    int firstError;
};
ProblemCounts countProblems(const EditorModel& model);
bool readyToBuild(const EditorModel& model);

// Where a problem's JSON path points.
struct ProblemPlace {
    Field field;
    int question;   // -1 outside the questions
    int code;       // codes[i]; -1 otherwise
};
ProblemPlace placeOf(const std::string& where);

// The player's verdict for a typed answer against the selected question's
// first (which 0) or second answer (1), as the player's verdict label shows
// it: its text and its colour.
struct Attempt {
    bool judged;           // false: no question, or a stored answer check refuses
    std::string verdict;   // UTF-8
    long colour;           // 0x00BBGGRR, or DefaultVerdictColour
};
Attempt tryAnswer(const EditorModel& model, int which, const std::string& typedUtf8);

// The answers players are likely to type instead, with their verdicts.
struct TypoRow {
    std::string what;      // in French: "sans accents"
    std::string typed;     // UTF-8
    std::string verdict;
};
std::vector<TypoRow> likelyTypos(const EditorModel& model, int which);
