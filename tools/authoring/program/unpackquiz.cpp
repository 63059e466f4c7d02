// unpackQuiz: a quiz executable's resources read back into a manifest and
// its media files.
#include "quizbuild.h"

#include <stdio.h>

#include <filesystem>

#include <windows.h>

#include "content/parse.h"
#include "format/resources.h"
#include "encoding.h"
#include "files.h"
#include "filetype.h"
#include "manifestcompose.h"
#include "manifestjson.h"
#include "manifestkeys.h"
#include "winsystem.h"

// A quiz resource of the executable, found and with bytes to read.
static bool findResource(HMODULE module, const char* type, int number, ResourceBytes* resource) {
    *resource = resourceBytes(module, type, number);
    return resource->bytes != nullptr;
}

// Decodes one stream and hands the plain bytes to parse.
static bool decodeResource(const ResourceBytes& view, Quiz* quiz,
                           bool (*parse)(Quiz*, const unsigned char*, size_t), Message* error) {
    DecoderState decoder;
    CoderOutput plain = {nullptr, 0};
    CoderResult result = runDecoder(&decoder, view.bytes, view.size, &plain);
    bool parsed = result == CoderOk && parse(quiz, plain.bytes, plain.count);
    releaseContent(plain.bytes);
    if (result != CoderOk) {
        *error = describeCoderFailure(result);
        return false;
    }
    if (!parsed) *error = {"the decoded bytes do not have the quiz layout", u8"les données décodées n'ont pas la forme d'un quiz"};
    return parsed;
}

static bool writeBytes(const std::filesystem::path& path, const unsigned char* bytes, size_t size,
                       Message* error) {
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    return writeFileAtomically(path.u8string(), Bytes(bytes, bytes + size), error);
}

// The quiz record of the executable: its content, and its codes when they
// can be read (a warning otherwise).
static bool readQuizRecord(HMODULE module, const std::string& quizPath, Quiz* quiz, std::vector<Message>* warnings,
                           Message* error) {
    ResourceBytes content, codes;
    if (!findResource(module, ContentResourceType, ContentResourceNumber, &content) || content.size == 0) {
        *error = {"'" + quizPath + "' holds no quiz: it has no content resource (PATCH 104)",
                  u8"« " + quizPath + u8" » ne contient aucun quiz : la ressource du contenu (PATCH 104) manque"};
        return false;
    }
    if (!decodeResource(content, quiz, parseContent, error)) {
        *error = {"cannot read the quiz content of '" + quizPath + "': " + error->english,
                  u8"impossible de lire le contenu du quiz « " + quizPath + u8" » : " + error->french};
        return false;
    }
    Message why;
    if (!findResource(module, ContentResourceType, CodesResourceNumber, &codes) || codes.size == 0)
        warnings->push_back({"'" + quizPath + "' has no codes resource (PATCH 105): the codes stay empty",
                             u8"« " + quizPath + u8" » n'a pas de ressource des codes (PATCH 105) : les codes restent vides"});
    else if (!decodeResource(codes, quiz, parseCodes, &why))
        warnings->push_back({"cannot read the codes of '" + quizPath + "': " + why.english + "; the codes stay empty",
                             u8"impossible de lire les codes de « " + quizPath + u8" » : " + why.french +
                                 u8" ; les codes restent vides"});
    return true;
}

// A stored medium to write, and the manifest key that names its file.
struct StoredMedium {
    ResourceBytes view;
    size_t question;
    std::string ManifestQuestion::*path;
};

// A stored medium's file name as people recognise it: the question's number
// and its answer, "04-cerf-volant.jpg" ("04.jpg" for an empty answer). The
// number makes each name unique in its folder.
static std::string recognisableName(int number, const ManifestQuestion& question, const ResourceBytes& medium) {
    char prefix[8];
    snprintf(prefix, sizeof prefix, "%02d", number);
    const std::string answer = plainFileName(cp1252ToUtf8(question.answer));
    return prefix + (answer.empty() ? "" : "-" + answer) + extensionOf(medium.bytes, medium.size);
}

// Names the stored media of every question in the manifest, found before
// any is written so that progress knows their number: "media/04-cerf-volant.jpg"
// for the question's medium, "answers/04-cerf-volant.jpg" for its answer
// picture. A text quiz's media are left out with a warning.
static std::vector<StoredMedium> nameStoredMedia(HMODULE module, int style, Manifest* manifest,
                                                 std::vector<Message>* warnings) {
    std::vector<StoredMedium> media;
    for (size_t index = 0; index < manifest->questions.size(); ++index) {
        ManifestQuestion& question = manifest->questions[index];
        const int number = static_cast<int>(index) + 1;
        ResourceBytes medium;
        if (findResource(module, MediaResourceType, QuestionMediaBase + number, &medium)) {
            const std::string resource = std::to_string(QuestionMediaBase + number);
            if (style == StyleText) {
                warnings->push_back({"question " + std::to_string(number) + ": a text quiz shows no media; IMG " +
                                         resource + " left out",
                                     "question " + std::to_string(number) + u8" : un quiz de style " +
                                         choiceOf(Field::Style, StyleText)->french + u8" ne montre aucun média ; IMG " +
                                         resource + u8" laissée de côté"});
            } else {
                question.media = "media/" + recognisableName(number, question, medium);
                media.push_back(StoredMedium{medium, index, &ManifestQuestion::media});
            }
        }
        if (findResource(module, MediaResourceType, AnswerPictureBase + number, &medium)) {
            question.answerPicture = "answers/" + recognisableName(number, question, medium);
            media.push_back(StoredMedium{medium, index, &ManifestQuestion::answerPicture});
        }
    }
    return media;
}

// The quiz executable's resources, for reading, and its quiz record; null
// with error when either cannot be read.
static HMODULE openQuizProgram(const std::string& quizPath, Quiz* quiz, std::vector<Message>* warnings,
                               Message* error) {
    HMODULE module = LoadLibraryExW(toWide(quizPath).c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) {
        const Message why = systemMessage(GetLastError());
        *error = {"cannot open '" + quizPath + "' as a Windows program: " + why.english,
                  u8"impossible d'ouvrir « " + quizPath + u8" » comme un programme Windows : " + why.french};
        return nullptr;
    }
    if (readQuizRecord(module, quizPath, quiz, warnings, error)) return module;
    FreeLibrary(module);
    return nullptr;
}

bool readQuizProgram(const std::string& quizPath, Manifest* manifest, PreparedQuiz* stored,
                     std::vector<Message>* warnings, Message* error) {
    *stored = PreparedQuiz();
    Quiz quiz;
    HMODULE module = openQuizProgram(quizPath, &quiz, warnings, error);
    if (!module) return false;
    manifestFromQuiz(quiz, manifest);
    ResourceBytes stream;
    if (findResource(module, ContentResourceType, ContentResourceNumber, &stream))
        stored->content.assign(stream.bytes, stream.bytes + stream.size);
    if (findResource(module, ContentResourceType, CodesResourceNumber, &stream))
        stored->codes.assign(stream.bytes, stream.bytes + stream.size);
    for (const StoredMedium& medium : nameStoredMedia(module, quiz.style, manifest, warnings)) {
        MediaFile file;
        const bool answerPicture = medium.path == &ManifestQuestion::answerPicture;
        file.resource = (answerPicture ? AnswerPictureBase : QuestionMediaBase) + static_cast<int>(medium.question) + 1;
        file.path = manifest->questions[medium.question].*medium.path;
        file.kind = answerPicture || quiz.style == StylePictures ? PictureMedium
                    : quiz.style == StyleSounds                  ? SoundMedium
                                                                 : VideoMedium;
        file.bytes.assign(medium.view.bytes, medium.view.bytes + medium.view.size);
        file.originalSize = file.bytes.size();
        stored->media.push_back(file);
    }
    FreeLibrary(module);
    return true;
}

bool unpackQuiz(const std::string& quizPath, const std::string& folder, const ProgressFunction& progress,
                std::vector<Message>* warnings, Message* error) {
    Quiz quiz;
    HMODULE module = openQuizProgram(quizPath, &quiz, warnings, error);
    if (!module) return false;
    Manifest manifest;
    manifestFromQuiz(quiz, &manifest);
    const std::vector<StoredMedium> media = nameStoredMedia(module, quiz.style, &manifest, warnings);
    const std::filesystem::path base = std::filesystem::u8path(folder);
    std::error_code ignored;
    std::filesystem::create_directories(base, ignored);
    bool fine = true;
    for (size_t i = 0; fine && i < media.size(); ++i) {
        const StoredMedium& medium = media[i];
        const std::string& name = manifest.questions[medium.question].*medium.path;
        fine = writeBytes(base / std::filesystem::u8path(name), medium.view.bytes, medium.view.size, error);
        if (progress)
            progress(MediaProgress{static_cast<int>(i) + 1, static_cast<int>(media.size()), name, fine,
                                   medium.view.size, medium.view.size});
    }
    FreeLibrary(module);
    if (!fine) return false;
    const std::string text = manifestToJson(manifest);
    return writeBytes(base / "quiz.json", reinterpret_cast<const unsigned char*>(text.data()), text.size(), error);
}
