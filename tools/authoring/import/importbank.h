#pragma once
// A question bank as its readers hand it to the importer: the questions,
// their texts still UTF-8 and each with the line it came from, and the
// notes each reader makes; with the helpers the CSV and GIFT readers share.
#include <map>
#include <string>
#include <vector>

#include "manifestkeys.h"

enum ImportNoteKind {
    NoteError,     // nothing may be written
    NoteWarning,   // written, but probably not what the author wants
    NoteSkipped,   // a GIFT question the player cannot ask
    NoteInfo,      // a choice the importer made
};

struct ImportNote {
    int line;   // the source's line (a CSV's row as the spreadsheet numbers it); 0: the whole file
    ImportNoteKind kind;
    std::string message;   // as quizmaker prints it, in English
    std::string french;    // the same for the editor
};

struct SourceText {
    std::string text;   // UTF-8
    int line = 0;
};

// A question's texts by the key they become (Field::Answer...); a key the
// bank does not give is absent.
struct BankQuestion {
    int line = 0;
    std::map<Field, SourceText> texts;
};
// The text of a key, empty when the bank gives none.
const SourceText& bankText(const BankQuestion& question, Field field);

struct Bank {
    std::vector<BankQuestion> questions;
    std::vector<ImportNote> notes;
    int skipped = 0;
};

// The question keys a bank's columns give, in the order of the columns.
std::vector<const ManifestKey*> bankColumns();

void addNote(std::vector<ImportNote>* notes, int line, ImportNoteKind kind, const std::string& message,
             const std::string& french);
// The text without the spaces, tabs and line breaks around it.
std::string trimmed(const std::string& text);
