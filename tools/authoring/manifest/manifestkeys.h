#pragma once
// The manifest's keys, one row each, and the choices of its three settings.
// Whatever reads, writes or names a key walks these tables: the JSON reader
// and writer, the question banks' columns, the editor's fields, labels and
// lists, and every message that names a key or quotes a setting. A new key
// is a row here, and its use.
#include <string>
#include <vector>

#include "manifest.h"
#include "messages.h"

// What an author edits: the quiz's keys, then a question's keys; None for
// a key the manifest does not know.
enum class Field {
    Title, Creator, Explanation, FirstRowCaption, SecondRowCaption,
    Style, QuestionFormat, AnswerMode, BackColour, Codes,
    Answer, SecondAnswer, Caption, Reveal, Media, AnswerPicture, WebVideo,
    Questions, None,
};

enum class KeyScope { Quiz, Question };

// What a key holds: a text, a media path, a whole number within a range, a
// colour "#RRGGBB", the list of questions or the list of codes (texts).
enum class KeyKind { Text, Path, Number, Colour, Questions, Codes };

// What a text is for: answers get warnings about typing, codes may not
// break lines.
enum TextKind { PlainText, AnswerText, CodeText };

struct ManifestKey {
    const char* name;   // in the JSON text, and in quizmaker's English
    Field field;
    KeyScope scope;
    KeyKind kind;
    TextKind text;                                   // Text keys, and the texts of Codes
    std::string Manifest::*quizText;                 // quiz Text keys
    int Manifest::*number;                           // Number keys, within [low, high]
    int low, high;
    const char* meaning;                             // Number keys: what the values are, when no choices name them
    const char* meaningInFrench;
    std::string ManifestQuestion::*questionText;     // question Text and Path keys
    const char* french;   // as the editor and the French messages name it: "Nombre de réponses", "réponse"
    const char* label;    // the editor's label, with its mnemonic: "&Nombre de réponses"
    int bankColumn;       // its column's place in a question bank (1 the first), 0 for none
    const char* aliases[2];   // other names of that column, beside the key's own
    bool writtenWhenEmpty;    // false: a manifest leaves the key out while it is empty
};

// Every key, in the order a manifest is written and read: the quiz's, then
// (where its list stands) a question's.
enum { ManifestKeyCount = 18 };
extern const ManifestKey manifestKeys[ManifestKeyCount];

// The row of a field (None has none: null).
const ManifestKey* keyOf(Field field);
// The key's name in the JSON text ("secondAnswer"); "" for None.
const char* keyName(Field field);
// The row named so in a quiz's object or a question's; null for none.
const ManifestKey* findKey(const std::string& name, KeyScope scope);
bool isQuestionField(Field field);

// JSON paths, as problems are placed: "title", "questions", "codes[2]",
// "questions[3]", "questions[3].answer". index -1: the key itself.
std::string keyPath(Field field, int index = -1);

// What a text key of a question is for in a quiz of that questionFormat:
// the second answer is typed only in two-answer quizzes.
TextKind textKindIn(const ManifestKey& key, int questionFormat);

// The values of Style, QuestionFormat and AnswerMode the editor offers,
// each named in English and French, in the order of their values.
struct SettingChoice {
    Field setting;
    int value;
    const char* english;   // "pictures"
    const char* french;    // as messages quote it: "Images"
    const char* label;     // as the editor's list shows it: "Texte (une ligne par question)"
};
std::vector<SettingChoice> choicesOf(Field setting);
// The choice of a value, or null when none offers it.
const SettingChoice* choiceOf(Field setting, int value);
// What a Number key's values mean: its choices ("0 text, 1 pictures, ...";
// "0 Texte, 1 Images, ...") or its own meaning.
Message meaningOf(const ManifestKey& key);
