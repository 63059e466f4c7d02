#include "manifest.h"

#include <stdio.h>

#include <filesystem>
#include <set>

#include <nlohmann/json.hpp>

#include "content/codec.h"
#include "content/compose.h"
#include "filetype.h"
#include "layout/layout.h"

using nlohmann::json;

static void addError(std::vector<Problem>* problems, const std::string& where, const std::string& message,
                     const std::string& french) {
    problems->push_back(Problem{true, where, message, french});
}

static void addWarning(std::vector<Problem>* problems, const std::string& where, const std::string& message,
                       const std::string& french) {
    problems->push_back(Problem{false, where, message, french});
}

bool hasErrors(const std::vector<Problem>& problems) {
    for (const Problem& problem : problems)
        if (problem.error) return true;
    return false;
}

void printProblems(const std::string& manifestPath, const std::vector<Problem>& problems) {
    for (const Problem& problem : problems) {
        std::string line = manifestPath + ": ";
        if (!problem.where.empty()) line += problem.where + ": ";
        line += problem.error ? "error: " : "warning: ";
        line += problem.message;
        fprintf(stderr, "%s\n", line.c_str());
    }
}

// ---------------------------------------------------------------------------
// Texts

// Splits UTF-8 (already validated by the JSON parser) into code points, each
// with its own bytes, so a message can quote the character it is about.
struct CodePoint {
    unsigned long value;
    std::string bytes;
};

static std::vector<CodePoint> codePoints(const std::string& utf8) {
    std::vector<CodePoint> points;
    size_t i = 0;
    while (i < utf8.size()) {
        unsigned char lead = static_cast<unsigned char>(utf8[i]);
        int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : 3;
        unsigned long value = extra == 0 ? lead : extra == 1 ? (lead & 0x1F) : extra == 2 ? (lead & 0x0F) : (lead & 0x07);
        for (int k = 1; k <= extra && i + k < utf8.size(); ++k)
            value = (value << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        size_t length = std::min(utf8.size() - i, static_cast<size_t>(1 + extra));
        points.push_back(CodePoint{value, utf8.substr(i, length)});
        i += length;
    }
    return points;
}

static std::string hexCodePoint(unsigned long value) {
    char buffer[16];
    snprintf(buffer, sizeof buffer, "U+%04lX", value);
    return buffer;
}

// Lower-case letters with accents that French keyboards type directly or
// with a dead key, and the few symbols printed on their keys.
static bool onUsualKeyboard(unsigned long cp) {
    if (cp >= 0x20 && cp <= 0x7E) return true;
    static const unsigned long extra[] = {
        0xE0, 0xE2, 0xE4, 0xE7, 0xE8, 0xE9, 0xEA, 0xEB, 0xEE, 0xEF, 0xF4, 0xF6, 0xF9, 0xFB, 0xFC, 0xFF,
        0xB0, 0xA3, 0xB5, 0xA7, 0xB2, 0xA4, 0x20AC,
    };
    for (unsigned long allowed : extra)
        if (cp == allowed) return true;
    return false;
}

static bool isAccentedCapital(unsigned long cp) {
    return (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) || cp == 0x152 || cp == 0x160 || cp == 0x178 || cp == 0x17D;
}

static bool isCurlyQuote(unsigned long cp) {
    return cp == 0x2018 || cp == 0x2019 || cp == 0x201A || cp == 0x201C || cp == 0x201D || cp == 0x201E ||
           cp == 0xAB || cp == 0xBB || cp == 0x2039 || cp == 0x203A;
}

// "'a', 'b'", or in French "« a », « b »".
static std::string joinQuoted(const std::set<std::string>& characters, bool french = false) {
    std::string out;
    for (const std::string& character : characters) {
        if (!out.empty()) out += ", ";
        out += french ? u8"« " + character + u8" »" : "'" + character + "'";
    }
    return out;
}

// Warnings for an answer that players are unlikely to type as stored: the
// player compares bytes, trims only the typed answer and folds only a to z.
static void warnAboutAnswer(const std::string& utf8, const std::string& where, std::vector<Problem>* problems) {
    if (utf8.empty()) {
        addWarning(problems, where, "is empty: no typed answer can ever be right",
                   u8"est vide : aucune réponse tapée ne pourra être juste");
        return;
    }
    if (utf8.front() == ' ' || utf8.back() == ' ')
        addWarning(problems, where,
                   "starts or ends with a space: typed answers are trimmed, so they can never match it",
                   u8"commence ou finit par une espace : le lecteur retire les espaces autour de la réponse "
                   u8"tapée, qui ne pourra donc jamais être juste");
    std::set<std::string> quotes, spaces, capitals, others;
    for (const CodePoint& point : codePoints(utf8)) {
        if (isCurlyQuote(point.value)) quotes.insert(point.bytes);
        else if (point.value == 0xA0) spaces.insert(hexCodePoint(point.value));
        else if (isAccentedCapital(point.value)) capitals.insert(point.bytes);
        else if (!onUsualKeyboard(point.value)) others.insert(point.bytes);
    }
    if (!quotes.empty())
        addWarning(problems, where,
                   "holds the curly apostrophe or quote " + joinQuoted(quotes) +
                       ": players type a straight ' or \" instead, which counts as another character",
                   u8"contient l'apostrophe ou le guillemet typographique " + joinQuoted(quotes, true) +
                       u8" : les joueurs tapent ' ou \" à la place, que le lecteur compte comme un autre caractère");
    if (!spaces.empty())
        addWarning(problems, where, "holds a non-breaking space: players type an ordinary space instead",
                   u8"contient une espace insécable : les joueurs tapent une espace ordinaire à la place");
    if (!capitals.empty())
        addWarning(problems, where,
                   "holds the accented capital " + joinQuoted(capitals) +
                       ": players type the small letter, which the player does not take for the capital",
                   u8"contient la majuscule accentuée " + joinQuoted(capitals, true) +
                       u8" : les joueurs tapent la minuscule, que le lecteur ne prend pas pour la majuscule");
    if (!others.empty())
        addWarning(problems, where, "holds " + joinQuoted(others) + ", which is not on a usual keyboard",
                   u8"contient " + joinQuoted(others, true) + u8", absent d'un clavier ordinaire");
}

bool checkText(const std::string& utf8, TextKind kind, const std::string& where, std::string* cp1252,
               std::vector<Problem>* problems) {
    cp1252->clear();
    std::string converted;
    if (!utf8ToCp1252(utf8, &converted)) {
        std::map<std::string, unsigned long> missing;   // each character once, in the order of its bytes
        for (const CodePoint& point : codePoints(utf8)) {
            std::string ignored;
            if (!utf8ToCp1252(point.bytes, &ignored)) missing[point.bytes] = point.value;
        }
        std::string list, french;
        for (const auto& character : missing) {
            const std::string code = " (" + hexCodePoint(character.second) + ")";
            list += (list.empty() ? "" : ", ") + character.first + code;
            french += (french.empty() ? u8"« " : u8", « ") + character.first + u8" »" + code;
        }
        addError(problems, where, "holds " + list + ", which Windows-1252 cannot store",
                 u8"contient " + french + u8", que le lecteur ne sait pas enregistrer (hors de Windows-1252)");
        return false;
    }
    bool fine = true;
    if (converted.find('|') != std::string::npos) {
        addError(problems, where, "holds a '|', which the player reads as the end of the text",
                 u8"contient « | », que le lecteur lit comme la fin du texte");
        fine = false;
    }
    if (converted.find('\0') != std::string::npos) {
        addError(problems, where, "holds a zero character, which the player drops",
                 u8"contient un caractère nul, que le lecteur supprime");
        fine = false;
    }
    if (kind == CodeText && converted.find_first_of("\r\n") != std::string::npos) {
        addError(problems, where, "holds a line break, which would shift every following code",
                 u8"contient un retour à la ligne, qui décalerait tous les codes suivants");
        fine = false;
    }
    if (converted.size() > TextMaxLength) {
        addError(problems, where,
                 "is " + std::to_string(converted.size()) + " bytes long in Windows-1252; at most " +
                     std::to_string(TextMaxLength) + " fit",
                 u8"est trop long : " + std::to_string(converted.size()) + u8" caractères, pour " +
                     std::to_string(TextMaxLength) + u8" au plus");
        fine = false;
    }
    if (kind == AnswerText) warnAboutAnswer(utf8, where, problems);
    if (fine) *cp1252 = converted;
    return fine;
}

// Checks one text value and stores it in Windows-1252.
static void readTextValue(const json& value, const std::string& where, TextKind kind, std::string* out,
                          std::vector<Problem>* problems) {
    out->clear();
    if (!value.is_string()) {
        addError(problems, where, "must be a text (a JSON string)", u8"doit être un texte (une chaîne JSON)");
        return;
    }
    checkText(value.get_ref<const std::string&>(), kind, where, out, problems);
}

// Reads one text key: absent means empty.
static void readText(const json& object, const char* key, const std::string& where, TextKind kind,
                     std::string* out, std::vector<Problem>* problems) {
    out->clear();
    if (object.contains(key)) readTextValue(object[key], where, kind, out, problems);
}

// Reads a whole-number key within [low, high]; absent keeps the default.
static void readNumber(const json& object, const char* key, int low, int high, const Message& meaning, int* out,
                       std::vector<Problem>* problems) {
    if (!object.contains(key)) return;
    const json& value = object[key];
    if (!value.is_number_integer()) {
        addError(problems, key, "must be a whole number: " + meaning.english,
                 u8"doit être un nombre entier : " + meaning.french);
        return;
    }
    // Huge unsigned values would not fit a signed read; any of them is out of range.
    long long number = value.is_number_unsigned() && value.get<unsigned long long>() > 1000000ULL
                           ? 1000000LL
                           : value.get<long long>();
    if (number < low || number > high) {
        addError(problems, key, std::to_string(number) + " is out of range: " + meaning.english,
                 std::to_string(number) + u8" n'est pas permis : " + meaning.french);
        return;
    }
    *out = static_cast<int>(number);
}

static int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

static void readColour(const json& object, Manifest* manifest, std::vector<Problem>* problems) {
    if (!object.contains("backColour")) return;
    const json& value = object["backColour"];
    const char* expected = "must be a colour written \"#RRGGBB\", for example \"#FF8000\"";
    const char* french = u8"doit être une couleur écrite « #RRGGBB », par exemple « #FF8000 »";
    if (!value.is_string()) {
        addError(problems, "backColour", expected, french);
        return;
    }
    const std::string& text = value.get_ref<const std::string&>();
    int digits[6];
    bool fine = text.size() == 7 && text[0] == '#';
    for (int k = 0; fine && k < 6; ++k) {
        digits[k] = hexDigit(text[1 + k]);
        fine = digits[k] >= 0;
    }
    if (!fine) {
        addError(problems, "backColour", expected, french);
        return;
    }
    manifest->red = static_cast<unsigned char>(digits[0] * 16 + digits[1]);
    manifest->green = static_cast<unsigned char>(digits[2] * 16 + digits[3]);
    manifest->blue = static_cast<unsigned char>(digits[4] * 16 + digits[5]);
}

static void readPath(const json& object, const char* key, const std::string& where, std::string* out,
                     std::vector<Problem>* problems) {
    out->clear();
    if (!object.contains(key)) return;
    const json& value = object[key];
    if (!value.is_string()) {
        addError(problems, where, "must be a file path (a JSON string)",
                 u8"doit être un chemin de fichier (une chaîne JSON)");
        return;
    }
    *out = value.get<std::string>();
}

// A misspelt key would silently leave its value at the default.
static void rejectUnknownKeys(const json& object, const std::set<std::string>& known, const std::string& prefix,
                              std::vector<Problem>* problems) {
    for (auto item = object.begin(); item != object.end(); ++item)
        if (!known.count(item.key())) addError(problems, prefix + item.key(), "unknown key", u8"clé inconnue");
}

void settleQuestion(const Manifest& manifest, const std::string& prefix, ManifestQuestion* question,
                    std::vector<Problem>* problems) {
    if (manifest.questionFormat != TwoAnswers && !question->secondAnswer.empty()) {
        addWarning(problems, prefix + "secondAnswer", "not stored: only questionFormat 2 has a second answer",
                   u8"pas enregistrée : il faut « Deux réponses » dans Nombre de réponses");
        question->secondAnswer.clear();
    }
    if (!question->reveal.empty() && !modeCarriesReveals(manifest.answerMode)) {
        addWarning(problems, prefix + "reveal", "not stored: only answerMode 2, 3 and 4 show reveal texts",
                   u8"pas enregistrée : seuls les affichages « Texte », « Texte et image » et "
                   u8"« Tous les textes à la fin » montrent la révélation");
        question->reveal.clear();
    }
    if (!question->media.empty() && manifest.style == StyleText)
        addError(problems, prefix + "media", "a text quiz (style 0) shows no media; remove it or change the style",
                 u8"un quiz de style Texte ne montre aucun média : retirez-le ou changez le style");
    if (!question->answerPicture.empty() && !modeShowsAnswerPicture(manifest.answerMode))
        addWarning(problems, prefix + "answerPicture",
                   "stored but not shown: only answerMode 1 and 3 show answer pictures",
                   u8"enregistrée mais jamais montrée : seuls les affichages « Image de la réponse » et "
                   u8"« Texte et image » la montrent");
}

void warnAboutHiddenReveals(const Manifest& manifest, std::vector<Problem>* problems) {
    // The board makes reveal boxes and picture boxes only for picture quizzes.
    bool revealsOrPictures = false;
    for (const ManifestQuestion& question : manifest.questions)
        revealsOrPictures = revealsOrPictures || !question.reveal.empty() || !question.answerPicture.empty();
    if (revealsOrPictures && manifest.style != StylePictures)
        addWarning(problems, "questions",
                   "reveal texts and answer pictures are stored but shown only in a picture quiz (style 1)",
                   u8"les révélations et les images de la réponse sont enregistrées, mais seul un quiz de style "
                   u8"Images les montre");
}

static void readQuestion(const json& object, const std::string& where, const Manifest& manifest,
                         ManifestQuestion* question, std::vector<Problem>* problems) {
    rejectUnknownKeys(object, {"answer", "secondAnswer", "caption", "reveal", "media", "answerPicture"}, where + ".",
                      problems);
    readText(object, "answer", where + ".answer", AnswerText, &question->answer, problems);
    readText(object, "secondAnswer", where + ".secondAnswer",
             manifest.questionFormat == TwoAnswers ? AnswerText : PlainText, &question->secondAnswer, problems);
    readText(object, "caption", where + ".caption", PlainText, &question->caption, problems);
    readText(object, "reveal", where + ".reveal", PlainText, &question->reveal, problems);
    readPath(object, "media", where + ".media", &question->media, problems);
    readPath(object, "answerPicture", where + ".answerPicture", &question->answerPicture, problems);
    settleQuestion(manifest, where + ".", question, problems);
}

void loadManifestText(const std::string& text, Manifest* manifest, std::vector<Problem>* problems) {
    *manifest = Manifest();
    json root = json::parse(text, nullptr, false);
    if (root.is_discarded()) {
        addError(problems, "", "is not valid JSON (or not UTF-8)", u8"ce n'est pas du JSON valide (ou pas de l'UTF-8)");
        return;
    }
    if (!root.is_object()) {
        addError(problems, "", "must hold a JSON object with the quiz's keys",
                 u8"ce fichier doit contenir un objet JSON avec les clés du quiz");
        return;
    }
    rejectUnknownKeys(root,
                      {"title", "creator", "explanation", "firstRowCaption", "secondRowCaption", "style",
                       "questionFormat", "answerMode", "backColour", "questions", "codes"},
                      "", problems);
    readText(root, "title", "title", PlainText, &manifest->title, problems);
    readText(root, "creator", "creator", PlainText, &manifest->creator, problems);
    readText(root, "explanation", "explanation", PlainText, &manifest->explanation, problems);
    readText(root, "firstRowCaption", "firstRowCaption", PlainText, &manifest->firstRowCaption, problems);
    readText(root, "secondRowCaption", "secondRowCaption", PlainText, &manifest->secondRowCaption, problems);
    readNumber(root, "style", 0, 3, {"0 text, 1 pictures, 2 sounds, 3 videos", u8"0 Texte, 1 Images, 2 Sons, 3 Vidéos"},
               &manifest->style, problems);
    readNumber(root, "questionFormat", 1, 2, {"1 or 2 answers per question", u8"1 ou 2 réponses par question"},
               &manifest->questionFormat, problems);
    readNumber(root, "answerMode", 0, 255, {"a byte, 0 to 255", u8"un octet, de 0 à 255"}, &manifest->answerMode,
               problems);
    readColour(root, manifest, problems);

    if (!root.contains("questions") || !root["questions"].is_array()) {
        addError(problems, "questions", "must be a list of questions", u8"doit être une liste de questions");
    } else {
        const json& list = root["questions"];
        if (list.empty())
            addError(problems, "questions", "a quiz needs at least one question",
                     u8"un quiz doit avoir au moins une question");
        if (list.size() > MaxQuestions)
            addError(problems, "questions",
                     std::to_string(list.size()) + " questions; the player holds at most " +
                         std::to_string(MaxQuestions),
                     std::to_string(list.size()) + u8" questions : le lecteur en garde au plus " +
                         std::to_string(MaxQuestions));
        for (size_t i = 0; i < list.size(); ++i) {
            std::string where = "questions[" + std::to_string(i) + "]";
            ManifestQuestion question;
            if (!list[i].is_object())
                addError(problems, where, "must be an object with the question's keys",
                         u8"doit être un objet avec les clés de la question");
            else readQuestion(list[i], where, *manifest, &question, problems);
            manifest->questions.push_back(question);
        }
    }

    warnAboutHiddenReveals(*manifest, problems);

    if (root.contains("codes")) {
        const json& list = root["codes"];
        if (!list.is_array()) {
            addError(problems, "codes", "must be a list of texts", u8"doit être une liste de textes");
        } else {
            if (list.size() > manifest->questions.size())
                addError(problems, "codes",
                         std::to_string(list.size()) + " codes for " + std::to_string(manifest->questions.size()) +
                             " questions: the player shows one code per score, at most one per question",
                         std::to_string(list.size()) + u8" codes pour " +
                             std::to_string(manifest->questions.size()) +
                             u8" questions : le lecteur montre un code par score, donc au plus un par question");
            for (size_t i = 0; i < list.size(); ++i) {
                std::string code;
                readTextValue(list[i], "codes[" + std::to_string(i) + "]", CodeText, &code, problems);
                manifest->codes.push_back(code);
            }
        }
    }
}

bool loadManifestFile(const std::string& path, Manifest* manifest, std::vector<Problem>* problems) {
    Bytes bytes;
    Message error;
    if (!readFile(path, &bytes, &error)) {
        addError(problems, "", error.english, error.french);
        return false;
    }
    loadManifestText(std::string(bytes.begin(), bytes.end()), manifest, problems);
    return !hasErrors(*problems);
}

std::string manifestToJson(const Manifest& manifest) {
    nlohmann::ordered_json root;
    root["title"] = cp1252ToUtf8(manifest.title);
    root["creator"] = cp1252ToUtf8(manifest.creator);
    root["explanation"] = cp1252ToUtf8(manifest.explanation);
    root["firstRowCaption"] = cp1252ToUtf8(manifest.firstRowCaption);
    root["secondRowCaption"] = cp1252ToUtf8(manifest.secondRowCaption);
    root["style"] = manifest.style;
    root["questionFormat"] = manifest.questionFormat;
    root["answerMode"] = manifest.answerMode;
    char colour[8];
    snprintf(colour, sizeof colour, "#%02X%02X%02X", manifest.red, manifest.green, manifest.blue);
    root["backColour"] = colour;
    root["questions"] = nlohmann::ordered_json::array();
    for (const ManifestQuestion& question : manifest.questions) {
        nlohmann::ordered_json item;
        item["answer"] = cp1252ToUtf8(question.answer);
        item["secondAnswer"] = cp1252ToUtf8(question.secondAnswer);
        item["caption"] = cp1252ToUtf8(question.caption);
        item["reveal"] = cp1252ToUtf8(question.reveal);
        item["media"] = question.media;
        item["answerPicture"] = question.answerPicture;
        root["questions"].push_back(item);
    }
    root["codes"] = nlohmann::ordered_json::array();
    for (const std::string& code : manifest.codes) root["codes"].push_back(cp1252ToUtf8(code));
    // Media paths come from the user; one that is not UTF-8 is written with
    // replacement characters rather than failing.
    return root.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

// ---------------------------------------------------------------------------
// Composition

void quizFromManifest(const Manifest& manifest, Quiz* quiz) {
    clearQuestions(quiz);
    resetQuizFields(quiz);
    quiz->style = manifest.style;
    copyText(quiz->title, manifest.title.c_str());
    copyText(quiz->creator, manifest.creator.c_str());
    copyText(quiz->explanation, manifest.explanation.c_str());
    copyText(quiz->firstRowCaption, manifest.firstRowCaption.c_str());
    copyText(quiz->secondRowCaption, manifest.secondRowCaption.c_str());
    quiz->questionCount = static_cast<int>(manifest.questions.size());
    quiz->questionFormat = manifest.questionFormat;
    quiz->answerMode = manifest.answerMode;
    quiz->backColour = manifest.red | (manifest.green << 8) | (static_cast<uint32_t>(manifest.blue) << 16);
    for (const ManifestQuestion& question : manifest.questions) {
        appendQuestion(quiz, question.answer.c_str(), question.secondAnswer.c_str(), question.caption.c_str());
        if (quiz->lastQuestion) copyText(quiz->lastQuestion->reveal, question.reveal.c_str());
    }
    for (size_t i = 0; i < manifest.codes.size() && i < MaxQuestions; ++i)
        copyText(quiz->codes[i], manifest.codes[i].c_str());
}

Bytes composeContent(const Manifest& manifest) {
    Quiz quiz;
    quizFromManifest(manifest, &quiz);
    return composeContent(&quiz);
}

Bytes composeCodes(const Manifest& manifest) {
    Quiz quiz;
    quizFromManifest(manifest, &quiz);
    return composeCodes(&quiz);
}

// ---------------------------------------------------------------------------
// Files and streams

std::string manifestFolder(const std::string& manifestPath) {
    std::filesystem::path parent = std::filesystem::u8path(manifestPath).parent_path();
    return parent.u8string();
}

std::string resolveMediaPath(const std::string& folder, const std::string& path) {
    std::filesystem::path given = std::filesystem::u8path(path);
    if (given.is_absolute() || folder.empty()) return given.u8string();
    return (std::filesystem::u8path(folder) / given).u8string();
}

std::string describeSize(unsigned long long bytes) {
    char text[32];
    if (bytes < 1024) snprintf(text, sizeof text, "%llu bytes", bytes);
    else if (bytes < 1024 * 1024) snprintf(text, sizeof text, "%.1f KB", bytes / 1024.0);
    else snprintf(text, sizeof text, "%.1f MB", bytes / (1024.0 * 1024.0));
    return text;
}

std::string describeSizeInFrench(unsigned long long bytes) {
    if (bytes < 1024) return std::to_string(bytes) + (bytes < 2 ? " octet" : " octets");
    std::string text = describeSize(bytes);
    text.replace(text.find('.'), 1, ",");
    text.back() = 'o';   // "KB" and "MB" become "Ko" and "Mo"
    return text;
}

Message describeCoderFailure(CoderResult result) {
    switch (result) {
    case CoderNoMemory: return {describeCoderResult(result), u8"la mémoire manque"};
    case CoderBadInput: return {describeCoderResult(result), u8"les données sont vides, trop courtes ou trop longues"};
    case CoderTooWide: return {describeCoderResult(result), u8"un code dépasserait 32 bits"};
    case CoderMalformed: return {describeCoderResult(result), u8"les données codées sont abîmées"};
    default: return {describeCoderResult(result), u8"résultat inconnu du codage"};
    }
}

// Sounds and videos are stored as they are, so their kind is checked by
// their headers: the player hands sounds to a player of MP3 and WAV files,
// and videos to one of AVI files.
static bool acceptMedium(MediumKind kind, const Bytes& bytes, Message* why) {
    const FileType type = fileTypeOf(bytes);
    const Message what = describeFile(bytes);
    if (kind == SoundMedium && type != FileMp3 && type != FileWav) {
        *why = {"is " + what.english + ", not an MP3 or WAV sound",
                u8"n'est pas un son que le lecteur sait jouer (MP3 ou WAV) : c'est " + what.french};
        return false;
    }
    if (kind == VideoMedium && type != FileAvi) {
        *why = {"is " + what.english + ", not an AVI video",
                u8"n'est pas une vidéo que le lecteur sait jouer (AVI) : c'est " + what.french};
        return false;
    }
    return true;
}

static const MediaFile* prepareMedium(const std::string& folder, const std::string& path, const std::string& where,
                                      int resource, MediumKind kind, const PictureOptions& options, PreparedQuiz* quiz,
                                      std::vector<Problem>* problems) {
    MediaFile file;
    file.resource = resource;
    file.where = where;
    file.path = path;
    file.kind = kind;
    Bytes original;
    Message error;
    const std::string resolved = resolveMediaPath(folder, path);
    if (!readFile(resolved, &original, &error)) {
        // The author knows the file by the path they wrote.
        addError(problems, where, error.english, cannotOpenInFrench(resolved, path));
        return nullptr;
    }
    const std::string quoted = "'" + path + "' ", french = u8"« " + path + u8" » ";
    if (original.empty()) {
        addError(problems, where, quoted + "is empty", french + u8"est vide");
        return nullptr;
    }
    file.originalSize = original.size();
    file.what = describeFile(original).english;
    Message why;
    const bool fine = kind == PictureMedium ? preparePicture(original, options, &file.bytes, &file.picture, &why)
                                            : acceptMedium(kind, original, &why);
    if (!fine) {
        addError(problems, where, quoted + why.english, french + why.french);
        return nullptr;
    }
    if (kind != PictureMedium) file.bytes.swap(original);
    if (file.bytes.size() > LargeMediumBytes)
        addWarning(problems, where,
                   quoted + "is " + describeSize(file.bytes.size()) +
                       ", stored as it is: the quiz grows as much, too big to send by mail and slow to open",
                   french + u8"pèse " + describeSizeInFrench(file.bytes.size()) +
                       u8" et sera enregistré tel quel : le quiz grossit d'autant, trop pour un courriel, "
                       u8"et s'ouvre lentement");
    const std::string width = std::to_string(file.picture.width), height = std::to_string(file.picture.height),
                      box = std::to_string(PictureBoxSize);
    if (kind == PictureMedium && file.picture.enlarged)
        addWarning(problems, where,
                   quoted + "is " + width + " x " + height + ", smaller than its " + box + " x " + box +
                       " box: it will be enlarged and look blurred",
                   french + u8"fait " + width + u8" × " + height + u8" pixels, moins que sa case de " + box +
                       u8" × " + box + u8" : l'image sera agrandie et paraîtra floue");
    const Message turned = describeOrientation(file.picture.orientation);
    if (kind == PictureMedium && options.keepOriginal && file.picture.orientation != 1)
        addWarning(problems, where,
                   quoted + "is marked to be " + turned.english +
                       " to stand upright, which a picture stored as it is does not get: the player shows it turned",
                   french + u8"doit être " + turned.french +
                       u8" pour être droite, ce qu'une image enregistrée telle quelle ne reçoit pas : "
                       u8"le lecteur la montre de travers");
    quiz->media.push_back(file);
    return &quiz->media.back();
}

// The same through a memo: a file whose size and modification time are
// those of its last preparation, for the same path and settings, is not
// read again; its problems and prepared bytes are given as they were.
static const MediaFile* readMedium(const std::string& folder, const std::string& path, const std::string& where,
                                   int resource, MediumKind kind, const PictureOptions& options, MediaMemo* memo,
                                   PreparedQuiz* quiz, std::vector<Problem>* problems) {
    const std::string resolved = resolveMediaPath(folder, path);
    std::error_code failed;
    const std::filesystem::path file = std::filesystem::u8path(resolved);
    const unsigned long long size = memo ? std::filesystem::file_size(file, failed) : 0;
    const auto modified = memo && !failed ? std::filesystem::last_write_time(file, failed).time_since_epoch().count() : 0;
    if (!memo || failed) return prepareMedium(folder, path, where, resource, kind, options, quiz, problems);
    char settings[40];
    snprintf(settings, sizeof settings, "\n%d %02X%02X%02X %d\n", static_cast<int>(kind), options.red, options.green,
             options.blue, options.keepOriginal ? 1 : 0);
    MediaMemo::Entry& entry = memo->entries[resolved + settings + path];
    if (!entry.known || entry.size != size || entry.modified != static_cast<long long>(modified)) {
        PreparedQuiz one;
        std::vector<Problem> found;
        const MediaFile* made = prepareMedium(folder, path, "", resource, kind, options, &one, &found);
        entry.known = true;
        entry.size = size;
        entry.modified = static_cast<long long>(modified);
        entry.ready = made != nullptr;
        entry.file = made ? *made : MediaFile();
        entry.problems = found;
    }
    entry.used = true;
    for (Problem problem : entry.problems) {
        problem.where = where;
        problems->push_back(problem);
    }
    if (!entry.ready) return nullptr;
    quiz->media.push_back(entry.file);
    quiz->media.back().where = where;
    quiz->media.back().resource = resource;
    return &quiz->media.back();
}

// Encodes one plain stream; both sides must stay under the coder's limit.
static bool encodeStream(const Bytes& plain, const std::string& where, const Message& what, Bytes* encoded,
                         std::vector<Problem>* problems) {
    const std::string limit = std::to_string(ManifestMaxStream);
    if (plain.size() > ManifestMaxStream) {
        addError(problems, where,
                 "the " + what.english + " come to " + std::to_string(plain.size()) + " bytes; at most " + limit +
                     " can be stored",
                 what.french + u8" font " + std::to_string(plain.size()) + u8" octets ; au plus " + limit +
                     u8" peuvent être enregistrés");
        return false;
    }
    EncoderState encoder;
    CoderOutput output = {nullptr, 0};
    CoderResult result = runEncoder(&encoder, plain.data(), static_cast<uint32_t>(plain.size()), &output);
    if (result == CoderOk) encoded->assign(output.bytes, output.bytes + output.count);
    releaseContent(output.bytes);
    if (result != CoderOk) {
        const Message why = describeCoderFailure(result);
        addError(problems, where, "cannot encode the " + what.english + ": " + why.english,
                 u8"impossible de coder " + what.french + u8" : " + why.french);
        return false;
    }
    if (encoded->size() > ManifestMaxStream) {
        addError(problems, where,
                 "the encoded " + what.english + " come to " + std::to_string(encoded->size()) +
                     " bytes; the player reads at most " + limit,
                 what.french + u8" font " + std::to_string(encoded->size()) +
                     u8" octets une fois codés ; le lecteur en lit au plus " + limit);
        return false;
    }
    return true;
}

bool prepareQuiz(const std::string& manifestPath, const PrepareOptions& options, Manifest* manifest,
                 PreparedQuiz* quiz, std::vector<Problem>* problems) {
    *quiz = PreparedQuiz();
    Bytes bytes;
    Message error;
    if (!readFile(manifestPath, &bytes, &error)) {
        addError(problems, "", error.english, error.french);
        return false;
    }
    return prepareQuizText(std::string(bytes.begin(), bytes.end()), manifestFolder(manifestPath), options, manifest,
                           quiz, problems);
}

bool prepareQuizText(const std::string& text, const std::string& folder, const PrepareOptions& options,
                     Manifest* manifest, PreparedQuiz* quiz, std::vector<Problem>* problems) {
    *quiz = PreparedQuiz();
    loadManifestText(text, manifest, problems);
    PictureOptions pictures;
    pictures.red = manifest->red;
    pictures.green = manifest->green;
    pictures.blue = manifest->blue;
    pictures.keepOriginal = options.keepPictures;
    const bool withMedia = manifest->style != StyleText;
    const MediumKind kind = manifest->style == StyleSounds   ? SoundMedium
                            : manifest->style == StyleVideos ? VideoMedium
                                                             : PictureMedium;
    int count = 0;
    for (const ManifestQuestion& question : manifest->questions)
        count += (withMedia && !question.media.empty()) + !question.answerPicture.empty();
    int number = 0;
    if (options.memo)
        for (auto& entry : options.memo->entries) entry.second.used = false;
    auto read = [&](const std::string& path, const std::string& where, int resource, MediumKind medium) {
        const MediaFile* file =
            readMedium(folder, path, where, resource, medium, pictures, options.memo, quiz, problems);
        if (options.progress)
            options.progress(MediaProgress{++number, count, path, file != nullptr, file ? file->originalSize : 0,
                                           file ? file->bytes.size() : 0});
    };
    for (size_t i = 0; i < manifest->questions.size(); ++i) {
        const ManifestQuestion& question = manifest->questions[i];
        std::string where = "questions[" + std::to_string(i) + "]";
        int resource = static_cast<int>(i) + 1;
        if (question.media.empty() && withMedia)
            addWarning(problems, where + ".media", "no medium: the question's cell stays empty",
                       u8"aucun média : la case de la question restera vide");
        if (!question.media.empty() && withMedia)
            read(question.media, where + ".media", QuestionMediaBase + resource, kind);
        if (!question.answerPicture.empty())
            read(question.answerPicture, where + ".answerPicture", AnswerPictureBase + resource, PictureMedium);
    }
    // Files no longer named are forgotten.
    if (options.memo)
        for (auto entry = options.memo->entries.begin(); entry != options.memo->entries.end();)
            entry = entry->second.used ? std::next(entry) : options.memo->entries.erase(entry);
    if (hasErrors(*problems)) return false;
    encodeStream(composeContent(*manifest), "", {"quiz's texts", u8"les textes du quiz"}, &quiz->content, problems);
    encodeStream(composeCodes(*manifest), "codes", {"codes", u8"les codes"}, &quiz->codes, problems);
    return !hasErrors(*problems);
}
