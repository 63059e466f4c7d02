#pragma once
// Inside the importer: the CSV and GIFT readers hand over questions whose
// texts are still UTF-8, each with the line it came from; the importer then
// checks and converts them as the manifest's texts are.
#include <string>
#include <vector>

#include "importer.h"

struct SourceText {
    std::string text;   // UTF-8
    int line = 0;
};

struct BankQuestion {
    int line = 0;
    SourceText caption, answer, secondAnswer, reveal, media, answerPicture;
};

// The manifest key of each text of a question, and the editor's name for it.
struct QuestionKey {
    const char* name;
    const char* french;
    SourceText BankQuestion::*text;
};
extern const QuestionKey questionKeys[6];

struct Bank {
    std::vector<BankQuestion> questions;
    std::vector<ImportNote> notes;
    int skipped = 0;
};

void readCsv(const std::string& utf8, Bank* bank);
void readGift(const std::string& utf8, Bank* bank);
// True when the first line that holds anything is a CSV header naming only
// known columns.
bool looksLikeCsv(const std::string& utf8);

void addNote(std::vector<ImportNote>* notes, int line, ImportNoteKind kind, const std::string& message,
             const std::string& french);
// The text without the spaces, tabs and line breaks around it.
std::string trimmed(const std::string& text);
