// The question-bank importer: CSV files as spreadsheets export them and GIFT
// files as learning platforms do, what becomes of each question, and every
// problem at its line. UTF-8 texts are u8 literals and Windows-1252 bytes
// are escapes, whatever the compiler's execution character set.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "encoding.h"
#include "importer.h"
#include "manifestjson.h"

namespace {

ImportResult importBank(const std::string& bytes, ImportOptions options = ImportOptions()) {
    if (options.sourcePath.empty()) options.sourcePath = "dossier/banque.csv";
    ImportResult result;
    bool fine = importQuestions(Bytes(bytes.begin(), bytes.end()), options, &result);
    EXPECT_EQ(fine, !importFailed(result));
    return result;
}

// What check does with the written manifest: no error, and the same quiz.
void expectCheckAccepts(const ImportResult& result) {
    std::string json = manifestToJson(result.manifest);
    Manifest loaded;
    std::vector<Problem> problems;
    loadManifestText(json, &loaded, &problems);
    EXPECT_FALSE(hasErrors(problems)) << json;
    EXPECT_EQ(manifestToJson(loaded), json);
}

// Caption, answer, second answer and reveal of each question, in UTF-8.
typedef std::tuple<std::string, std::string, std::string, std::string> Texts;

std::vector<Texts> textsOf(const Manifest& manifest) {
    std::vector<Texts> texts;
    for (const ManifestQuestion& q : manifest.questions)
        texts.emplace_back(cp1252ToUtf8(q.caption), cp1252ToUtf8(q.answer), cp1252ToUtf8(q.secondAnswer),
                           cp1252ToUtf8(q.reveal));
    return texts;
}

struct Expected {
    int line;
    ImportNoteKind kind;
    std::string says;
};

// Every expected note is there, and there is no error besides.
void expectNotes(const ImportResult& result, const std::vector<Expected>& expected) {
    size_t errors = 0, expectedErrors = 0;
    for (const ImportNote& note : result.notes) {
        errors += note.kind == NoteError;
        EXPECT_FALSE(note.french.empty()) << note.message;
    }
    for (const Expected& e : expected) {
        expectedErrors += e.kind == NoteError;
        bool found = false;
        for (const ImportNote& n : result.notes)
            found = found || (n.line == e.line && n.kind == e.kind && n.message.find(e.says) != std::string::npos);
        EXPECT_TRUE(found) << "no note at line " << e.line << " saying: " << e.says;
    }
    EXPECT_EQ(errors, expectedErrors);
}

std::string utf16le(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) bytes += std::string{static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

}  // namespace

TEST(CsvImport, SpreadsheetExportsGiveTheirQuestions) {
    const struct {
        const char* how;
        std::string bytes;
        int questionFormat;
        std::vector<Texts> questions;
    } cases[] = {
        {"LibreOffice: UTF-8, commas, quotes doubled, a line break in a quoted field",
         u8"Question,Réponse,Révélation\n"
         u8"\"Capitale de la France, en Europe ?\",Paris,\"Sur la Seine.\nDepuis 508.\"\n"
         u8"\"Le \"\"roi\"\" des animaux ?\",lion,\n",
         1,
         {Texts{u8"Capitale de la France, en Europe ?", "Paris", "", u8"Sur la Seine.\nDepuis 508."},
          Texts{u8"Le \"roi\" des animaux ?", "lion", "", ""}}},
        {"French spreadsheet: Windows-1252, semicolons, CR LF, an empty row, a second answer",
         "question;r\xE9ponse;Deuxi\xE8me R\xE9ponse\r\nCapitale ?; Ath\xE8nes ;Gr\xE8" "ce\r\n;;\r\n"
         "\"Deux\r\nlignes\";Rome;Italie\r\n",
         2,
         {Texts{"Capitale ?", u8"Athènes", u8"Grèce", ""}, Texts{"Deux\nlignes", "Rome", "Italie", ""}}},
        {"UTF-8 with a byte-order mark, semicolons, no line break at the end",
         "\xEF\xBB\xBF" + std::string(u8"Caption;Answer;Reveal\r\n\"Qui a écrit\r\nLes Misérables ?\";Hugo;"
                                      u8"Victor Hugo"),
         1,
         {Texts{u8"Qui a écrit\nLes Misérables ?", "Hugo", "", "Victor Hugo"}}},
        {"Unicode text: UTF-16 with its byte-order mark, tabs",
         utf16le(u"question\tanswer\tR\u00c9PONSE 2\r\nCapitale ?\tBerne\tSuisse\r\n"),
         2,
         {Texts{"Capitale ?", "Berne", "Suisse", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        ImportResult result = importBank(c.bytes);
        expectNotes(result, {});
        EXPECT_EQ(textsOf(result.manifest), c.questions);
        EXPECT_EQ(std::make_tuple(result.manifest.title, result.manifest.style, result.manifest.questionFormat,
                                  result.manifest.answerMode),
                  std::make_tuple(std::string("banque"), 0, c.questionFormat, 2));
        expectCheckAccepts(result);
    }
}

// Rows 2 and 5 have a second answer, rows 3 and 4 none.
const std::string libreOfficeBank =
    "\"question\";\"r\xE9ponse\";\"r\xE9ponse 2\"\r\n\"Capitale de la Gr\xE8" "ce ?\";\"Ath\xE8nes\";\"Gr\xE8" "ce\"\r\n"
    "\"Fleuve de Paris ?\";\"Seine\";\r\n\"For\xEAt des Vosges ?\";\"Donon\";\"\"\r\n"
    "\"Capitale de l'Italie ?\";\"Rome\";\"Italie\"\r\n";

TEST(CsvImport, EveryProblemIsReportedAtTheRowTheSpreadsheetShows) {
    std::string long260(260, 'x'), ninetyOne = "answer\n";
    for (int i = 0; i < 91; ++i) ninetyOne += "a\n";
    const struct {
        const char* what;
        std::string bytes;
        int style;
        std::vector<Expected> notes;
    } cases[] = {
        {"an unknown column, named with the known ones", "question;points;answer\nx;1;y\n", -1,
         {{1, NoteError,
           u8"unknown column 'points': the first row names the columns, among question, caption, réponse, answer"}}},
        {"no answer column", u8"Question;Révélation\nx;y\n", -1, {{1, NoteError, "no answer column"}}},
        {"two columns for one text", "question;caption;answer\n", -1,
         {{1, NoteError, "'question' and 'caption' give the same text"}}},
        // Row 2 spans two lines and row 3 is empty: the "|" is on row 4.
        {"rows counted as records", "question;answer\n\"deux\nlignes\";ok\n;\nx;a|b\n", -1,
         {{4, NoteError, "answer holds a '|', which the player reads as the end of the text"}}},
        {"texts worded as check words them, all of them", "question;answer\n" + long260 + ";ok\n" + u8"a → b;ok\n",
         -1,
         {{2, NoteError, "caption is 260 bytes long in Windows-1252; at most 259 fit"},
          {3, NoteError, u8"caption holds → (U+2192), which Windows-1252 cannot store"}}},
        {"a quote never closed", "question;answer\nx;y\n\"open;z\n", -1,
         {{3, NoteError, "a quoted field opened in this row is never closed"}}},
        {"media in a text quiz", "media;answer\na.jpg;x\n", StyleText,
         {{2, NoteError, "media a text quiz (style 0) shows no media"}}},
        {"media of two kinds", "media;answer\na.jpg;x\nb.MP3;y\n", -1,
         {{0, NoteError, "the media files mix pictures (row 2) and sounds (row 3)"}}},
        {"a medium of no known kind", "media;answer\na.png;x\n", -1,
         {{2, NoteError, "cannot tell from the name 'a.png'"}}},
        {"too many questions", ninetyOne, -1, {{0, NoteError, "91 questions; the player holds at most 90"}}},
        {"an empty file", "", -1, {{0, NoteError, "no question to import"}}},
        {"text under no heading", "question;answer;\nx;y;z\n", -1,
         {{2, NoteWarning, "text in a column without a name is not imported"}}},
        {"an empty answer", "question;answer\nx;\n", -1,
         {{2, NoteError, "answer is empty: no typed answer can ever be right, so no pupil can finish the quiz; "
                         "fill it in, or delete the question"}}},
        {"a second answer on some rows only, as LibreOffice Calc writes a French sheet: Windows-1252, ';', "
         "every text quoted, empty cells unquoted or quoted",
         libreOfficeBank, -1,
         {{3, NoteError, "secondAnswer is empty in a two-answer quiz: no typed answer can ever be right, so no "
                         "pupil can finish the quiz; fill it in, or make a one-answer quiz (questionFormat 1; "
                         "when importing, --format 1)"},
          {4, NoteError, "secondAnswer is empty in a two-answer quiz"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ImportOptions options;
        options.style = c.style;
        ImportResult result = importBank(c.bytes, options);
        expectNotes(result, c.notes);
        if (!importFailed(result)) expectCheckAccepts(result);
    }
}

TEST(CsvImport, ASecondAnswerOnSomeRowsOnlyFailsWithAWholeManifestOrImportsAsAOneAnswerQuizWhenAsked) {
    ImportResult failed = importBank(libreOfficeBank);
    EXPECT_TRUE(importFailed(failed));
    EXPECT_TRUE(onlyEmptyAnswersFailed(failed));   // an editor may open it, errors and all
    ASSERT_EQ(failed.manifest.questions.size(), 4u);
    EXPECT_EQ(failed.manifest.questionFormat, TwoAnswers);
    EXPECT_EQ(failed.manifest.questions[3].secondAnswer, "Italie");
    EXPECT_FALSE(onlyEmptyAnswersFailed(importBank("question;answer;secondAnswer\nx;a|b;\ny;c;d\n")));

    ImportOptions options;
    options.questionFormat = OneAnswer;
    ImportResult result = importBank(libreOfficeBank, options);
    EXPECT_FALSE(onlyEmptyAnswersFailed(result));
    expectNotes(result, {{2, NoteWarning, "secondAnswer not stored"}, {5, NoteWarning, "secondAnswer not stored"}});
    ASSERT_EQ(result.manifest.questions.size(), 4u);
    EXPECT_EQ(result.manifest.questions[2].caption, "For\xEAt des Vosges ?");
    expectCheckAccepts(result);
}

TEST(CsvImport, FirstKeepsTheFirstQuestionsOnly) {
    std::string bank = "answer\n";
    for (int i = 1; i <= MaxQuestions + 5; ++i) bank += "a" + std::to_string(i) + "\n";
    ImportOptions options;
    options.first = MaxQuestions;
    ImportResult result = importBank(bank, options);
    expectNotes(result, {});
    ASSERT_EQ(result.manifest.questions.size(), static_cast<size_t>(MaxQuestions));
    EXPECT_EQ(std::make_tuple(result.imported, result.leftOut, result.manifest.questions.back().answer),
              std::make_tuple(static_cast<int>(MaxQuestions), 5, "a" + std::to_string(MaxQuestions)));
}

TEST(CsvImport, MediaChooseTheStyleAndMoveBesideTheManifest) {
    const struct {
        const char* output;
        std::string media;
        int style, chosen;
        std::string written, answerPicture;
    } cases[] = {
        {"dossier/banque.json", "img/a.jpg", -1, StylePictures, "img/a.jpg", "r/x.jpg"},
        {"ailleurs/quiz.json", "img/a.JPEG", -1, StylePictures, "../dossier/img/a.JPEG", "../dossier/r/x.jpg"},
        {"dossier/banque.json", "sons\\b.mp3", -1, StyleSounds, "sons/b.mp3", "r/x.jpg"},
        {"dossier/sous/q.json", "../films/c.avi", -1, StyleVideos, "../../films/c.avi", "../r/x.jpg"},
        {"dossier/banque.json", "img/d.png", StylePictures, StylePictures, "img/d.png", "r/x.jpg"},  // as given
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.media);
        ImportOptions options;
        options.outputPath = c.output;
        options.style = c.style;
        ImportResult result = importBank("answer;media;answerPicture\nx;" + c.media + ";r/x.jpg\n", options);
        expectNotes(result, {});
        ASSERT_EQ(result.manifest.questions.size(), 1u);
        EXPECT_EQ(result.manifest.style, c.chosen);
        EXPECT_EQ(result.manifest.questions[0].media, c.written);
        EXPECT_EQ(result.manifest.questions[0].answerPicture, c.answerPicture);
        bool told = false;
        for (const ImportNote& note : result.notes) told = told || note.kind == NoteInfo;
        EXPECT_EQ(told, c.style < 0);
    }
}

TEST(GiftImport, TypedAnswersAreImportedAndEveryOtherKindSkippedWithItsLine) {
    const std::string gift = u8R"(// Géographie, exportée de la plateforme
$CATEGORY: $course$/Géographie

::Q1:: Quelle est la capitale de la France ? {=Paris#Sur la Seine. =%100%paris =%50%Lutèce#Ancien nom}

::Q2::[html]<p>Le <b>Rhône</b> se jette<br>dans
la {
  =Méditerranée
} à Marseille.</p>

::Q3:: Combien font 2+2 ? {#4}

Le soleil est une étoile.{TRUE#Oui}

::Q4:: Couleur du ciel ? {=bleu ~rouge ~vert}

Associez. {=chat -> miaou =chien -> ouaf}

// un essai
Racontez vos vacances. {}

Ceci est une simple description.

Le \~ et le \= : \{ \} \: \\ puis\nsuite {=a\=b#note \# ici}

Le {~lion =tigre} rugit.

::Q5:: Seulement partiel {=%50%x}

[markdown]Général {=oui####Bien vu}
)";
    ImportOptions options;
    options.sourcePath = "banque.gift";
    ImportResult result = importBank(gift, options);
    EXPECT_EQ(textsOf(result.manifest),
              (std::vector<Texts>{
                  Texts{u8"Quelle est la capitale de la France ?", "Paris", "", "Sur la Seine."},
                  Texts{u8"Le Rhône se jette dans la _____ à Marseille.", u8"Méditerranée", "", ""},
                  Texts{"Le ~ et le = : { } : \\ puis\nsuite", "a=b", "", "note # ici"},
                  Texts{u8"Général", "oui", "", "Bien vu"},
              }));
    expectNotes(result, {
        {4, NoteWarning, "answer 'paris' dropped: the player has one answer per field"},
        {4, NoteWarning, u8"answer 'Lutèce' dropped: it earns 50% of the credit"},
        {11, NoteSkipped, "numerical"},
        {13, NoteSkipped, "true/false (no typed answer)"},
        {15, NoteSkipped, "multiple choice (no typed answer)"},
        {17, NoteSkipped, "matching (no typed answer)"},
        {20, NoteSkipped, "essay"},  // after its comment line
        {22, NoteSkipped, "description"},
        {26, NoteSkipped, "multiple choice (no typed answer)"},  // a missing word with choices
        {28, NoteSkipped, "short answer without a full-credit answer"},
    });
    EXPECT_EQ(std::make_tuple(result.imported, result.skipped, result.manifest.title),
              std::make_tuple(4, 8, std::string("banque")));
    expectCheckAccepts(result);
}

TEST(GiftImport, BrokenQuestionsAreErrorsAtTheirLine) {
    const struct {
        std::string gift;
        Expected note;
    } cases[] = {
        {"Ok {=a}\n\nQuestion {=b\n=c\n", {3, NoteError, "the '{' of the answers is never closed"}},
        {"::Titre sans fin {=a}\n", {1, NoteError, "the title opened with '::' is never closed"}},
        {"Deux {=a} blocs {=b}\n", {1, NoteError, "more than one '{' answer block"}},
        {"Quoi ?\n{Paris}\n", {2, NoteError, "answers in braces start with '=' or '~'"}},
        {"Quoi ? {=a|b}\n", {1, NoteError, "answer holds a '|'"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gift);
        ImportOptions options;
        options.sourcePath = "b.gift";
        expectNotes(importBank(c.gift, options), {c.note});
    }
}

TEST(ImportSyntax, TheFileNameOrElseTheFirstLineTellsCsvFromGift) {
    const struct {
        const char* path;
        std::string text;
        std::string answer;
    } cases[] = {
        {"b.txt", "\n r\xE9ponse ; question\nParis;Capitale ?\n", "Paris"},
        {"b.txt", "// export\n::T:: Capitale ? {=Paris}\n", "Paris"},
        {"b.GIFT", "answer\n{=x}\n", "x"},
        {"b.TSV", "answer\n{=x}\n", "{=x}"},
    };
    for (const auto& c : cases) {
        ImportOptions options;
        options.sourcePath = c.path;
        ImportResult result = importBank(c.text, options);
        ASSERT_EQ(result.manifest.questions.size(), 1u) << c.path << c.text;
        EXPECT_EQ(result.manifest.questions[0].answer, c.answer) << c.path;
    }
}

TEST(CsvImport, EveryColumnNameTheReadmeListsGivesItsKey) {
    std::ifstream in(README_PATH, std::ios::binary);
    const std::string readme((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(readme.empty());
    for (const ManifestKey* key : bankColumns()) {
        std::vector<std::string> names;
        for (const char* alias : key->aliases)
            if (alias) names.push_back(alias);
        names.push_back(key->name);
        for (const std::string& name : names) {
            SCOPED_TRACE(name);
            EXPECT_NE(readme.find("`" + name + "`"), std::string::npos) << "not in the README's table";
            const bool answer = key->field == Field::Answer;
            const std::string value = key->kind == KeyKind::Path ? "v.jpg" : "v";
            ImportResult result = importBank(answer ? name + "\nv\n" : name + ";answer\n" + value + ";Paris\n");
            ASSERT_EQ(result.manifest.questions.size(), 1u);
            EXPECT_EQ(result.manifest.questions[0].*key->questionText, value);
        }
    }
}
