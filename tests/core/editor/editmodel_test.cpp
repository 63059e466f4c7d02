// The editing model: each change to the quiz, undo, the saved state, the
// problems following the edits, and the saved manifest checking as the
// model does. Texts are UTF-8 written with escapes, whatever the compiler's
// execution character set.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "editmodel.h"
#include "wording.h"

namespace fs = std::filesystem;

namespace {

// Three questions A, B, C of a text quiz; opened, the first is selected.
const char threeQuestions[] =
    R"({"title":"Capitales","style":0,"questions":[{"answer":"A"},{"answer":"B"},{"answer":"C"}],"codes":["X"]})";

EditorModel opened(const std::string& json, const std::string& path = "/quiz/quiz.json") {
    EditorModel model;
    std::string error;
    EXPECT_TRUE(openManifestText(&model, json, path, &error)) << error;
    return model;
}

std::string answers(const EditorModel& model) {
    std::string list;
    for (int i = 0; i < questionCount(model); ++i) list += (i ? "," : "") + textOf(model, Field::Answer, i);
    return list;
}

bool hasProblemAt(const EditorModel& model, const std::string& where, bool error) {
    for (const Problem& problem : model.problems)
        if (problem.where == where && problem.error == error) return true;
    return false;
}

// A folder of its own under the system's temporary folder, removed after.
struct ScratchFolder {
    fs::path path;
    ScratchFolder() {
        path = fs::temp_directory_path() / ("quizeditor-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path / "img");
    }
    ~ScratchFolder() { fs::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).u8string(); }
};

std::string fileText(const std::string& path) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

typedef std::function<bool(EditorModel*)> Change;

}  // namespace

TEST(EditingModel, EachChangeGivesItsQuestionsAndSelectionAndOneThatCannotApplyChangesNothing) {
    const struct {
        const char* name;
        int selected;
        Change change;
        const char* answers;   // after the change; "A,B,C" when it cannot apply
        int selectedAfter;
    } cases[] = {
        {"add after the selected", 1, addQuestion, "A,B,,C", 2},
        {"add with none selected", -1, addQuestion, "A,B,C,", 3},
        {"delete the middle", 1, deleteQuestion, "A,C", 1},
        {"delete the last", 2, deleteQuestion, "A,B", 1},
        {"move up", 1, [](EditorModel* m) { return moveQuestion(m, -1); }, "B,A,C", 0},
        {"move down", 1, [](EditorModel* m) { return moveQuestion(m, +1); }, "A,C,B", 2},
        {"set the selected answer", 1, [](EditorModel* m) { return setText(m, Field::Answer, "Rome"); }, "A,Rome,C", 1},
        {"move the first up", 0, [](EditorModel* m) { return moveQuestion(m, -1); }, "A,B,C", 0},
        {"move the last down", 2, [](EditorModel* m) { return moveQuestion(m, +1); }, "A,B,C", 2},
        {"delete with none selected", -1, deleteQuestion, "A,B,C", -1},
        {"answer with none selected", -1, [](EditorModel* m) { return setText(m, Field::Answer, "Z"); }, "A,B,C", -1},
        {"the same title again", 0, [](EditorModel* m) { return setText(m, Field::Title, "Capitales"); }, "A,B,C", 0},
        {"the same style again", 0, [](EditorModel* m) { return setSetting(m, Field::Style, 0); }, "A,B,C", 0},
    };
    for (const auto& c : cases) {
        EditorModel model = opened(threeQuestions);
        selectQuestion(&model, c.selected);
        const bool applies = std::string(c.answers) != "A,B,C";
        EXPECT_EQ(c.change(&model), applies) << c.name;
        EXPECT_EQ(answers(model), c.answers) << c.name;
        EXPECT_EQ(model.selected, c.selectedAfter) << c.name;
        EXPECT_EQ(isDirty(model), applies) << c.name;
        EXPECT_EQ(canUndo(model), applies) << c.name;
    }
    EditorModel full;
    startNewQuiz(&full);
    for (int i = 1; i < MaxQuestions; ++i) addQuestion(&full);
    EXPECT_EQ(questionCount(full), MaxQuestions);
    EXPECT_FALSE(addQuestion(&full));
}

TEST(EditingModel, CodesAreOneALineAndTextsAreCheckedIntoWindows1252) {
    EditorModel model = opened(threeQuestions);
    setText(&model, Field::Codes, "C1\r\n\r\nC3");
    EXPECT_EQ(model.document["codes"], ManifestDocument::array({"C1", "", "C3"}));
    EXPECT_EQ(textOf(model, Field::Codes), "C1\r\n\r\nC3");
    setText(&model, Field::Codes, "");
    EXPECT_EQ(model.document["codes"], ManifestDocument::array());
    setText(&model, Field::Creator, "\xC3\x89quipe");  // "Équipe"
    EXPECT_EQ(model.manifest.creator, "\xC9quipe");
}

TEST(EditingModel, UndoTakesBackTheLastChangeAndRedoPutsItBack) {
    const Change changes[] = {
        addQuestion,
        deleteQuestion,
        [](EditorModel* m) { return moveQuestion(m, +1); },
        [](EditorModel* m) { return setText(m, Field::Reveal, "Sur le Tibre"); },
        [](EditorModel* m) { return setSetting(m, Field::AnswerMode, 3); },
        [](EditorModel* m) { return setColour(m, 0xFF0000); },
    };
    for (const Change& change : changes) {
        EditorModel model = opened(threeQuestions);
        selectQuestion(&model, 1);
        const ManifestDocument before = model.document;
        change(&model);
        const ManifestDocument after = model.document;
        const int selectedAfter = model.selected;
        ASSERT_TRUE(undoLastChange(&model));
        EXPECT_EQ(model.document, before);
        EXPECT_EQ(model.selected, 1);
        EXPECT_FALSE(isDirty(model));
        EXPECT_FALSE(undoLastChange(&model));
        ASSERT_TRUE(redoLastChange(&model));
        EXPECT_FALSE(redoLastChange(&model));
        EXPECT_EQ(model.document, after);
        EXPECT_EQ(model.selected, selectedAfter);
        EXPECT_TRUE(isDirty(model));
    }
}

TEST(EditingModel, KeystrokesInOneFieldAreOneChangeToUndo) {
    EditorModel model = opened(threeQuestions);
    selectQuestion(&model, 0);
    for (const char* typed : {"P", "Pa", "Par"}) setText(&model, Field::Answer, typed);
    setText(&model, Field::Reveal, "S");
    setText(&model, Field::Reveal, "Se");
    undoLastChange(&model);
    EXPECT_EQ(textOf(model, Field::Answer), "Par");
    EXPECT_EQ(textOf(model, Field::Reveal), "");
    // Typing the same field of another question starts a new change.
    setText(&model, Field::Answer, "Pari");
    selectQuestion(&model, 1);
    setText(&model, Field::Answer, "Bx");
    undoLastChange(&model);
    EXPECT_EQ(answers(model), "Pari,B,C");
}

TEST(EditingModel, SavingMarksTheQuizSavedAndUndoingPastTheSaveMarksItChanged) {
    ScratchFolder folder;
    EditorModel model = opened(threeQuestions, folder.file("quiz.json"));
    setText(&model, Field::Title, "Villes");
    std::string error;
    ASSERT_TRUE(saveManifest(&model, folder.file("quiz.json"), &error)) << error;
    EXPECT_FALSE(isDirty(model));
    undoLastChange(&model);
    EXPECT_TRUE(isDirty(model));
    redoLastChange(&model);
    EXPECT_FALSE(isDirty(model));
    EXPECT_FALSE(saveManifest(&model, folder.file("missing/quiz.json"), &error));
    EXPECT_EQ(model.path, folder.file("quiz.json"));
}

TEST(EditingModel, ProblemsFollowTheEditsAndRefusedTextsStayAsTyped) {
    const struct {
        Field field;
        std::string text;
        const char* where;
        bool error;
    } cases[] = {
        {Field::Answer, "a|b", "questions[1].answer", true},
        {Field::Answer, "caf\xC3\xA9 ", "questions[1].answer", false},  // "café ": a trailing space
        {Field::Caption, "a \xE2\x86\x92 b", "questions[1].caption", true},  // an arrow Windows-1252 lacks
        {Field::Title, std::string(260, 'x'), "title", true},
        {Field::Codes, "A\r\nB\r\nC\r\nD", "codes", true},  // more codes than questions
        {Field::Media, "img/a.jpg", "questions[1].media", true},  // media in a text quiz
        {Field::Answer, "", "questions[1].answer", true},  // no pupil could finish the quiz
    };
    for (const auto& c : cases) {
        EditorModel model = opened(threeQuestions);
        selectQuestion(&model, 1);
        EXPECT_FALSE(hasProblemAt(model, c.where, c.error)) << c.text;
        setText(&model, c.field, c.text);
        EXPECT_TRUE(hasProblemAt(model, c.where, c.error)) << c.text;
        EXPECT_EQ(textOf(model, c.field), c.text);
        undoLastChange(&model);
        EXPECT_FALSE(hasProblemAt(model, c.where, c.error)) << c.text;
    }
}

TEST(EditingModel, TheSavedManifestChecksAsTheModelDoesAndOpensAgainAlike) {
    ScratchFolder folder;
    std::ofstream(folder.file("img/ok.jpg"), std::ios::binary) << "not a picture";
    const std::string manifests[] = {
        threeQuestions,
        R"({"titel":"x","style":"1","questions":[{"answer":"Rome","media":"img/ok.jpg","anwser":1},"Paris"]})",
        R"({"style":1,"answerMode":1,"questions":[{"answer":"\u00c9t\u00e9","media":"img/none.jpg"}],"codes":[1,"a|b"]})",
        R"({"questions":[]})",
    };
    for (const std::string& json : manifests) {
        EditorModel model = opened(json, folder.file("quiz.json"));
        setText(&model, Field::Creator, "Moi");
        std::string error;
        ASSERT_TRUE(saveManifest(&model, folder.file("quiz.json"), &error)) << error;
        Manifest manifest;
        PreparedQuiz prepared;
        std::vector<Problem> checked;
        prepareQuiz(folder.file("quiz.json"), PrepareOptions(), &manifest, &prepared, &checked);
        ASSERT_EQ(checked.size(), model.problems.size()) << json;
        for (size_t i = 0; i < checked.size(); ++i) {
            EXPECT_EQ(checked[i].where, model.problems[i].where) << json;
            EXPECT_EQ(checked[i].message, model.problems[i].message) << json;
        }
        EditorModel reopened;
        ASSERT_TRUE(openManifestFile(&reopened, folder.file("quiz.json"), &error));
        EXPECT_EQ(reopened.document, model.document) << json;
    }
}

TEST(EditingModel, OnlyAJsonObjectOpensAndTheModelIsThenUntouched) {
    EditorModel model = opened(threeQuestions);
    std::string error;
    for (const char* text : {"", "[1,2]", "{\"title\":", "\"quiz\""}) {
        EXPECT_FALSE(openManifestText(&model, text, "/other/quiz.json", &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(model.path, "/quiz/quiz.json");
        EXPECT_EQ(answers(model), "A,B,C");
    }
}

TEST(EditingModel, MediaPathsAreRelativeToTheManifestAndFollowItToAnotherFolder) {
    ScratchFolder folder;
    fs::create_directories(folder.path / "quizzes" / "deep");
    EditorModel model;
    startNewQuiz(&model);
    // A new quiz has no folder yet: the chosen path stays whole until saved.
    const std::string picture = folder.file("img/paris.jpg");
    setText(&model, Field::Media, mediaPathFor(model, picture));
    EXPECT_EQ(textOf(model, Field::Media), fs::u8path(picture).generic_u8string());
    std::string error;
    ASSERT_TRUE(saveManifest(&model, folder.file("quiz.json"), &error)) << error;
    EXPECT_EQ(textOf(model, Field::Media), "img/paris.jpg");
    EXPECT_EQ(mediaPathFor(model, folder.file("img/rome.jpg")), "img/rome.jpg");
    ASSERT_TRUE(saveManifest(&model, folder.file("quizzes/deep/quiz.json"), &error)) << error;
    EXPECT_EQ(textOf(model, Field::Media), "../../img/paris.jpg");
    EXPECT_EQ(fs::u8path(mediaFileOf(model, Field::Media)), fs::u8path(picture).lexically_normal());
    EXPECT_NE(fileText(folder.file("quizzes/deep/quiz.json")).find("../../img/paris.jpg"), std::string::npos);
}

TEST(EditingModel, GatheringCopiesTheMediaBesideTheManifestAsOneChangeToUndo) {
    ScratchFolder folder;
    fs::create_directories(folder.path / "photos");
    fs::create_directories(folder.path / "quiz" / "img");
    std::ofstream(folder.file("photos/velo.jpg"), std::ios::binary) << "velo";
    std::ofstream(folder.file("quiz/img/chat.jpg"), std::ios::binary) << "chat";
    EditorModel model = opened(R"({"style":1,"answerMode":3,"questions":[
        {"answer":"V","media":"../photos/velo.jpg","answerPicture":"../photos/velo.jpg"},
        {"answer":"C","media":"img/chat.jpg","answerPicture":"../photos/absent.jpg"}]})",
                               folder.file("quiz/quiz.json"));
    GatherResult gathered;
    std::string error;
    ASSERT_TRUE(gatherMedia(&model, folder.file("quiz"), &gathered, &error)) << error;
    EXPECT_EQ(gathered.copied, 1);
    EXPECT_EQ(gathered.missing, 1);
    EXPECT_EQ(textOf(model, Field::Media, 0), "media/velo.jpg");
    EXPECT_EQ(textOf(model, Field::AnswerPicture, 0), "media/velo.jpg");
    EXPECT_EQ(textOf(model, Field::Media, 1), "img/chat.jpg");               // already beside it
    EXPECT_EQ(textOf(model, Field::AnswerPicture, 1), "../photos/absent.jpg");  // nothing to copy
    EXPECT_EQ(fileText(folder.file("quiz/media/velo.jpg")), "velo");
    EXPECT_TRUE(isDirty(model));
    EXPECT_EQ(nextUndoName(model), u8"le rassemblement des médias");
    undoLastChange(&model);
    EXPECT_EQ(textOf(model, Field::Media, 0), "../photos/velo.jpg");
    // Nothing left outside: no change at all.
    EditorModel gatheredAlready = opened(R"({"questions":[{"answer":"A"}]})", folder.file("quiz/quiz.json"));
    EXPECT_TRUE(gatherMedia(&gatheredAlready, folder.file("quiz"), &gathered, &error));
    EXPECT_FALSE(isDirty(gatheredAlready));
}

TEST(EditingModel, TheFirstSaveOffersTheTitleAsTheFileName) {
    EditorModel model;
    startNewQuiz(&model);
    EXPECT_EQ(nameToSuggest(model), "quiz.json");
    setText(&model, Field::Title, u8"Les capitales : Europe");
    EXPECT_EQ(nameToSuggest(model), u8"Les capitales - Europe.json");
    model = opened(threeQuestions, "/quiz/capitales-2024.json");
    EXPECT_EQ(nameToSuggest(model), "capitales-2024.json");
}

TEST(EditingModel, ANewQuizStartsSavedAndAnImportUnsavedWithNothingToUndo) {
    EditorModel model;
    startNewQuiz(&model);
    EXPECT_EQ(questionCount(model), 1);
    EXPECT_FALSE(isDirty(model));
    Manifest imported;
    imported.questions.resize(2);
    imported.questions[1].answer = "Lyon";
    adoptManifest(&model, imported, "/banks", "geo.json");
    EXPECT_TRUE(isDirty(model));
    EXPECT_FALSE(canUndo(model));
    EXPECT_EQ(answers(model), ",Lyon");
}

TEST(ProblemPlaces, APathNamesItsFieldQuestionAndCode) {
    const struct {
        const char* where;
        Field field;
        int question, code;
        const char* described;
    } cases[] = {
        {"title", Field::Title, -1, -1, "Titre"},
        {"backColour", Field::BackColour, -1, -1, "Couleur de fond"},
        {"questions", Field::Questions, -1, -1, "Questions"},
        {"questions[4]", Field::Questions, 4, -1, "Question 5"},
        {"questions[0].answerPicture", Field::AnswerPicture, 0, -1, "Question 1 \xE2\x80\x93 image de la r\xC3\xA9ponse"},
        {"questions[12].secondAnswer", Field::SecondAnswer, 12, -1, "Question 13 \xE2\x80\x93 deuxi\xC3\xA8me r\xC3\xA9ponse"},
        {"questions[2].webVideo", Field::WebVideo, 2, -1, "Question 3 \xE2\x80\x93 vid\xC3\xA9o pour le navigateur"},
        {"codes", Field::Codes, -1, -1, "Codes"},
        {"codes[2]", Field::Codes, -1, 2, "Codes \xE2\x80\x93 score 3"},
        {"titel", Field::None, -1, -1, "Cl\xC3\xA9 \xC2\xAB titel \xC2\xBB"},
        {"questions[1].anwser", Field::None, 1, -1, "Cl\xC3\xA9 \xC2\xAB questions[1].anwser \xC2\xBB"},
        {"", Field::None, -1, -1, "Fichier"},
    };
    for (const auto& c : cases) {
        ProblemPlace place = placeOf(c.where);
        EXPECT_EQ(place.field, c.field) << c.where;
        EXPECT_EQ(place.question, c.question) << c.where;
        EXPECT_EQ(place.code, c.code) << c.where;
        EXPECT_EQ(describePlace(c.where), c.described);
    }
}

TEST(TryPane, TheVerdictIsThePlayersForTheSelectedAnswer) {
    EditorModel model = opened(
        R"({"questionFormat":2,"questions":[{"answer":"Paris","secondAnswer":"Seine"},{"answer":"a|b"}]})");
    const struct {
        int question, which;
        const char* typed;
        bool judged;
        const char* verdict;
    } cases[] = {
        {0, 0, " Pari", true, "Quasiment"}, {0, 0, "", true, "?"}, {0, 1, "seine", true, "BRAVO"},
        {0, 0, "Par\xE2\x86\x92", true, "Presque"},  // the arrow arrives as one unknown character: "Par?"
        {1, 0, "a|b", false, ""}, {-1, 0, "Paris", false, ""},
    };
    for (const auto& c : cases) {
        selectQuestion(&model, c.question);
        Attempt attempt = tryAnswer(model, c.which, c.typed);
        EXPECT_EQ(attempt.judged, c.judged) << c.typed;
        EXPECT_EQ(attempt.verdict, c.verdict) << c.typed;
    }
}

TEST(TryPane, TheLikelyTyposAreInFrenchWithTheirVerdicts) {
    EditorModel model = opened(R"({"questions":[{"answer":"\u00c9t\u00e9"}]})");  // "Été"
    std::vector<TypoRow> rows = likelyTypos(model, 0);
    ASSERT_GT(rows.size(), 2u);
    EXPECT_EQ(rows[1].what, "en minuscules");
    EXPECT_EQ(rows[1].typed, "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(rows[1].verdict, "Quasiment");  // the player folds only a to z
    EXPECT_EQ(rows[2].what, "sans accents");
    EXPECT_EQ(rows[2].verdict, "Presque");
    selectQuestion(&model, -1);
    EXPECT_TRUE(likelyTypos(model, 0).empty());
}

TEST(Wording, ProblemsAndImportNotesAreInFrenchNamingTheAuthorsFilesAsWritten) {
    const char* const bar = u8"contient « | », que le lecteur lit comme la fin du texte : écrivez une seule réponse "
                            u8"par champ ; une deuxième écriture demande le champ « deuxième réponse », dans un "
                            u8"quiz à « Deux réponses »";
    ScratchFolder folder;
    std::ofstream(folder.file("img/carte.jpg"), std::ios::binary) << "%PDF-1.4\n";
    EditorModel model = opened(R"({"style":1,"questions":[{"answer":"a|b","media":"img/paris.jpg"},
                                  {"answer":"B","media":"img/carte.jpg"}]})",
                               folder.file("quiz.json"));
    const struct { const char *where, *french; } shown[] = {
        {"questions[0].answer", bar},
        {"questions[0].media", u8"fichier introuvable : img/paris.jpg"},
        {"questions[1].media", u8"« img/carte.jpg » n'est pas une image que le lecteur sait afficher : "
                               u8"c'est un document PDF (prenez une image JPEG, PNG, BMP ou GIF)"},
    };
    ASSERT_EQ(model.problems.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(model.problems[i].where, shown[i].where);
        EXPECT_EQ(model.problems[i].french, shown[i].french);
    }
    const std::string bank = u8"question;réponse\nFrance ?;Pa|ris\n";
    ImportResult result;
    importQuestions(Bytes(bank.begin(), bank.end()), ImportOptions(), &result);
    EXPECT_EQ(describeImportNotes(result.notes, 12),
              std::string(u8"\n• ligne 2, erreur : réponse : ") + bar);
    // Past those shown, how many more, the noun agreeing.
    EXPECT_EQ(describeImportNotes(result.notes, 0), u8"\n… et 1 autre.");
}

TEST(Wording, TheWindowTitleNamesTheQuizItsFileAndUnsavedChanges) {
    EditorModel model;
    startNewQuiz(&model);
    EXPECT_EQ(windowTitle(model), "Sans titre \xE2\x80\x93 Sans nom \xE2\x80\x93 \xC3\x89" "diteur de quiz");
    model = opened(threeQuestions, "/quiz/capitales.json");
    EXPECT_EQ(windowTitle(model), "Capitales \xE2\x80\x93 capitales.json \xE2\x80\x93 \xC3\x89" "diteur de quiz");
    setText(&model, Field::Title, "Villes");
    EXPECT_EQ(windowTitle(model), "Villes \xE2\x80\x93 capitales.json * \xE2\x80\x93 \xC3\x89" "diteur de quiz");
    EXPECT_EQ(documentName(model), "capitales.json");
}

TEST(EditingModel, UndoGoesBackThroughEveryChangeNamingEachAndRedoComesForwardUntilANewChange) {
    ScratchFolder folder;
    EditorModel model = opened(threeQuestions, folder.file("quiz.json"));
    setText(&model, Field::Title, "V");
    setText(&model, Field::Title, "Villes");   // typing goes on: one change
    selectQuestion(&model, 1);
    setText(&model, Field::Answer, "Berne");
    setSetting(&model, Field::AnswerMode, 3);
    deleteQuestion(&model);
    moveQuestion(&model, -1);
    addQuestion(&model);
    const char* const names[] = {
        u8"l'ajout de la question 2", u8"le d\u00e9placement de la question 2", u8"la suppression de la question 2",
        u8"la modification de \u00ab Affichage \u00bb", u8"la modification de \u00ab r\u00e9ponse \u00bb \u00e0 la question 2",
        u8"la modification de \u00ab Titre \u00bb",
    };
    for (const char* name : names) {
        EXPECT_EQ(nextUndoName(model), name);
        ASSERT_TRUE(undoLastChange(&model)) << name;
        EXPECT_EQ(nextRedoName(model), name);
    }
    EXPECT_FALSE(canUndo(model));
    EXPECT_EQ(textOf(model, Field::Title), "Capitales");
    EXPECT_EQ(answers(model), "A,B,C");
    EXPECT_FALSE(isDirty(model));
    for (int i = 0; i < 4; ++i) redoLastChange(&model);
    EXPECT_EQ(answers(model), "A,C");
    EXPECT_EQ(settingOf(model, Field::AnswerMode), 3);
    // Saving elsewhere keeps every state of the history pointing at the same files.
    setText(&model, Field::Media, "img/a.jpg");
    EXPECT_FALSE(canRedo(model));
    std::string error;
    fs::create_directories(fs::u8path(folder.file("deep")));
    ASSERT_TRUE(saveManifest(&model, folder.file("deep/quiz.json"), &error)) << error;
    setText(&model, Field::Media, "");
    undoLastChange(&model);
    EXPECT_EQ(textOf(model, Field::Media), "../img/a.jpg");
    // The history keeps its last changes, not every one.
    for (int i = 0; i < UndoLimit + 10; ++i) setSetting(&model, Field::Style, i % 2);
    EXPECT_EQ(model.undoSteps.size(), static_cast<size_t>(UndoLimit));
}

TEST(EditingModel, TheTryPaneStartsEmptyForAnotherQuestionAQuestionMovedAndAnotherQuiz) {
    const std::function<void(EditorModel*)> leaving[] = {
        [](EditorModel* m) { selectQuestion(m, 2); },
        [](EditorModel* m) { deleteQuestion(m); },
        [](EditorModel* m) { moveQuestion(m, 1); },
        [](EditorModel* m) { addQuestion(m); },
        [](EditorModel* m) { startNewQuiz(m); },
        [](EditorModel* m) {
            std::string error;
            openManifestText(m, threeQuestions, "/quiz/other.json", &error);
        },
    };
    for (const auto& leave : leaving) {
        EditorModel model = opened(threeQuestions);
        selectQuestion(&model, 1);
        setTryText(&model, "Bx");
        setText(&model, Field::Answer, "By");   // the question's own change keeps it
        EXPECT_EQ(tryTextOf(model), "Bx");
        leave(&model);
        EXPECT_EQ(tryTextOf(model), "");
        if (model.selected >= 0 && canUndo(model)) {
            undoLastChange(&model);   // and coming back to the question does not bring it back
            EXPECT_EQ(tryTextOf(model), "");
        }
    }
}

TEST(EditingModel, TheUnsavedChangesQuestionNamesTheQuizByItsTitleAndTheStatusTheQuestionDeleted) {
    EditorModel model = opened(threeQuestions);
    EXPECT_EQ(unsavedChangesQuestion(model), u8"Enregistrer les modifications du quiz \u00ab Capitales \u00bb ?");
    setText(&model, Field::Title, "");
    EXPECT_EQ(unsavedChangesQuestion(model), u8"Enregistrer les modifications de \u00ab quiz.json \u00bb ?");
    selectQuestion(&model, 1);
    deleteQuestion(&model);
    const std::string deleted = u8"Question 2 \u00ab B \u00bb supprim\u00e9e (Ctrl+Z l'annule) \u2013 2 questions";
    EXPECT_EQ(describeStatus(model).rfind(deleted, 0), 0u) << describeStatus(model);
    selectQuestion(&model, 0);   // still the last change
    EXPECT_EQ(describeStatus(model).rfind(deleted, 0), 0u);
    undoLastChange(&model);
    EXPECT_EQ(describeStatus(model), describeCounts(model));
    redoLastChange(&model);
    setText(&model, Field::Title, "T");
    EXPECT_EQ(describeStatus(model), describeCounts(model));
}

TEST(Exporting, TheTypedExtensionOrElseTheTypeShownDecidesBetweenThePageAndThePackage) {
    const struct {
        const char* chosen;
        int type;
        const char* path;
        ExportKind kind;
    } cases[] = {
        {"C:/Quiz/capitales", 0, "C:/Quiz/capitales.html", ExportKind::Page},
        {"C:/Quiz/capitales", 1, "C:/Quiz/capitales.zip", ExportKind::ScormPackage},
        {"C:/Quiz/capitales.html", 1, "C:/Quiz/capitales.html", ExportKind::Page},
        {"C:/Quiz/capitales.HTM", 1, "C:/Quiz/capitales.HTM", ExportKind::Page},
        {"C:/Quiz/capitales.Zip", 0, "C:/Quiz/capitales.Zip", ExportKind::ScormPackage},
        {"C:/Quiz/v1.2", 1, "C:/Quiz/v1.2.zip", ExportKind::ScormPackage},
        {u8"C:/Quiz/\u00e9t\u00e9.json", 0, u8"C:/Quiz/\u00e9t\u00e9.json.html", ExportKind::Page},
    };
    for (const auto& c : cases) {
        const ExportTarget target = exportTargetFor(c.chosen, c.type);
        EXPECT_EQ(target.path, c.path) << c.chosen << " " << c.type;
        EXPECT_EQ(target.kind, c.kind) << c.chosen << " " << c.type;
    }
}
