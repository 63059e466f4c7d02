#include "wording.h"

#include <filesystem>

namespace {

struct Words {
    Field field;
    const char* words;
};

const Words fieldWords[] = {
    {Field::Title, u8"Titre"}, {Field::Creator, u8"Auteur"}, {Field::Explanation, u8"Explication"},
    {Field::FirstRowCaption, u8"Légende de la 1re réponse"}, {Field::SecondRowCaption, u8"Légende de la 2e réponse"},
    {Field::Style, u8"Style"}, {Field::QuestionFormat, u8"Nombre de réponses"}, {Field::AnswerMode, u8"Affichage"},
    {Field::BackColour, u8"Couleur de fond"}, {Field::Codes, u8"Codes"}, {Field::Answer, u8"réponse"},
    {Field::SecondAnswer, u8"deuxième réponse"}, {Field::Caption, u8"libellé"}, {Field::Reveal, u8"révélation"},
    {Field::Media, u8"média"}, {Field::AnswerPicture, u8"image de la réponse"}, {Field::Questions, u8"Questions"},
};

const char* wordsFor(Field field) {
    for (const Words& words : fieldWords)
        if (words.field == field) return words.words;
    return "";
}

}  // namespace

std::string documentName(const EditorModel& model) {
    if (model.path.empty()) return u8"Sans nom";
    return std::filesystem::u8path(model.path).filename().u8string();
}

std::string windowTitle(const EditorModel& model) {
    std::string title = textOf(model, Field::Title);
    return (title.empty() ? std::string(u8"Sans titre") : title) + u8" – " + documentName(model) +
           (isDirty(model) ? " *" : "") + u8" – Éditeur de quiz";
}

std::string describePlace(const std::string& where) {
    const ProblemPlace place = placeOf(where);
    if (where.empty()) return u8"Fichier";
    if (place.field == Field::None) return std::string(u8"Clé « ") + where + u8" »";
    if (place.question >= 0) {
        std::string question = "Question " + std::to_string(place.question + 1);
        return place.field == Field::Questions ? question : question + u8" – " + wordsFor(place.field);
    }
    if (place.field == Field::Codes && place.code >= 0)
        return std::string(u8"Codes – score ") + std::to_string(place.code + 1);
    return wordsFor(place.field);
}

std::string describeImportNotes(const std::vector<ImportNote>& notes, size_t shown) {
    static const char* const kinds[] = {u8"erreur", u8"attention", u8"ignorée", u8"note"};
    std::string text;
    for (size_t i = 0; i < notes.size() && i < shown; ++i) {
        const ImportNote& note = notes[i];
        text += u8"\n• " + (note.line > 0 ? u8"ligne " + std::to_string(note.line) + ", " : std::string()) +
                kinds[note.kind] + u8" : " + note.french;
    }
    if (notes.size() > shown) text += u8"\n… et " + std::to_string(notes.size() - shown) + u8" autres.";
    return text;
}
