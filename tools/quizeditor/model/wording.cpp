#include "wording.h"

#include <filesystem>

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
        return place.field == Field::Questions ? question : question + u8" – " + keyOf(place.field)->french;
    }
    if (place.field == Field::Codes && place.code >= 0)
        return keyOf(Field::Codes)->french + std::string(u8" – score ") + std::to_string(place.code + 1);
    return keyOf(place.field)->french;
}

std::string describeCounts(const EditorModel& model) {
    const ProblemCounts counts = countProblems(model);
    std::string text = countedInFrench(static_cast<unsigned>(questionCount(model)), "question", "questions") + u8" – ";
    text += counts.errors ? countedInFrench(static_cast<unsigned>(counts.errors), "erreur", "erreurs")
                          : std::string(u8"prêt à construire");
    if (counts.warnings)
        text += ", " + countedInFrench(static_cast<unsigned>(counts.warnings), "avertissement", "avertissements");
    return text;
}

std::string notReadyToBuild(const EditorModel& model) {
    const int errors = countProblems(model).errors;
    return u8"Le quiz a " + countedInFrench(static_cast<unsigned>(errors), "erreur", "erreurs") +
           (errors < 2 ? u8" : corrigez-la avant de le construire (la liste des problèmes la montre)."
                       : u8" : corrigez-les avant de le construire (la liste des problèmes les montre).");
}

std::string describeImportNotes(const std::vector<ImportNote>& notes, size_t shown) {
    static const char* const kinds[] = {u8"erreur", u8"attention", u8"ignorée", u8"note"};
    std::string text;
    for (size_t i = 0; i < notes.size() && i < shown; ++i) {
        const ImportNote& note = notes[i];
        text += u8"\n• " + (note.line > 0 ? u8"ligne " + std::to_string(note.line) + ", " : std::string()) +
                kinds[note.kind] + u8" : " + note.french;
    }
    if (notes.size() > shown) text += u8"\n… et " + countedInFrench(notes.size() - shown, "autre", "autres") + ".";
    return text;
}
