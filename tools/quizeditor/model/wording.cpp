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

std::string unsavedChangesQuestion(const EditorModel& model) {
    const std::string title = textOf(model, Field::Title);
    return u8"Enregistrer les modifications " +
           (title.empty() ? u8"de « " + documentName(model) : u8"du quiz « " + title) + u8" » ?";
}

std::string describeStatus(const EditorModel& model) {
    const std::string counts = describeCounts(model);
    // The last change is the deletion, and no undo came since.
    if (model.undoSteps.empty() || model.version != model.lastVersion) return counts;
    const EditStep& last = model.undoSteps.back();
    if (last.kind != ChangeKind::DeleteQuestion) return counts;
    const ManifestDocument& questions = last.state.document[keyName(Field::Questions)];
    std::string answer;
    if (questions.is_array() && last.question >= 0 && last.question < static_cast<int>(questions.size()) &&
        questions[static_cast<size_t>(last.question)].is_object()) {
        const ManifestDocument& deleted = questions[static_cast<size_t>(last.question)];
        const char* key = keyName(Field::Answer);
        if (deleted.contains(key) && deleted[key].is_string() && !deleted[key].get<std::string>().empty())
            answer = u8" « " + deleted[key].get<std::string>() + u8" »";
    }
    return "Question " + std::to_string(last.question + 1) + answer + u8" supprimée (Ctrl+Z l'annule) – " + counts;
}
