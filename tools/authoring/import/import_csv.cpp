// CSV as spreadsheet programs write it: a header row naming the columns,
// ";", "," or tab between fields, quoted fields with doubled quotes and line
// breaks inside them. Rows are numbered as the spreadsheet shows them, so
// every record counts, empty or not, and a quoted line break does not.
#include "import_csv.h"

#include <string>
#include <vector>

#include "encoding.h"

namespace {

struct Record {
    int row;
    std::vector<std::string> fields;
};

// Small letters without accents or spaces. Letters outside Windows-1252
// stay as they are and match no column.
std::string folded(const std::string& utf8) {
    std::string bytes;
    if (!utf8ToCp1252(utf8, &bytes)) return utf8;
    std::string out;
    for (unsigned char c : bytes) {
        if (c == ' ' || c == 0xA0 || c == '\t') continue;
        if (c >= 0xC0) {
            // '*' for the few letters without a plain form.
            const char plain = plainLetterCp1252(c);
            out.push_back(!plain ? '*' : plain >= 'A' && plain <= 'Z' ? static_cast<char>(plain + 32) : plain);
        } else {
            out.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c));
        }
    }
    return out;
}

// A column goes by its aliases, then by its key's own name.
std::vector<const char*> namesOf(const ManifestKey& key) {
    std::vector<const char*> names;
    for (const char* alias : key.aliases)
        if (alias) names.push_back(alias);
    names.push_back(key.name);
    return names;
}

Field columnFor(const std::string& heading) {
    const std::string wanted = folded(heading);
    for (const ManifestKey* key : bankColumns())
        for (const char* name : namesOf(*key))
            if (folded(name) == wanted) return key->field;
    return Field::None;
}

std::string knownColumns() {
    std::string list;
    for (const ManifestKey* key : bankColumns())
        for (const char* name : namesOf(*key)) list += std::string(list.empty() ? "" : ", ") + name;
    return list;
}

// The delimiter of the header (the first line that holds anything): ";" (a
// French-locale export), tab or ",", in that order, outside quoted text.
// Column names hold none of them.
char findDelimiter(const std::string& text) {
    bool quoted = false, content = false, tab = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if ((c == '\r' || c == '\n') && content) break;
        if (c == ';') return ';';
        tab = tab || c == '\t';
        content = content || (c != ' ' && c != '\r' && c != '\n');
    }
    return tab ? '\t' : ',';
}

// Splits the text into records. A quoted field keeps its line breaks, as
// "\n" whatever the file used. False, with an error, when a quote is never
// closed.
bool splitRecords(const std::string& text, char delimiter, std::vector<Record>* records,
                  std::vector<ImportNote>* notes) {
    Record record{1, {}};
    std::string field;
    bool quoted = false, started = false;
    int quoteRow = 0;
    size_t i = 0;
    auto endRecord = [&]() {
        record.fields.push_back(field);
        records->push_back(record);
        record = Record{record.row + 1, {}};
        field.clear();
        started = false;
    };
    for (; i < text.size(); ++i) {
        char c = text[i];
        bool crlf = c == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field.push_back(crlf || c == '\r' ? '\n' : c);
                i += crlf;
            }
        } else if (c == '"' && field.empty()) {
            quoted = started = true;
            quoteRow = record.row;
        } else if (c == delimiter) {
            record.fields.push_back(field);
            field.clear();
            started = true;
        } else if (c == '\r' || c == '\n') {
            endRecord();
            i += crlf;
        } else {
            field.push_back(c);
            started = true;
        }
    }
    if (quoted) {
        addNote(notes, quoteRow, NoteError, "a quoted field opened in this row is never closed",
                u8"un champ ouvert par un guillemet dans cette ligne n'est jamais fermé");
        return false;
    }
    if (started || !field.empty()) endRecord();
    return true;
}

bool isBlank(const Record& record) {
    for (const std::string& field : record.fields)
        if (!trimmed(field).empty()) return false;
    return true;
}

}  // namespace

bool looksLikeCsv(const std::string& utf8) {
    size_t start = 0;
    while (start < utf8.size()) {
        size_t end = utf8.find_first_of("\r\n", start);
        std::string line = utf8.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!trimmed(line).empty()) {
            std::vector<Record> records;
            std::vector<ImportNote> ignored;
            if (!splitRecords(line, findDelimiter(line), &records, &ignored)) return false;
            for (const std::string& heading : records[0].fields)
                if (!trimmed(heading).empty() && columnFor(trimmed(heading)) == Field::None) return false;
            return true;
        }
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return false;
}

namespace {

// Each column's key from the header's headings (None for a column without a
// name); false, with an error for each, when a heading names no key, two
// name the same key or none names the answer.
bool readHeader(const Record& header, std::vector<Field>* columns, std::vector<ImportNote>* notes) {
    const std::vector<std::string>& headings = header.fields;
    bool answerColumn = false, fine = true;
    for (const std::string& raw : headings) {
        std::string heading = trimmed(raw);
        const Field text = heading.empty() ? Field::None : columnFor(heading);
        if (!heading.empty() && text == Field::None) {
            addNote(notes, header.row, NoteError,
                    "unknown column '" + heading + "': the first row names the columns, among " + knownColumns(),
                    u8"colonne inconnue « " + heading + u8" » : la première ligne nomme les colonnes, parmi " +
                        knownColumns());
            fine = false;
        }
        for (size_t k = 0; text != Field::None && k < columns->size(); ++k) {
            if ((*columns)[k] == text) {
                addNote(notes, header.row, NoteError,
                        "the columns '" + trimmed(headings[k]) + "' and '" + heading + "' give the same text",
                        u8"les colonnes « " + trimmed(headings[k]) + u8" » et « " + heading +
                            u8" » donnent le même texte");
                fine = false;
            }
        }
        answerColumn = answerColumn || text == Field::Answer;
        columns->push_back(text);
    }
    if (!answerColumn && fine) {
        addNote(notes, header.row, NoteError,
                "no answer column: the first row names the columns, among " + knownColumns(),
                u8"aucune colonne de réponse : la première ligne nomme les colonnes, parmi " + knownColumns());
        fine = false;
    }
    return fine;
}

// One row's question; a row of empty fields gives none.
void readRow(const Record& record, const std::vector<Field>& columns, Bank* bank) {
    BankQuestion question;
    question.line = record.row;
    bool any = false, lost = false;
    for (size_t k = 0; k < record.fields.size(); ++k) {
        std::string text = trimmed(record.fields[k]);
        if (text.empty()) continue;
        if (k >= columns.size() || columns[k] == Field::None) {
            lost = true;
            continue;
        }
        question.texts[columns[k]] = SourceText{text, record.row};
        any = true;
    }
    if (lost)
        addNote(&bank->notes, record.row, NoteWarning, "text in a column without a name is not imported",
                u8"le texte d'une colonne sans nom n'est pas importé");
    if (any) bank->questions.push_back(question);
}

}  // namespace

void readCsv(const std::string& utf8, Bank* bank) {
    std::vector<Record> records;
    if (!splitRecords(utf8, findDelimiter(utf8), &records, &bank->notes)) return;
    // The header is the first row that holds anything.
    size_t header = 0;
    while (header < records.size() && isBlank(records[header])) ++header;
    if (header == records.size()) return;
    std::vector<Field> columns;
    if (!readHeader(records[header], &columns, &bank->notes)) return;
    for (size_t r = header + 1; r < records.size(); ++r) readRow(records[r], columns, bank);
}
