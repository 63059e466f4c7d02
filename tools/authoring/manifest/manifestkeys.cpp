#include "manifestkeys.h"

namespace {

constexpr ManifestKey quizText(const char* name, Field field, std::string Manifest::*member, const char* french,
                               const char* label) {
    return ManifestKey{name, field, KeyScope::Quiz, KeyKind::Text, PlainText, member, nullptr, 0, 0,
                       nullptr, nullptr, nullptr, french, label, 0, {nullptr, nullptr}, true};
}

constexpr ManifestKey setting(const char* name, Field field, int Manifest::*member, int low, int high,
                              const char* meaning, const char* meaningInFrench, const char* french,
                              const char* label) {
    return ManifestKey{name, field, KeyScope::Quiz, KeyKind::Number, PlainText, nullptr, member, low, high,
                       meaning, meaningInFrench, nullptr, french, label, 0, {nullptr, nullptr}, true};
}

constexpr ManifestKey whole(const char* name, Field field, KeyKind kind, const char* french, const char* label) {
    return ManifestKey{name, field, KeyScope::Quiz, kind, CodeText, nullptr, nullptr, 0, 0,
                       nullptr, nullptr, nullptr, french, label, 0, {nullptr, nullptr}, true};
}

constexpr ManifestKey questionKey(const char* name, Field field, KeyKind kind, TextKind text,
                                  std::string ManifestQuestion::*member, const char* french, const char* label,
                                  int bankColumn, const char* alias, const char* otherAlias = nullptr,
                                  bool writtenWhenEmpty = true) {
    return ManifestKey{name, field, KeyScope::Question, kind, text, nullptr, nullptr, 0, 0,
                       nullptr, nullptr, member, french, label, bankColumn, {alias, otherAlias}, writtenWhenEmpty};
}

const SettingChoice settingChoices[] = {
    {Field::Style, StyleText, "text", u8"Texte", u8"Texte (une ligne par question)"},
    {Field::Style, StylePictures, "pictures", u8"Images", u8"Images"},
    {Field::Style, StyleSounds, "sounds", u8"Sons", u8"Sons"},
    {Field::Style, StyleVideos, "videos", u8"Vidéos", u8"Vidéos"},
    {Field::QuestionFormat, OneAnswer, "one answer", u8"Une réponse", u8"Une réponse"},
    {Field::QuestionFormat, TwoAnswers, "two answers", u8"Deux réponses", u8"Deux réponses"},
    {Field::AnswerMode, ModeAnswerPicture, "answer picture", u8"Image de la réponse", u8"Image de la réponse"},
    {Field::AnswerMode, ModeRevealText, "reveal text", u8"Texte", u8"Texte"},
    {Field::AnswerMode, ModeRevealAndPicture, "reveal text and picture", u8"Texte et image", u8"Texte et image"},
    {Field::AnswerMode, ModeAllRevealsAtEnd, "every reveal text at the end", u8"Tous les textes à la fin",
     u8"Tous les textes à la fin"},
};

}  // namespace

const ManifestKey manifestKeys[ManifestKeyCount] = {
    quizText("title", Field::Title, &Manifest::title, u8"Titre", u8"&Titre"),
    quizText("creator", Field::Creator, &Manifest::creator, u8"Auteur", u8"A&uteur"),
    quizText("explanation", Field::Explanation, &Manifest::explanation, u8"Explication", u8"E&xplication"),
    quizText("firstRowCaption", Field::FirstRowCaption, &Manifest::firstRowCaption, u8"Légende de la 1re réponse",
             u8"Légende &1re réponse"),
    quizText("secondRowCaption", Field::SecondRowCaption, &Manifest::secondRowCaption, u8"Légende de la 2e réponse",
             u8"Légende &2e réponse"),
    setting("style", Field::Style, &Manifest::style, StyleText, StyleVideos, nullptr, nullptr, u8"Style",
            u8"St&yle"),
    setting("questionFormat", Field::QuestionFormat, &Manifest::questionFormat, OneAnswer, TwoAnswers,
            "1 or 2 answers per question", u8"1 ou 2 réponses par question", u8"Nombre de réponses",
            u8"&Nombre de réponses"),
    setting("answerMode", Field::AnswerMode, &Manifest::answerMode, 0, 255, "a byte, 0 to 255",
            u8"un octet, de 0 à 255", u8"Affichage", u8"Affic&hage"),
    whole("backColour", Field::BackColour, KeyKind::Colour, u8"Couleur de fond", u8"&Couleur de fond"),
    whole("questions", Field::Questions, KeyKind::Questions, u8"Questions", u8"&Questions"),
    whole("codes", Field::Codes, KeyKind::Codes, u8"Codes", u8"Co&des par score"),
    questionKey("answer", Field::Answer, KeyKind::Text, AnswerText, &ManifestQuestion::answer, u8"réponse",
                u8"&Réponse", 2, u8"réponse"),
    questionKey("secondAnswer", Field::SecondAnswer, KeyKind::Text, AnswerText, &ManifestQuestion::secondAnswer,
                u8"deuxième réponse", u8"Deuxième rép&onse", 3, u8"réponse 2", u8"deuxième réponse"),
    questionKey("caption", Field::Caption, KeyKind::Text, PlainText, &ManifestQuestion::caption, u8"libellé",
                u8"&Libellé", 1, "question"),
    questionKey("reveal", Field::Reveal, KeyKind::Text, PlainText, &ManifestQuestion::reveal, u8"révélation",
                u8"Ré&vélation", 4, u8"révélation"),
    questionKey("media", Field::Media, KeyKind::Path, PlainText, &ManifestQuestion::media, u8"média", u8"&Média", 5,
                u8"média"),
    questionKey("answerPicture", Field::AnswerPicture, KeyKind::Path, PlainText, &ManifestQuestion::answerPicture,
                u8"image de la réponse", u8"Ima&ge de la réponse", 6, u8"image réponse"),
    // Browsers play no AVI: the page of a video quiz shows this file instead.
    // Only video quizzes use it, so a manifest names it only when it is set.
    questionKey("webVideo", Field::WebVideo, KeyKind::Path, PlainText, &ManifestQuestion::webVideo,
                u8"vidéo pour le navigateur", u8"V&idéo navigateur", 0, nullptr, nullptr, false),
};

const ManifestKey* keyOf(Field field) {
    for (const ManifestKey& key : manifestKeys)
        if (key.field == field) return &key;
    return nullptr;
}

const char* keyName(Field field) {
    const ManifestKey* key = keyOf(field);
    return key ? key->name : "";
}

const ManifestKey* findKey(const std::string& name, KeyScope scope) {
    for (const ManifestKey& key : manifestKeys)
        if (key.scope == scope && name == key.name) return &key;
    return nullptr;
}

bool isQuestionField(Field field) {
    const ManifestKey* key = keyOf(field);
    return key && key->scope == KeyScope::Question;
}

std::string keyPath(Field field, int index) {
    if (isQuestionField(field))
        return keyPath(Field::Questions, index) + (index < 0 ? "" : ".") + keyName(field);
    return std::string(keyName(field)) + (index < 0 ? "" : "[" + std::to_string(index) + "]");
}

TextKind textKindIn(const ManifestKey& key, int questionFormat) {
    if (key.field == Field::SecondAnswer && questionFormat != TwoAnswers) return PlainText;
    return key.text;
}

std::vector<SettingChoice> choicesOf(Field setting) {
    std::vector<SettingChoice> choices;
    for (const SettingChoice& choice : settingChoices)
        if (choice.setting == setting) choices.push_back(choice);
    return choices;
}

const SettingChoice* choiceOf(Field setting, int value) {
    for (const SettingChoice& choice : settingChoices)
        if (choice.setting == setting && choice.value == value) return &choice;
    return nullptr;
}

Message meaningOf(const ManifestKey& key) {
    if (key.meaning) return {key.meaning, key.meaningInFrench};
    Message meaning;
    for (const SettingChoice& choice : choicesOf(key.field)) {
        const std::string value = std::to_string(choice.value) + " ";
        meaning.english += (meaning.english.empty() ? "" : ", ") + value + choice.english;
        meaning.french += (meaning.french.empty() ? "" : ", ") + value + choice.french;
    }
    return meaning;
}
