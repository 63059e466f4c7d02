// The quiz executable's resources: written by buildQuiz into a copy of the
// player, read back by unpackQuiz.
#include "quizbuild.h"

#ifdef _WIN32

#include <stdio.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <windows.h>

#include "content/codec.h"
#include "content/parse.h"
#include "content/quiz.h"
#include "format/resources.h"
#include "filetype.h"

static const WORD quizLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

std::wstring toWide(const std::string& utf8) {
    int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    if (count > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], count);
    return wide;
}

std::string toUtf8(const std::wstring& wide) {
    int count = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(count), '\0');
    if (count > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], count, nullptr, nullptr);
    return utf8;
}

std::wstring besideThisProgram(const wchar_t* fileName) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return (std::filesystem::path(path).parent_path() / fileName).wstring();
}

// The system's description of an error code in a language (0: the
// system's own), on one line; empty when the system has none.
static std::string systemText(DWORD code, DWORD language) {
    wchar_t* text = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, language, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length && text ? std::wstring(text, length) : L"";
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ' ||
                                message.back() == L'.'))
        message.pop_back();
    return toUtf8(message);
}

// The system's description of an error code: in its own language for the
// command line, in French where the system has French texts (otherwise in
// its own language too).
static Message systemMessage(DWORD code) {
    const std::string own = systemText(code, 0), french = systemText(code, MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
    const std::string number = std::to_string(code);
    return {own.empty() ? "error " + number : own, !french.empty() ? french : !own.empty() ? own : u8"erreur " + number};
}

// ---------------------------------------------------------------------------
// build

// A resource name or type: a number or a string.
struct ResourceId {
    bool numbered;
    WORD number;
    std::wstring text;
};

static ResourceId idOf(LPCWSTR id) {
    if (IS_INTRESOURCE(id)) return ResourceId{true, static_cast<WORD>(reinterpret_cast<ULONG_PTR>(id)), L""};
    return ResourceId{false, 0, id};
}

static LPCWSTR asResourceName(const ResourceId& id) {
    return id.numbered ? MAKEINTRESOURCEW(id.number) : id.text.c_str();
}

// A quiz resource: of the content's or the media's type, whatever the case.
static bool isQuizType(const ResourceId& type) {
    return !type.numbered && (lstrcmpiW(type.text.c_str(), toWide(ContentResourceType).c_str()) == 0 ||
                              lstrcmpiW(type.text.c_str(), toWide(MediaResourceType).c_str()) == 0);
}

// One resource of the player that the quiz keeps: dialog, icons, cursor,
// version, manifest.
struct KeptResource {
    ResourceId type;
    ResourceId name;
    WORD language;
    Bytes bytes;
};

static BOOL CALLBACK keepLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR context) {
    std::vector<KeptResource>* kept = reinterpret_cast<std::vector<KeptResource>*>(context);
    HRSRC found = FindResourceExW(module, type, name, language);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const unsigned char* bytes = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    DWORD size = found ? SizeofResource(module, found) : 0;
    kept->push_back(KeptResource{idOf(type), idOf(name), language, bytes ? Bytes(bytes, bytes + size) : Bytes()});
    return TRUE;
}

static BOOL CALLBACK keepName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR context) {
    EnumResourceLanguagesW(module, type, name, keepLanguage, context);
    return TRUE;
}

static BOOL CALLBACK keepType(HMODULE module, LPWSTR type, LONG_PTR context) {
    if (!isQuizType(idOf(type))) EnumResourceNamesW(module, type, keepName, context);
    return TRUE;
}

// Every resource of the player but the quiz's own ("PATCH" and "IMG" of any
// number and language), so that a quiz rebuilt from another quiz keeps
// nothing of the earlier one.
static bool listPlayerResources(const std::wstring& path, std::vector<KeptResource>* kept) {
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return false;
    EnumResourceTypesW(module, keepType, reinterpret_cast<LONG_PTR>(kept));
    FreeLibrary(module);
    return true;
}

// Replaces all resources of the copy by the player's own and the quiz's.
// Starting from none is what removes the quiz resources of every language.
static bool writeQuizResources(const std::wstring& path, const PreparedQuiz& quiz,
                               const std::vector<KeptResource>& kept, Message* error) {
    HANDLE update = BeginUpdateResourceW(path.c_str(), TRUE);
    if (!update) {
        const Message why = systemMessage(GetLastError());
        *error = {"cannot open the copy of the player for writing resources: " + why.english,
                  u8"impossible d'ouvrir la copie du lecteur pour y écrire les ressources : " + why.french};
        return false;
    }
    struct Item {
        ResourceId type;
        ResourceId name;
        WORD language;
        const Bytes* bytes;
    };
    std::vector<Item> items;
    for (const KeptResource& resource : kept)
        items.push_back(Item{resource.type, resource.name, resource.language, &resource.bytes});
    ResourceId patch{false, 0, toWide(ContentResourceType)}, img{false, 0, toWide(MediaResourceType)};
    items.push_back(Item{patch, ResourceId{true, ContentResourceNumber, L""}, quizLanguage, &quiz.content});
    items.push_back(Item{patch, ResourceId{true, CodesResourceNumber, L""}, quizLanguage, &quiz.codes});
    for (const MediaFile& file : quiz.media)
        items.push_back(Item{img, ResourceId{true, static_cast<WORD>(file.resource), L""}, quizLanguage, &file.bytes});
    for (const Item& item : items) {
        if (!UpdateResourceW(update, asResourceName(item.type), asResourceName(item.name), item.language,
                             const_cast<unsigned char*>(item.bytes->data()), static_cast<DWORD>(item.bytes->size()))) {
            const Message why = systemMessage(GetLastError());
            *error = {"cannot write a resource into the copy of the player: " + why.english,
                      u8"impossible d'écrire une ressource dans la copie du lecteur : " + why.french};
            EndUpdateResourceW(update, TRUE);
            return false;
        }
    }
    if (!EndUpdateResourceW(update, FALSE)) {
        const Message why = systemMessage(GetLastError());
        *error = {"cannot write the resources into the copy of the player: " + why.english,
                  u8"impossible d'écrire les ressources dans la copie du lecteur : " + why.french};
        return false;
    }
    return true;
}

static uint32_t readU32(const Bytes& bytes, size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

static void writeU32(Bytes* bytes, size_t at, uint32_t value) {
    for (int k = 0; k < 4; ++k) (*bytes)[at + k] = static_cast<unsigned char>(value >> (8 * k));
}

// Where the COFF header's symbol table pointer lives, and where the raw data
// of the sections ends; false when the bytes are no PE file.
static bool peLayout(const Bytes& bytes, size_t* symbolPointerAt, uint32_t* sectionsEnd) {
    if (bytes.size() < 0x40) return false;
    size_t pe = readU32(bytes, 0x3C);
    if (pe + 24 > bytes.size() || readU32(bytes, pe) != 0x00004550) return false;
    unsigned sections = bytes[pe + 6] | (bytes[pe + 7] << 8);
    unsigned optionalSize = bytes[pe + 20] | (bytes[pe + 21] << 8);
    size_t table = pe + 24 + optionalSize;
    if (table + 40 * sections > bytes.size()) return false;
    *sectionsEnd = 0;
    for (unsigned i = 0; i < sections; ++i) {
        uint32_t end = readU32(bytes, table + 40 * i + 20) + readU32(bytes, table + 40 * i + 16);
        if (end > *sectionsEnd) *sectionsEnd = end;
    }
    *symbolPointerAt = pe + 12;
    return true;
}

// The resource updater moves the sections behind the resources but leaves
// the COFF symbol table pointer where it was (players built with debugging
// information carry one). Point it at the moved table, or clear it when the
// table did not survive, so that tools reading the quiz do not trip on it.
static bool repairSymbolTable(const Bytes& player, const std::wstring& path, Message* error) {
    size_t oldAt, newAt;
    uint32_t oldEnd, newEnd;
    if (!peLayout(player, &oldAt, &oldEnd)) return true;
    uint32_t oldPointer = readU32(player, oldAt);
    if (oldPointer == 0 || oldPointer < oldEnd || oldPointer > player.size()) return true;
    Bytes quiz;
    if (!readFile(toUtf8(path), &quiz, error)) return false;
    if (!peLayout(quiz, &newAt, &newEnd)) {
        *error = {"the copy of the player is no longer a Windows program after writing the resources",
                  u8"la copie du lecteur n'est plus un programme Windows après l'écriture des ressources"};
        return false;
    }
    uint32_t newPointer = newEnd + (oldPointer - oldEnd);
    size_t tail = player.size() - oldPointer;
    bool moved = newPointer + tail <= quiz.size() &&
                 std::equal(player.begin() + oldPointer, player.end(), quiz.begin() + newPointer);
    if (readU32(quiz, newAt) == (moved ? newPointer : 0)) return true;
    writeU32(&quiz, newAt, moved ? newPointer : 0);
    if (!moved) writeU32(&quiz, newAt + 4, 0);  // no symbols without their table
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(quiz.data()), static_cast<std::streamsize>(quiz.size()));
    out.close();
    if (!out) {
        *error = {"cannot rewrite the copy of the player", u8"impossible de réécrire la copie du lecteur"};
        return false;
    }
    return true;
}

bool buildQuiz(const BuildRequest& request, const ProgressFunction& progress, std::vector<Problem>* problems,
               BuildSummary* summary, Message* error) {
    *summary = BuildSummary();
    Manifest manifest;
    PreparedQuiz quiz;
    PrepareOptions options;
    options.keepPictures = request.keepPictures;
    options.progress = progress;
    options.memo = request.memo;
    const bool prepared =
        request.manifestText.empty()
            ? prepareQuiz(request.manifestPath, options, &manifest, &quiz, problems)
            : prepareQuizText(request.manifestText, request.manifestFolder, options, &manifest, &quiz, problems);
    if (!prepared) return false;

    std::wstring player = toWide(request.playerPath);
    std::wstring output = toWide(request.outputPath);
    std::wstring temporary = output + L".quizmaker-tmp";
    // The copy is made beside the output, so the final move is a rename.
    if (!CopyFileW(player.c_str(), temporary.c_str(), FALSE)) {
        const Message why = systemMessage(GetLastError());
        DeleteFileW(temporary.c_str());
        *error = {"cannot copy the player '" + request.playerPath + "' to '" + toUtf8(temporary) + "': " + why.english,
                  u8"impossible de copier le lecteur « " + request.playerPath + u8" » vers « " + toUtf8(temporary) +
                      u8" » : " + why.french};
        return false;
    }
    Bytes playerBytes;
    std::vector<KeptResource> kept;
    bool fine = readFile(toUtf8(temporary), &playerBytes, error);
    if (fine && !listPlayerResources(temporary, &kept)) {
        *error = {"the player '" + request.playerPath + "' is not a Windows program",
                  u8"le lecteur « " + request.playerPath + u8" » n'est pas un programme Windows"};
        fine = false;
    }
    fine = fine && writeQuizResources(temporary, quiz, kept, error) && repairSymbolTable(playerBytes, temporary, error);
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (fine && GetFileAttributesExW(temporary.c_str(), GetFileExInfoStandard, &attributes))
        summary->executableBytes = (static_cast<unsigned long long>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    if (fine && !MoveFileExW(temporary.c_str(), output.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const Message why = systemMessage(GetLastError());
        *error = {"cannot write '" + request.outputPath + "': " + why.english,
                  u8"impossible d'écrire « " + request.outputPath + u8" » : " + why.french};
        fine = false;
    }
    if (!fine) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    summary->withOriginalsBytes = summary->executableBytes;
    for (const MediaFile& file : quiz.media) {
        // Added before subtracting: a small picture may be stored larger than it was.
        summary->withOriginalsBytes += file.originalSize;
        summary->withOriginalsBytes -= file.bytes.size();
        ++(file.kind == SoundMedium ? summary->sounds : file.kind == VideoMedium ? summary->videos : summary->pictures);
    }
    return true;
}

// ---------------------------------------------------------------------------
// unpack

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

bool unpackQuiz(const std::string& quizPath, const std::string& folder, const ProgressFunction& progress,
                std::vector<Message>* warnings, Message* error) {
    HMODULE module = LoadLibraryExW(toWide(quizPath).c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) {
        const Message why = systemMessage(GetLastError());
        *error = {"cannot open '" + quizPath + "' as a Windows program: " + why.english,
                  u8"impossible d'ouvrir « " + quizPath + u8" » comme un programme Windows : " + why.french};
        return false;
    }
    Quiz quiz;
    ResourceBytes content, codes;
    if (!findResource(module, ContentResourceType, ContentResourceNumber, &content) || content.size == 0) {
        FreeLibrary(module);
        *error = {"'" + quizPath + "' holds no quiz: it has no content resource (PATCH 104)",
                  u8"« " + quizPath + u8" » ne contient aucun quiz : la ressource du contenu (PATCH 104) manque"};
        return false;
    }
    if (!decodeResource(content, &quiz, parseContent, error)) {
        FreeLibrary(module);
        *error = {"cannot read the quiz content of '" + quizPath + "': " + error->english,
                  u8"impossible de lire le contenu du quiz « " + quizPath + u8" » : " + error->french};
        return false;
    }
    Message why;
    if (!findResource(module, ContentResourceType, CodesResourceNumber, &codes) || codes.size == 0)
        warnings->push_back({"'" + quizPath + "' has no codes resource (PATCH 105): the codes stay empty",
                             u8"« " + quizPath + u8" » n'a pas de ressource des codes (PATCH 105) : les codes restent vides"});
    else if (!decodeResource(codes, &quiz, parseCodes, &why))
        warnings->push_back({"cannot read the codes of '" + quizPath + "': " + why.english + "; the codes stay empty",
                             u8"impossible de lire les codes de « " + quizPath + u8" » : " + why.french +
                                 u8" ; les codes restent vides"});

    Manifest manifest;
    manifest.title = quiz.title;
    manifest.creator = quiz.creator;
    manifest.explanation = quiz.explanation;
    manifest.firstRowCaption = quiz.firstRowCaption;
    manifest.secondRowCaption = quiz.secondRowCaption;
    manifest.style = quiz.style;
    manifest.questionFormat = quiz.questionFormat;
    manifest.answerMode = quiz.answerMode;
    manifest.red = static_cast<unsigned char>(quiz.backColour & 0xFF);
    manifest.green = static_cast<unsigned char>((quiz.backColour >> 8) & 0xFF);
    manifest.blue = static_cast<unsigned char>((quiz.backColour >> 16) & 0xFF);

    // The media to write, found first so that progress knows their number.
    struct Medium {
        ResourceBytes view;
        size_t question;
        std::string ManifestQuestion::*key;
    };
    std::vector<Medium> media;
    int number = 1;
    for (Question* node = quiz.firstQuestion; node; node = node->next, ++number) {
        ManifestQuestion question;
        question.answer = node->answer;
        question.secondAnswer = node->secondAnswer;
        question.caption = node->caption;
        question.reveal = node->reveal;
        const size_t index = manifest.questions.size();
        ResourceBytes medium;
        if (findResource(module, MediaResourceType, QuestionMediaBase + number, &medium)) {
            const std::string resource = std::to_string(QuestionMediaBase + number);
            if (quiz.style == StyleText) {
                warnings->push_back({"question " + std::to_string(number) + ": a text quiz shows no media; IMG " +
                                         resource + " left out",
                                     "question " + std::to_string(number) +
                                         u8" : un quiz de style Texte ne montre aucun média ; IMG " + resource +
                                         u8" laissée de côté"});
            } else {
                question.media = "media/" + resource + extensionOf(medium.bytes, medium.size);
                media.push_back(Medium{medium, index, &ManifestQuestion::media});
            }
        }
        if (findResource(module, MediaResourceType, AnswerPictureBase + number, &medium)) {
            question.answerPicture =
                "answers/" + std::to_string(AnswerPictureBase + number) + extensionOf(medium.bytes, medium.size);
            media.push_back(Medium{medium, index, &ManifestQuestion::answerPicture});
        }
        manifest.questions.push_back(question);
        manifest.codes.push_back(number <= MaxQuestions ? quiz.codes[number - 1] : "");
    }
    const std::filesystem::path base = std::filesystem::u8path(folder);
    bool fine = true;
    for (size_t i = 0; fine && i < media.size(); ++i) {
        const Medium& medium = media[i];
        const std::string& name = manifest.questions[medium.question].*medium.key;
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

#endif
