// loadContent over real modules: a copy of this test program given "PATCH"
// resources with the Windows resource updater, and this program itself,
// which has none.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "content/loader.h"
#include "shared/stored.h"
#include "win/support/harness.h"

// A copy of this executable carrying the given resources (an empty list
// leaves that number out), loaded as a data file.
struct QuizModule {
    std::string path;
    HMODULE module = nullptr;

    QuizModule(const Bytes& content, const Bytes& codes) {
        char self[MAX_PATH], folder[MAX_PATH], file[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        GetTempPathA(MAX_PATH, folder);
        GetTempFileNameA(folder, "qz", 0, file);
        path = file;
        HANDLE update = CopyFileA(self, file, FALSE) ? BeginUpdateResourceA(file, FALSE) : nullptr;
        bool updated = update != nullptr;
        for (const auto& resource : {std::make_pair(104, &content), std::make_pair(105, &codes)}) {
            if (updated && !resource.second->empty())
                updated = UpdateResourceA(update, "PATCH", MAKEINTRESOURCEA(resource.first), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                          const_cast<unsigned char*>(resource.second->data()), DWORD(resource.second->size()));
        }
        if (updated && EndUpdateResourceA(update, FALSE))
            module = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    ~QuizModule() {
        if (module) FreeLibrary(module);
        DeleteFileA(path.c_str());
    }
};

// Style 2, two questions in format 2, answer mode 2, colour red 10 green 20 blue 30.
static const Bytes content = bytesOf(
    "\x00\x03\x02\x02Le quizz|Moi|Trouvez|Pr\xE9nom|Nom|"
    "a1|b1|c1|a2|b2|c2|\x02r\xE9v\xE9l\xE9|r2|\x10\x20\x30");

TEST(LoadingFromAModule, ReadsBothResourcesAndMakesASolidBrushOfTheColourEvenWithoutCodes) {
    const struct { Bytes codes; Messages messages; const char* secondCode; } cases[] = {
        {encoded(bytesOf("PREMIER\r\nSECOND\r\n")), {}, "SECOND"},
        {Bytes(), {{"Codes non trouv\xE9s.", "Quizz"}}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.secondCode);
        QuizModule quizModule(encoded(content), c.codes);
        ASSERT_NE(quizModule.module, nullptr);
        MessageCapture capture;
        Quiz quiz;
        loadContent(&quiz, quizModule.module);
        EXPECT_EQ(capture.messages, c.messages);
        EXPECT_STREQ(quiz.title, "Le quizz");
        ASSERT_NE(questionAt(&quiz, 1), nullptr);
        EXPECT_STREQ(questionAt(&quiz, 1)->secondAnswer, "b2");
        EXPECT_STREQ(quiz.codes[1], c.secondCode);
        EXPECT_EQ(quiz.backColour, RGB(0x10, 0x20, 0x30));
        LOGBRUSH brush = {};
        EXPECT_EQ(GetObjectA(static_cast<HBRUSH>(quiz.backBrush), sizeof brush, &brush), int(sizeof brush));
        EXPECT_EQ(brush.lbStyle, UINT(BS_SOLID));
        EXPECT_EQ(brush.lbColor, RGB(0x10, 0x20, 0x30));
        DeleteObject(static_cast<HBRUSH>(quiz.backBrush));
    }
}

TEST(LoadingFromAModule, AModuleWithoutResourcesGivesTwoMessagesAndTheDemonstration) {
    MessageCapture capture;
    Quiz quiz;
    loadContent(&quiz, GetModuleHandleA(nullptr));
    EXPECT_EQ(capture.messages, (Messages{{"Erreur dans le fichier", "Quizz"}, {"Reponses non trouv\xE9" "es", "Quizz"}}));
    EXPECT_STREQ(quiz.title, "Nom du quizz");
    EXPECT_EQ(quiz.questionCount, 2);
    EXPECT_STREQ(questionAt(&quiz, 1)->answer, "tamrin");
    EXPECT_EQ(quiz.backBrush, nullptr);
}
