#pragma once
// The editor's French texts that depend on the model: the window's title,
// the name a document goes by, where a problem lies and the notes of an
// import. UTF-8, like the model's texts.
#include <string>
#include <vector>

#include "editmodel.h"
#include "importer.h"

// "Titre – quiz.json * – Éditeur de quiz", the star while unsaved.
std::string windowTitle(const EditorModel& model);
// The file's name, or "Sans nom" before the first save.
std::string documentName(const EditorModel& model);
// Where a problem lies, from its JSON path: "Question 3 – réponse",
// "Titre", "Codes – score 2", "Clé « titel »"; "Fichier" for the whole
// manifest.
std::string describePlace(const std::string& where);
// What the status line says while nothing runs: "12 questions – 2 erreurs,
// 1 avertissement", or "… – prêt à construire" when there is no error.
std::string describeCounts(const EditorModel& model);
// Why the quiz cannot be built yet: "Le quiz a 2 erreurs : corrigez-les…".
std::string notReadyToBuild(const EditorModel& model);
// An import's notes, one a line ("• ligne 3, erreur : réponse : contient
// « | », ..."), the first shown of them and then how many more there are.
std::string describeImportNotes(const std::vector<ImportNote>& notes, size_t shown);

// The question before unsaved changes are lost, naming the quiz by its
// title: "Enregistrer les modifications du quiz « Capitales » ?" (by its
// file's name while it has no title).
std::string unsavedChangesQuestion(const EditorModel& model);
// The status line while nothing runs: the counts, after the question just
// deleted when that was the last change ("Question 4 « Paris » supprimée
// (Ctrl+Z l'annule) – 3 questions – prêt à construire").
std::string describeStatus(const EditorModel& model);
