#include "importer.h"

#include <stdio.h>

#include <algorithm>
#include <climits>
#include <filesystem>

#include "importparse.h"

const QuestionKey questionKeys[6] = {
    {"caption", u8"libellé", &BankQuestion::caption},
    {"answer", u8"réponse", &BankQuestion::answer},
    {"secondAnswer", u8"deuxième réponse", &BankQuestion::secondAnswer},
    {"reveal", u8"révélation", &BankQuestion::reveal},
    {"media", u8"média", &BankQuestion::media},
    {"answerPicture", u8"image de la réponse", &BankQuestion::answerPicture},
};

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

// ---------------------------------------------------------------------------
// Source text: UTF-8 with or without a byte-order mark, UTF-16 with one (a
// spreadsheet's "Unicode text"), and anything else as Windows-1252.

// Shortest forms only, no surrogates, nothing past U+10FFFF.
static bool isUtf8(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80 ? 0
                    : (lead & 0xE0) == 0xC0 ? 1
                    : (lead & 0xF0) == 0xE0 ? 2
                    : (lead & 0xF8) == 0xF0 ? 3
                    : -1;
        if (extra < 0 || i + extra >= text.size()) return false;
        unsigned long cp = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        static const unsigned long smallest[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < smallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += 1 + extra;
    }
    return true;
}

static std::string utf16ToUtf8(const Bytes& bytes, bool bigEndian) {
    std::string out;
    size_t count = (bytes.size() - 2) / 2;
    auto unit = [&](size_t k) -> unsigned long {
        unsigned char a = bytes[2 + 2 * k], b = bytes[3 + 2 * k];
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    for (size_t k = 0; k < count; ++k) {
        unsigned long cp = unit(k);
        if (cp >= 0xD800 && cp <= 0xDBFF && k + 1 < count && unit(k + 1) >= 0xDC00 && unit(k + 1) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
            ++k;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;  // a lone half of a pair
        }
        appendUtf8(&out, cp);
    }
    return out;
}

static std::string sourceToUtf8(const Bytes& bytes) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return utf16ToUtf8(bytes, false);
    if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return utf16ToUtf8(bytes, true);
    std::string text(bytes.begin(), bytes.end());
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    return isUtf8(text) ? text : cp1252ToUtf8(text);
}

// ---------------------------------------------------------------------------
// From the bank to the manifest

// A file name's extension in small letters, with its dot.
static std::string extensionOf(const std::string& path) {
    std::string extension = std::filesystem::u8path(path).extension().u8string();
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return extension;
}

// The kind of quiz a media file's name belongs to, or -1.
static int styleOfMedium(const std::string& path) {
    std::string extension = extensionOf(path);
    if (extension == ".jpg" || extension == ".jpeg") return StylePictures;
    if (extension == ".mp3") return StyleSounds;
    if (extension == ".avi") return StyleVideos;
    return -1;
}

// The style's name, and in French as the editor's Style list names it.
static const char* styleName(int style, bool french = false) {
    static const char* const names[][2] = {
        {"text", u8"texte"}, {"pictures", u8"images"}, {"sounds", u8"sons"}, {"videos", u8"vidéos"}};
    return names[style][french ? 1 : 0];
}

// The style the media files call for; -1 when they do not agree or a name
// tells nothing, each case with an error.
static int styleFromMedia(const std::vector<BankQuestion>& questions, std::vector<ImportNote>* notes) {
    int firstLine[StyleVideos + 1] = {0, 0, 0, 0};
    bool known = true;
    for (const BankQuestion& question : questions) {
        if (question.media.text.empty()) continue;
        int style = styleOfMedium(question.media.text);
        if (style < 0) {
            addNote(notes, question.media.line, NoteError,
                    "media: cannot tell from the name '" + question.media.text +
                        "' whether it is a picture (.jpg), a sound (.mp3) or a video (.avi); give --style",
                    u8"média : le nom « " + question.media.text +
                        u8" » ne dit pas s'il s'agit d'une image (.jpg), d'un son (.mp3) ou d'une vidéo (.avi)");
            known = false;
        } else if (firstLine[style] == 0) {
            firstLine[style] = question.media.line;
        }
    }
    int found = -1;
    std::string kinds, french;
    for (int style = StylePictures; style <= StyleVideos; ++style) {
        if (firstLine[style] == 0) continue;
        const std::string line = std::to_string(firstLine[style]);
        kinds += std::string(kinds.empty() ? "" : " and ") + styleName(style) + " (row " + line + ")";
        french += std::string(french.empty() ? "" : " et ") + styleName(style, true) + u8" (ligne " + line + ")";
        found = found < 0 ? style : INT_MAX;
    }
    if (found == INT_MAX) {
        addNote(notes, 0, NoteError, "the media files mix " + kinds + ", but a quiz shows one kind; give --style",
                u8"les médias mêlent " + french + u8", mais un quiz n'en montre qu'une sorte");
        return -1;
    }
    if (!known) return -1;
    if (found > 0)
        addNote(notes, 0, NoteInfo,
                "style " + std::to_string(found) + " (" + styleName(found) +
                    ") chosen from the media files; --style chooses another",
                u8"style « " + std::string(styleName(found, true)) +
                    u8" » choisi d'après les médias ; la liste Style en choisit un autre");
    return found < 0 ? StyleText : found;
}

// A media path of the bank, relative to the bank's folder, made relative to
// the manifest's folder. Backslashes count as separators, as on Windows.
static std::string relocatedPath(std::string path, const ImportOptions& options) {
    std::replace(path.begin(), path.end(), '\\', '/');
    std::filesystem::path given = std::filesystem::u8path(path);
    if (given.has_root_path() || options.sourcePath.empty() || options.outputPath.empty()) return path;
    std::error_code error;
    std::filesystem::path from = std::filesystem::absolute(std::filesystem::u8path(options.sourcePath), error);
    std::filesystem::path to = std::filesystem::absolute(std::filesystem::u8path(options.outputPath), error);
    if (error) return path;
    std::filesystem::path target = (from.parent_path() / given).lexically_normal();
    std::filesystem::path relative = target.lexically_relative(to.parent_path().lexically_normal());
    return (relative.empty() ? target : relative).generic_u8string();
}

// Each problem checkText or settleQuestion found, at the line of its key.
static void addProblems(const std::vector<Problem>& problems, const BankQuestion& question,
                        std::vector<ImportNote>* notes) {
    for (const Problem& problem : problems) {
        int line = question.line;
        std::string field = problem.where;
        for (const QuestionKey& key : questionKeys) {
            if (problem.where != key.name) continue;
            field = key.french;
            if ((question.*key.text).line > 0) line = (question.*key.text).line;
        }
        addNote(notes, line, problem.error ? NoteError : NoteWarning, problem.where + " " + problem.message,
                field + u8" : " + problem.french);
    }
}

static void makeManifest(const Bank& bank, const ImportOptions& options, ImportResult* result) {
    Manifest& manifest = result->manifest;
    std::vector<ImportNote>& notes = result->notes;
    std::vector<Problem> problems;

    std::string title = options.title;
    if (title.empty() && !options.sourcePath.empty())
        title = std::filesystem::u8path(options.sourcePath).stem().u8string();
    checkText(title, PlainText, "title", &manifest.title, &problems);
    for (const Problem& problem : problems)
        addNote(&notes, 0, problem.error ? NoteError : NoteWarning, "title " + problem.message,
                u8"titre : " + problem.french);

    std::vector<BankQuestion> questions = bank.questions;
    if (options.first > 0 && questions.size() > static_cast<size_t>(options.first)) {
        result->leftOut = static_cast<int>(questions.size()) - options.first;
        questions.resize(static_cast<size_t>(options.first));
    }
    // An empty bank; one whose header failed has said why already.
    if (questions.empty() && !importFailed(*result))
        addNote(&notes, 0, NoteError, "no question to import", u8"aucune question à importer");
    if (questions.size() > MaxQuestions)
        addNote(&notes, 0, NoteError,
                std::to_string(questions.size()) + " questions; the player holds at most " +
                    std::to_string(MaxQuestions) + " (--first " + std::to_string(MaxQuestions) +
                    " imports the first ones)",
                std::to_string(questions.size()) + u8" questions : le lecteur en garde au plus " +
                    std::to_string(MaxQuestions));

    manifest.style = options.style >= 0 ? options.style : styleFromMedia(questions, &notes);
    manifest.answerMode = options.answerMode;
    manifest.questionFormat = options.questionFormat;
    if (manifest.questionFormat == 0) {
        manifest.questionFormat = OneAnswer;
        for (const BankQuestion& question : questions)
            if (!question.secondAnswer.text.empty()) manifest.questionFormat = TwoAnswers;
    }

    for (const BankQuestion& source : questions) {
        problems.clear();
        ManifestQuestion question;
        checkText(source.caption.text, PlainText, "caption", &question.caption, &problems);
        checkText(source.answer.text, AnswerText, "answer", &question.answer, &problems);
        checkText(source.secondAnswer.text, manifest.questionFormat == TwoAnswers ? AnswerText : PlainText,
                  "secondAnswer", &question.secondAnswer, &problems);
        checkText(source.reveal.text, PlainText, "reveal", &question.reveal, &problems);
        if (!source.media.text.empty()) question.media = relocatedPath(source.media.text, options);
        if (!source.answerPicture.text.empty())
            question.answerPicture = relocatedPath(source.answerPicture.text, options);
        // An unknown style has been reported already; the media are then not
        // a text quiz's fault.
        if (manifest.style >= 0) settleQuestion(manifest, "", &question, &problems);
        addProblems(problems, source, &notes);
        manifest.questions.push_back(question);
    }
    problems.clear();
    if (manifest.style >= 0) warnAboutHiddenReveals(manifest, &problems);
    for (const Problem& problem : problems) addNote(&notes, 0, NoteWarning, problem.message, problem.french);
    result->imported = static_cast<int>(manifest.questions.size());
}

bool importQuestions(const Bytes& bytes, const ImportOptions& options, ImportResult* result) {
    *result = ImportResult();
    std::string text = sourceToUtf8(bytes);
    ImportSyntax syntax = options.syntax;
    if (syntax == SyntaxFromName) {
        std::string extension = extensionOf(options.sourcePath);
        if (extension == ".csv" || extension == ".tsv") syntax = SyntaxCsv;
        else if (extension == ".gift") syntax = SyntaxGift;
        else syntax = looksLikeCsv(text) ? SyntaxCsv : SyntaxGift;
    }
    Bank bank;
    if (syntax == SyntaxCsv) readCsv(text, &bank);
    else readGift(text, &bank);
    result->notes = bank.notes;
    result->skipped = bank.skipped;
    makeManifest(bank, options, result);
    // Whole-file notes, made last, are shown first.
    std::stable_sort(result->notes.begin(), result->notes.end(),
                     [](const ImportNote& a, const ImportNote& b) { return a.line < b.line; });
    return !importFailed(*result);
}

bool importFile(const ImportOptions& options, ImportResult* result) {
    Bytes bytes;
    Message error;
    if (!readFile(options.sourcePath, &bytes, &error)) {
        *result = ImportResult();
        addNote(&result->notes, 0, NoteError, error.english, error.french);
        return false;
    }
    return importQuestions(bytes, options, result);
}

bool importFailed(const ImportResult& result) {
    for (const ImportNote& note : result.notes)
        if (note.kind == NoteError) return true;
    return false;
}

void printImportNotes(const std::string& sourcePath, const std::vector<ImportNote>& notes) {
    static const char* const kinds[] = {"error", "warning", "skipped", "note"};
    for (const ImportNote& note : notes) {
        std::string where = note.line > 0 ? sourcePath + ":" + std::to_string(note.line) : sourcePath;
        fprintf(stderr, "%s: %s: %s\n", where.c_str(), kinds[note.kind], note.message.c_str());
    }
}
