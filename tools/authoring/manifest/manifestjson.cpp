#include "manifestjson.h"

#include <stdio.h>

#include <nlohmann/json.hpp>

#include "encoding.h"
#include "files.h"
#include "manifestcheck.h"
#include "manifestkeys.h"

using nlohmann::json;

namespace {

// Checks one text value and stores it in Windows-1252.
void readTextValue(const json& value, const std::string& where, TextKind kind, std::string* out,
                   std::vector<Problem>* problems) {
    out->clear();
    if (!value.is_string()) {
        addError(problems, where, "must be a text (a JSON string)", u8"doit être un texte (une chaîne JSON)");
        return;
    }
    checkText(value.get_ref<const std::string&>(), kind, where, out, problems);
}

// Reads one text key: absent means empty.
void readText(const json& object, const char* key, const std::string& where, TextKind kind, std::string* out,
              std::vector<Problem>* problems) {
    out->clear();
    if (object.contains(key)) readTextValue(object[key], where, kind, out, problems);
}

// Reads a whole-number key of the quiz within its range; absent keeps the default.
void readNumber(const json& object, const ManifestKey& key, Manifest* manifest, std::vector<Problem>* problems) {
    if (!object.contains(key.name)) return;
    const json& value = object[key.name];
    const Message meaning = meaningOf(key);
    if (!value.is_number_integer()) {
        addError(problems, key.name, "must be a whole number: " + meaning.english,
                 u8"doit être un nombre entier : " + meaning.french);
        return;
    }
    // Huge unsigned values would not fit a signed read; any of them is out of range.
    long long number = value.is_number_unsigned() && value.get<unsigned long long>() > 1000000ULL
                           ? 1000000LL
                           : value.get<long long>();
    if (number < key.low || number > key.high) {
        addError(problems, key.name, std::to_string(number) + " is out of range: " + meaning.english,
                 std::to_string(number) + u8" n'est pas permis : " + meaning.french);
        return;
    }
    manifest->*key.number = static_cast<int>(number);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void readColour(const json& object, const ManifestKey& key, Manifest* manifest, std::vector<Problem>* problems) {
    if (!object.contains(key.name)) return;
    const json& value = object[key.name];
    const char* expected = "must be a colour written \"#RRGGBB\", for example \"#FF8000\"";
    const char* french = u8"doit être une couleur écrite « #RRGGBB », par exemple « #FF8000 »";
    if (!value.is_string()) {
        addError(problems, key.name, expected, french);
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
        addError(problems, key.name, expected, french);
        return;
    }
    manifest->red = static_cast<unsigned char>(digits[0] * 16 + digits[1]);
    manifest->green = static_cast<unsigned char>(digits[2] * 16 + digits[3]);
    manifest->blue = static_cast<unsigned char>(digits[4] * 16 + digits[5]);
}

void readPath(const json& object, const char* key, const std::string& where, std::string* out,
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
void rejectUnknownKeys(const json& object, KeyScope scope, const std::string& prefix, std::vector<Problem>* problems) {
    for (auto item = object.begin(); item != object.end(); ++item)
        if (!findKey(item.key(), scope)) addError(problems, prefix + item.key(), "unknown key", u8"clé inconnue");
}

void readQuestion(const json& object, const std::string& where, const Manifest& manifest, ManifestQuestion* question,
                  std::vector<Problem>* problems) {
    rejectUnknownKeys(object, KeyScope::Question, where + ".", problems);
    for (const ManifestKey& key : manifestKeys) {
        if (key.scope != KeyScope::Question) continue;
        const std::string at = where + "." + key.name;
        if (key.kind == KeyKind::Text)
            readText(object, key.name, at, textKindIn(key, manifest.questionFormat), &(question->*key.questionText),
                     problems);
        else readPath(object, key.name, at, &(question->*key.questionText), problems);
    }
    settleQuestion(manifest, where + ".", question, problems);
}

void readQuestions(const json& root, const ManifestKey& key, Manifest* manifest, std::vector<Problem>* problems) {
    if (!root.contains(key.name) || !root[key.name].is_array()) {
        addError(problems, key.name, "must be a list of questions", u8"doit être une liste de questions");
        return;
    }
    const json& list = root[key.name];
    if (list.empty())
        addError(problems, key.name, "a quiz needs at least one question", u8"un quiz doit avoir au moins une question");
    if (list.size() > MaxQuestions)
        addError(problems, key.name,
                 std::to_string(list.size()) + " questions; the player holds at most " + std::to_string(MaxQuestions),
                 std::to_string(list.size()) + u8" questions : le lecteur en garde au plus " +
                     std::to_string(MaxQuestions));
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string where = keyPath(key.field, static_cast<int>(i));
        ManifestQuestion question;
        if (!list[i].is_object())
            addError(problems, where, "must be an object with the question's keys",
                     u8"doit être un objet avec les clés de la question");
        else readQuestion(list[i], where, *manifest, &question, problems);
        manifest->questions.push_back(question);
    }
}

void readCodes(const json& root, const ManifestKey& key, Manifest* manifest, std::vector<Problem>* problems) {
    if (!root.contains(key.name)) return;
    const json& list = root[key.name];
    if (!list.is_array()) {
        addError(problems, key.name, "must be a list of texts", u8"doit être une liste de textes");
        return;
    }
    const size_t questions = manifest->questions.size();
    if (list.size() > questions)
        addError(problems, key.name,
                 std::to_string(list.size()) + " codes for " + counted(questions, "question", "questions") +
                     ": the player shows one code per score, at most one per question",
                 std::to_string(list.size()) + u8" codes pour " + countedInFrench(questions, "question", "questions") +
                     u8" : le lecteur montre un code par score, donc au plus un par question");
    for (size_t i = 0; i < list.size(); ++i) {
        std::string code;
        readTextValue(list[i], keyPath(key.field, static_cast<int>(i)), key.text, &code, problems);
        manifest->codes.push_back(code);
    }
}

}  // namespace

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
    rejectUnknownKeys(root, KeyScope::Quiz, "", problems);
    for (const ManifestKey& key : manifestKeys) {
        if (key.scope != KeyScope::Quiz) continue;
        switch (key.kind) {
        case KeyKind::Text: readText(root, key.name, key.name, key.text, &(manifest->*key.quizText), problems); break;
        case KeyKind::Number: readNumber(root, key, manifest, problems); break;
        case KeyKind::Colour: readColour(root, key, manifest, problems); break;
        case KeyKind::Questions:
            readQuestions(root, key, manifest, problems);
            warnAboutHiddenReveals(*manifest, problems);
            warnAboutHiddenRowCaptions(*manifest, problems);
            break;
        case KeyKind::Codes: readCodes(root, key, manifest, problems); break;
        case KeyKind::Path: break;
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
    for (const ManifestKey& key : manifestKeys) {
        if (key.scope != KeyScope::Quiz) continue;
        switch (key.kind) {
        case KeyKind::Text: root[key.name] = cp1252ToUtf8(manifest.*key.quizText); break;
        case KeyKind::Number: root[key.name] = manifest.*key.number; break;
        case KeyKind::Colour: {
            char colour[8];
            snprintf(colour, sizeof colour, "#%02X%02X%02X", manifest.red, manifest.green, manifest.blue);
            root[key.name] = colour;
            break;
        }
        case KeyKind::Questions:
            root[key.name] = nlohmann::ordered_json::array();
            for (const ManifestQuestion& question : manifest.questions) {
                nlohmann::ordered_json item;
                for (const ManifestKey& questionKey : manifestKeys) {
                    if (questionKey.scope != KeyScope::Question) continue;
                    const std::string& value = question.*questionKey.questionText;
                    if (value.empty() && !questionKey.writtenWhenEmpty) continue;
                    item[questionKey.name] = questionKey.kind == KeyKind::Text ? cp1252ToUtf8(value) : value;
                }
                root[key.name].push_back(item);
            }
            break;
        case KeyKind::Codes:
            root[key.name] = nlohmann::ordered_json::array();
            for (const std::string& code : manifest.codes) root[key.name].push_back(cp1252ToUtf8(code));
            break;
        case KeyKind::Path: break;
        }
    }
    // Media paths come from the user; one that is not UTF-8 is written with
    // replacement characters rather than failing.
    return root.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}
