#include "importbank.h"

#include <algorithm>

const SourceText& bankText(const BankQuestion& question, Field field) {
    static const SourceText none;
    const auto found = question.texts.find(field);
    return found == question.texts.end() ? none : found->second;
}

void addNote(std::vector<ImportNote>* notes, int line, ImportNoteKind kind, const std::string& message,
             const std::string& french) {
    notes->push_back(ImportNote{line, kind, message, french});
}

std::string trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::vector<const ManifestKey*> bankColumns() {
    std::vector<const ManifestKey*> columns;
    for (const ManifestKey& key : manifestKeys)
        if (key.bankColumn > 0) columns.push_back(&key);
    std::sort(columns.begin(), columns.end(),
              [](const ManifestKey* a, const ManifestKey* b) { return a->bankColumn < b->bankColumn; });
    return columns;
}
