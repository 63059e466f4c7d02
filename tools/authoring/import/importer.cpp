#include "importer.h"

#include <algorithm>
#include <climits>
#include <filesystem>

#include "encoding.h"
#include "import_csv.h"
#include "import_gift.h"
#include "manifestcheck.h"
#include "manifestkeys.h"

// ---------------------------------------------------------------------------
// Source text: UTF-8 with or without a byte-order mark, UTF-16 with one (a
// spreadsheet's "Unicode text"), and anything else as Windows-1252.

static std::string sourceToUtf8(const Bytes& bytes) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return utf16ToUtf8(&bytes[2], bytes.size() - 2, false);
    if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return utf16ToUtf8(&bytes[2], bytes.size() - 2, true);
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

// A name that begins a French phrase starts in a small letter: "titre".
static std::string inSmallLetters(const std::string& name) {
    std::string out = name;
    if (!out.empty() && out[0] >= 'A' && out[0] <= 'Z') out[0] = static_cast<char>(out[0] + 32);
    return out;
}

// The style's name, and in French as the editor's Style list names it ("images").
static std::string styleName(int style, bool french = false) {
    const SettingChoice* choice = choiceOf(Field::Style, style);
    return french ? inSmallLetters(choice->french) : choice->english;
}

// The style the media files call for; -1 when they do not agree or a name
// tells nothing, each case with an error.
static int styleFromMedia(const std::vector<BankQuestion>& questions, std::vector<ImportNote>* notes) {
    int firstLine[StyleVideos + 1] = {0, 0, 0, 0};
    bool known = true;
    for (const BankQuestion& question : questions) {
        const SourceText& media = bankText(question, Field::Media);
        if (media.text.empty()) continue;
        int style = styleOfMedium(media.text);
        if (style < 0) {
            addNote(notes, media.line, NoteError,
                    std::string(keyName(Field::Media)) + ": cannot tell from the name '" + media.text +
                        "' whether it is a picture (.jpg), a sound (.mp3) or a video (.avi); give --style",
                    keyOf(Field::Media)->french + std::string(u8" : le nom « ") + media.text +
                        u8" » ne dit pas s'il s'agit d'une image (.jpg), d'un son (.mp3) ou d'une vidéo (.avi)");
            known = false;
        } else if (firstLine[style] == 0) {
            firstLine[style] = media.line;
        }
    }
    int found = -1;
    std::string kinds, french;
    for (int style = StylePictures; style <= StyleVideos; ++style) {
        if (firstLine[style] == 0) continue;
        const std::string line = std::to_string(firstLine[style]);
        kinds += (kinds.empty() ? "" : " and ") + styleName(style) + " (row " + line + ")";
        french += (french.empty() ? "" : " et ") + styleName(style, true) + u8" (ligne " + line + ")";
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
                std::string(keyName(Field::Style)) + " " + std::to_string(found) + " (" + styleName(found) +
                    ") chosen from the media files; --style chooses another",
                u8"style « " + styleName(found, true) + u8" » choisi d'après les médias ; la liste " +
                    keyOf(Field::Style)->french + u8" en choisit un autre");
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
        const ManifestKey* key = findKey(problem.where, KeyScope::Question);
        if (key) {
            field = key->french;
            if (bankText(question, key->field).line > 0) line = bankText(question, key->field).line;
        }
        addNote(notes, line, problem.error ? NoteError : NoteWarning, problem.where + " " + problem.message,
                field + u8" : " + problem.french);
    }
}

// The title: the one given, or the bank's file name; its problems noted.
static void takeTitle(const ImportOptions& options, Manifest* manifest, std::vector<ImportNote>* notes) {
    std::string title = options.title;
    if (title.empty() && !options.sourcePath.empty())
        title = std::filesystem::u8path(options.sourcePath).stem().u8string();
    const ManifestKey& key = *keyOf(Field::Title);
    std::vector<Problem> problems;
    checkText(title, key.text, key.name, &(manifest->*key.quizText), &problems);
    for (const Problem& problem : problems)
        addNote(notes, 0, problem.error ? NoteError : NoteWarning, key.name + (" " + problem.message),
                inSmallLetters(key.french) + u8" : " + problem.french);
}

// One question of the bank, its texts checked and its media paths
// relocated, in the order of the bank's columns.
static ManifestQuestion takeQuestion(const BankQuestion& source, const Manifest& manifest,
                                     const ImportOptions& options, std::vector<ImportNote>* notes,
                                     int* emptyAnswers) {
    std::vector<Problem> problems;
    ManifestQuestion question;
    for (const ManifestKey* key : bankColumns()) {
        const std::string& text = bankText(source, key->field).text;
        std::string* value = &(question.*key->questionText);
        if (key->kind == KeyKind::Text && text.empty() && textKindIn(*key, manifest.questionFormat) == AnswerText)
            ++*emptyAnswers;
        if (key->kind == KeyKind::Text)
            checkText(text, textKindIn(*key, manifest.questionFormat), key->name, value, &problems);
        else if (!text.empty()) *value = relocatedPath(text, options);
    }
    // An unknown style has been reported already; the media are then not
    // a text quiz's fault.
    if (manifest.style >= 0) settleQuestion(manifest, "", &question, &problems);
    addProblems(problems, source, notes);
    return question;
}

static void makeManifest(const Bank& bank, const ImportOptions& options, ImportResult* result) {
    Manifest& manifest = result->manifest;
    std::vector<ImportNote>& notes = result->notes;
    takeTitle(options, &manifest, &notes);

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
            if (!bankText(question, Field::SecondAnswer).text.empty()) manifest.questionFormat = TwoAnswers;
    }
    for (const BankQuestion& source : questions)
        manifest.questions.push_back(takeQuestion(source, manifest, options, &notes, &result->emptyAnswers));
    std::vector<Problem> problems;
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

bool onlyEmptyAnswersFailed(const ImportResult& result) {
    int errors = 0;
    for (const ImportNote& note : result.notes) errors += note.kind == NoteError;
    return errors > 0 && errors == result.emptyAnswers;
}

bool importFailed(const ImportResult& result) {
    for (const ImportNote& note : result.notes)
        if (note.kind == NoteError) return true;
    return false;
}
