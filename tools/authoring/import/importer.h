#pragma once
// Question banks into a quiz manifest: CSV as spreadsheet programs export it
// (a header row naming the columns) and GIFT as learning platforms export it
// (typed-answer questions kept, every other kind skipped). The importer only
// reads bytes and makes a model; writing it is the caller's business, so the
// command line and the editor share it.
#include <string>
#include <vector>

#include "files.h"
#include "importbank.h"
#include "manifest.h"

enum ImportSyntax {
    SyntaxFromName,   // .csv, .tsv: CSV; .gift: GIFT; otherwise from the text
    SyntaxCsv,
    SyntaxGift,
};

struct ImportOptions {
    std::string sourcePath;   // names the title and the folder the CSV's media paths are relative to
    std::string outputPath;   // the manifest to be written: media paths become relative to its folder
    ImportSyntax syntax = SyntaxFromName;
    std::string title;        // UTF-8; empty: the source's file name without its extension
    int style = -1;           // -1: text, or the kind of the media files a CSV names
    int questionFormat = 0;   // 0: two answers when a second-answer column has any text
    int answerMode = ModeRevealText;
    int first = 0;            // 0: every question; otherwise only the first ones
};

struct ImportResult {
    Manifest manifest;
    std::vector<ImportNote> notes;
    int imported = 0;
    int skipped = 0;    // GIFT questions of other kinds
    int leftOut = 0;    // questions past options.first
    // Answers the rows left empty where the quiz asks for them: each is an
    // error, but the manifest holds every text as the bank has it, so an
    // editor may open it with those errors for the author to mend.
    int emptyAnswers = 0;
};

// True when the only errors are empty answers: the manifest is whole.
bool onlyEmptyAnswersFailed(const ImportResult& result);

// Reads a question bank's bytes into result. False when any note is an error;
// the manifest is then incomplete and must not be written.
bool importQuestions(const Bytes& bytes, const ImportOptions& options, ImportResult* result);
// Reads options.sourcePath, then importQuestions.
bool importFile(const ImportOptions& options, ImportResult* result);

bool importFailed(const ImportResult& result);
