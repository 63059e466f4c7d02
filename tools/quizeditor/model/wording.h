#pragma once
// The editor's French texts that depend on the model: the window's title,
// the name a document goes by, where a problem lies, and what was done to
// an answer to make a likely typo. UTF-8, like the model's texts.
#include <string>

#include "editmodel.h"

// "Titre – quiz.json * – Éditeur de quiz", the star while unsaved.
std::string windowTitle(const EditorModel& model);
// The file's name, or "Sans nom" before the first save.
std::string documentName(const EditorModel& model);
// Where a problem lies, from its JSON path: "Question 3 – réponse",
// "Titre", "Codes – score 2", "Clé « titel »"; "Fichier" for the whole
// manifest.
std::string describePlace(const std::string& where);
// The French words for a label of likelyAnswers ("no accents").
std::string frenchVariantLabel(const std::string& label);
