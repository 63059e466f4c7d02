// buildQuiz: a manifest's quiz written into a copy of the player, as its
// resources, the copy then moved where it was asked for.
#include "quizbuild.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <windows.h>

#include "encoding.h"
#include "format/resources.h"
#include "winsystem.h"

static const WORD quizLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

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

// Writes the prepared quiz into a copy of the player beside the output, then
// moves the copy into place; the summary gets its size. False with error,
// and no file left, on any failure.
static bool writeQuizProgram(const BuildRequest& request, const PreparedQuiz& quiz, BuildSummary* summary,
                             Message* error) {
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
    if (!fine) DeleteFileW(temporary.c_str());
    return fine;
}

bool buildQuiz(const BuildRequest& request, const ProgressFunction& progress, std::vector<Problem>* problems,
               BuildSummary* summary, Message* error) {
    *summary = BuildSummary();
    Manifest manifest;
    PreparedQuiz quiz;
    const PrepareOptions options{request.keepPictures, progress, request.memo};
    const bool prepared = prepareQuizFrom(request.manifestPath, request.manifestText, request.manifestFolder, options,
                                          &manifest, &quiz, problems);
    if (!prepared || !writeQuizProgram(request, quiz, summary, error)) return false;
    summary->withOriginalsBytes = summary->executableBytes;
    for (const MediaFile& file : quiz.media) {
        // Added before subtracting: a small picture may be stored larger than it was.
        summary->withOriginalsBytes += file.originalSize;
        summary->withOriginalsBytes -= file.bytes.size();
        ++(file.kind == SoundMedium ? summary->sounds : file.kind == VideoMedium ? summary->videos : summary->pictures);
    }
    return true;
}
