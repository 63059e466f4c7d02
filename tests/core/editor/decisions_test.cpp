// What the editor's model decides for its windows: which commands can run,
// the menus and shortcuts they are shown with, the choices of each setting
// and the value each stands for, what each preview shows, the labels of the
// fields, and whether the quiz is ready to build. Texts are UTF-8 written
// with escapes, whatever the compiler's execution character set.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "editcommands.h"
#include "controls.h"
#include "editmodel.h"
#include "preview.h"
#include "wording.h"

namespace fs = std::filesystem;

namespace {

EditorModel opened(const std::string& json, const std::string& path = "/quiz/quiz.json") {
    EditorModel model;
    std::string error;
    EXPECT_TRUE(openManifestText(&model, json, path, &error)) << error;
    return model;
}

// The table's row of a command, and of a field.
const CommandRow& commandOf(EditorCommand command) {
    for (const CommandRow& row : editorCommands)
        if (row.id == command) return row;
    return editorCommands[0];
}

const FieldControl* controlOfField(Field field) {
    for (const FieldControl& pair : fieldControls)
        if (pair.field == field) return &pair;
    return nullptr;
}

// The commands that can run, as a line of menu labels.
std::string runnable(const EditorModel& model, bool busy) {
    std::string list;
    for (const CommandRow& row : editorCommands)
        if (canRun(CommandContext{&model, busy}, row.id)) list += std::string(list.empty() ? "" : ",") + row.label;
    return list;
}

}  // namespace

TEST(Commands, WhatCanRunFollowsTheSelectionTheLimitTheUndoAndTheRunningJob) {
    const std::string always = u8"&Enregistrer,Enregistrer &sous…,&Quitter";
    const std::string files = u8"&Nouveau,&Ouvrir…,Ouvrir un quiz (.exe)…,&Importer…,";
    const std::string builds = u8"&Construire…,&Tester,E&xporter pour le navigateur…,";
    EditorModel model = opened(R"({"questions":[{"answer":"A"},{"answer":"B"},{"answer":"C"}]})");
    const std::string add = u8"A&jouter une question", remove = u8"&Supprimer la question";
    const std::string up = u8"&Monter la question", down = u8"&Descendre la question";
    // Exporting for browsers, like building, waits for a running job.
    EXPECT_EQ(runnable(model, false), files + u8"&Enregistrer,Enregistrer &sous…," + builds + u8"&Quitter," + add +
                                          "," + remove + "," + down + u8",Rassem&bler les médias");
    selectQuestion(&model, 1);
    EXPECT_EQ(runnable(model, true), always + "," + add + "," + remove + "," + up + "," + down);
    selectQuestion(&model, 2);
    setText(&model, Field::Title, "T");
    EXPECT_EQ(runnable(model, true), always + u8",&Annuler," + add + "," + remove + "," + up);
    selectQuestion(&model, -1);
    EXPECT_EQ(runnable(model, true), always + u8",&Annuler," + add);
    for (int i = 3; i < MaxQuestions; ++i) addQuestion(&model);
    EXPECT_EQ(questionCount(model), MaxQuestions);
    EXPECT_FALSE(canRun(CommandContext{&model, false}, CommandAddQuestion));
}

TEST(Commands, MenusShowEachShortcutAndEveryKeyAndButtonRunsOneCommand) {
    std::set<int> ids, keys, listKeys, buttons;
    for (const CommandRow& row : editorCommands) {
        EXPECT_TRUE(ids.insert(row.id).second) << row.label;
        const KeyShortcut& key = row.shortcut;
        if (key.key) {
            EXPECT_TRUE(keys.insert(key.key * 4 + key.control * 2 + key.alt).second) << row.label;
        }
        if (row.listKey) {
            EXPECT_TRUE(listKeys.insert(row.listKey).second) << row.label;
        }
        if (row.button) {
            EXPECT_TRUE(buttons.insert(row.button).second) << row.label;
        }
    }
    EXPECT_EQ(ids.size(), static_cast<size_t>(EditorCommandCount));
    EXPECT_EQ(buttons, (std::set<int>{AddButton, DeleteButton, UpButton, DownButton}));
    const struct { EditorCommand id; const char* text; } shown[] = {
        {CommandNew, u8"&Nouveau\tCtrl+N"},
        {CommandOpenProgram, u8"Ouvrir un quiz (.exe)…"},
        {CommandTest, "&Tester\tF5"},
        {CommandAddQuestion, u8"A&jouter une question\tCtrl+Entrée"},
        {CommandDeleteQuestion, "&Supprimer la question"},   // Ctrl+Suppr deletes a word in a field
        {CommandRedo, u8"&R\u00e9tablir\tCtrl+Y"},
        {CommandMoveUp, "&Monter la question\tAlt+Haut"},
        {CommandMoveDown, "&Descendre la question\tAlt+Bas"},
    };
    for (const auto& s : shown)
        EXPECT_EQ(menuText(commandOf(s.id)), s.text);
    EXPECT_EQ(shortcutText(KeyShortcut{KeyInsert, false, false}), "Inser");
    EXPECT_EQ(std::string(menuTitle(EditMenu)), u8"&Édition");
}

TEST(Commands, AltAndALetterOpenTheMenuItUnderlinesWhateverItsAccentOrCase) {
    const struct {
        unsigned long character;
        int menu;
    } cases[] = {{'e', EditMenu}, {'E', EditMenu}, {0xE9, EditMenu}, {0xC9, EditMenu}, {'f', FileMenu},
                 {'F', FileMenu}, {'z', -1}, {0x2192, -1}, {0, -1}};
    for (const auto& c : cases) EXPECT_EQ(menuOfLetter(c.character), c.menu) << c.character;
}

TEST(Commands, CtrlBackspaceAndCtrlDeleteTakeTheWordBesideTheCaretAndASelectionAsItIs) {
    const std::u16string text = u"Le ch\u00e2teau  de   l'\u00eele, vu.";
    const struct {
        size_t start, end;
        bool forward;
        size_t from, to;
    } cases[] = {
        {0, 0, true, 0, 3},      // "Le "
        {3, 3, true, 3, 12},     // "ch\u00e2teau  ": accented letters are letters
        {12, 12, false, 3, 12},  // back over the spaces, then the word
        {2, 2, false, 0, 2},     // "Le"
        {0, 0, false, 0, 0},     // nothing before
        {27, 27, true, 27, 27},  // nothing after
        {18, 18, true, 18, 19},  // the apostrophe, a sign on its own
        {22, 22, false, 19, 22}, // "\u00eele"
        {23, 23, false, 22, 23}, // the comma
        {5, 9, false, 5, 9},     // a selection
        {9, 5, true, 5, 9},
        {99, 99, false, 26, 27}, // a caret past the end stands at the end
    };
    for (const auto& c : cases) {
        const TextSpan span = wordToDelete(text, c.start, c.end, c.forward);
        EXPECT_EQ(span.start, c.from) << c.start << (c.forward ? " forward" : " back");
        EXPECT_EQ(span.end, c.to) << c.start << (c.forward ? " forward" : " back");
    }
}

TEST(Settings, EachChoiceStandsForItsValueAndAValueNoChoiceOffersHasNone) {
    EditorModel model = opened(R"({"style":3,"questionFormat":2,"answerMode":7,"questions":[{"answer":"A"}]})");
    EXPECT_EQ(choiceIndexOf(model, Field::Style), 3);
    EXPECT_EQ(choiceIndexOf(model, Field::QuestionFormat), 1);
    EXPECT_EQ(choiceIndexOf(model, Field::AnswerMode), -1);   // 7 is stored, but no choice offers it
    EXPECT_TRUE(setChoiceIndex(&model, Field::AnswerMode, 0));
    EXPECT_EQ(settingOf(model, Field::AnswerMode), ModeAnswerPicture);
    EXPECT_TRUE(setChoiceIndex(&model, Field::QuestionFormat, 0));
    EXPECT_EQ(settingOf(model, Field::QuestionFormat), OneAnswer);
    EXPECT_TRUE(setChoiceIndex(&model, Field::Style, 0));
    EXPECT_EQ(settingOf(model, Field::Style), StyleText);
    EXPECT_FALSE(setChoiceIndex(&model, Field::Style, 0));     // no change
    EXPECT_FALSE(setChoiceIndex(&model, Field::AnswerMode, 4));
    EXPECT_FALSE(setChoiceIndex(&model, Field::AnswerMode, -1));
    EXPECT_EQ(settingOf(model, Field::AnswerMode), ModeAnswerPicture);
    EXPECT_EQ(std::string(choicesOf(Field::Style)[0].label), "Texte (une ligne par question)");
}

TEST(Previews, EachBoxShowsItsPictureOrSaysWhyNot) {
    const fs::path folder = fs::temp_directory_path() / "quizeditor-previews";
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "son.mp3", std::ios::binary) << "ID3";
    std::ofstream(folder / "carte.jpg", std::ios::binary) << "%PDF-1.4\n";
    const std::string manifest = (folder / "quiz.json").u8string();
    const struct { std::string json; PreviewBox box; bool picture; std::string note; } cases[] = {
        {R"({"style":0,"questions":[{"answer":"A"}]})", MediaPreviewBox, false, u8"Aucun média"},
        {R"({"style":1,"questions":[{"answer":"A"}]})", AnswerPicturePreviewBox, false, "Aucune image"},
        {R"({"style":1,"questions":[{"answer":"A","media":"loin.jpg"}]})", MediaPreviewBox, true,
         "Fichier introuvable"},
        {R"({"style":1,"questions":[{"answer":"A","media":"carte.jpg"}]})", MediaPreviewBox, true,
         u8"Aperçu impossible"},
        {R"({"style":2,"questions":[{"answer":"A","media":"son.mp3","answerPicture":"carte.jpg"}]})",
         MediaPreviewBox, false, "son.mp3"},
        {R"({"style":2,"questions":[{"answer":"A","media":"son.mp3","answerPicture":"carte.jpg"}]})",
         AnswerPicturePreviewBox, true, u8"Aperçu impossible"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        const EditorModel model = opened(c.json, manifest);
        const PreviewSource source = previewOf(model, c.box);
        EXPECT_EQ(source.note, c.note);
        EXPECT_EQ(!source.picture.empty(), c.picture);
        EXPECT_EQ(source.colour, 0xFFFFFF);
        Bytes stored;
        EXPECT_FALSE(preparePreview(source, &stored));   // a PDF is no picture, and the rest are none
    }
    fs::remove_all(folder);
}

TEST(Controls, EachFieldHasOneControlAndALabelNamedByItsKey) {
    std::set<int> controls;
    for (const FieldControl& pair : fieldControls) {
        EXPECT_TRUE(controls.insert(pair.control).second);
        EXPECT_EQ(controlOfField(pair.field), &pair);
        EXPECT_EQ(fieldOfEdit(pair.control), pair.edit ? pair.field : Field::None);
        EXPECT_EQ(fieldOfControl(pair.control), pair.field);
        EXPECT_EQ(labelText(pair.label), keyOf(pair.field)->label + std::string(" :"));
    }
    EXPECT_EQ(controls.size(), static_cast<size_t>(Field::None));
    EXPECT_EQ(controlOfField(Field::WebVideo)->control, WebVideoEdit);
    EXPECT_EQ(labelText(WebVideoLabel), u8"V&id\u00e9o navigateur :");
    EXPECT_EQ(labelText(TitleLabel), "&Titre :");
    EXPECT_EQ(labelText(FormatLabel), u8"&Nombre de réponses :");
    EXPECT_EQ(labelText(TryLabel), "");
}

TEST(Readiness, AQuizWithAnErrorIsNotReadyAndTheFirstErrorIsShown) {
    EditorModel model = opened(R"({"questions":[{"answer":" A"},{"answer":"B|"},{"answer":"C|"}]})");
    const ProblemCounts counts = countProblems(model);
    EXPECT_EQ(counts.errors, 2);
    EXPECT_EQ(counts.warnings, 1);
    EXPECT_EQ(model.problems[static_cast<size_t>(counts.firstError)].where, "questions[1].answer");
    EXPECT_FALSE(readyToBuild(model));
    EXPECT_EQ(describeCounts(model), u8"3 questions – 2 erreurs, 1 avertissement");
    EXPECT_EQ(notReadyToBuild(model),
              u8"Le quiz a 2 erreurs : corrigez-les avant de le construire (la liste des problèmes les montre).");
    selectQuestion(&model, 1);
    deleteQuestion(&model);
    EXPECT_EQ(notReadyToBuild(model).find(u8"Le quiz a 1 erreur :"), 0u);
    selectQuestion(&model, 1);
    deleteQuestion(&model);
    EXPECT_TRUE(readyToBuild(model));
    EXPECT_EQ(countProblems(model).firstError, -1);
    EXPECT_EQ(describeCounts(model), u8"1 question – prêt à construire, 1 avertissement");
}

TEST(Controls, TheVideoForBrowsersIsEditedInAVideoQuizOrWhereAQuestionNamesOneAndExplainsWhy) {
    const struct {
        const char* json;
        int selected;
        bool webVideo;
    } cases[] = {
        {R"({"style":3,"questions":[{"answer":"Chat","media":"chat.avi"}]})", 0, true},
        {R"({"style":0,"questions":[{"answer":"Chat"}]})", 0, false},
        {R"({"style":1,"questions":[{"answer":"Chat","media":"chat.jpg"}]})", 0, false},
        // Named all the same (check warns): the author can clear it.
        {R"({"style":2,"questions":[{"answer":"Chat","webVideo":"chat.mp4"}]})", 0, true},
        {R"({"style":3,"questions":[{"answer":"Chat"}]})", -1, false},   // no question selected
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        EditorModel model = opened(c.json);
        selectQuestion(&model, c.selected);
        EXPECT_EQ(fieldInUse(model, Field::WebVideo), c.webVideo);
        EXPECT_EQ(fieldInUse(model, Field::Media), c.selected >= 0);
        EXPECT_TRUE(fieldInUse(model, Field::Title));
    }
    const std::string hint = hintText(WebVideoEdit);
    EXPECT_NE(hint.find(u8"Les navigateurs ne lisent pas l'AVI"), std::string::npos) << hint;
    EXPECT_NE(hint.find("MP4 ou WebM"), std::string::npos) << hint;
    EXPECT_EQ(hint.find('\n'), std::string::npos);
}
