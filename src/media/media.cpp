#include "media/media.h"

#include <stdio.h>

#include "content/message.h"

namespace {

const char* const MediaCaption = "Information";

const char* notFoundMessage(MediaKind kind) {
    return kind == MediaSound ? "Impossible de localiser le fichier audio."
                              : "Impossible de localiser le fichier vidéo.";
}

const char* cannotLoadMessage(MediaKind kind) {
    return kind == MediaSound ? "Impossible de charger le fichier audio."
                              : "Impossible de charger le fichier vidéo.";
}

// Writes count bytes to a new file name (replacing any old one); false and
// no file left behind when it cannot be created or fully written.
bool writeWholeFile(const char* name, const void* bytes, DWORD count) {
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool complete = WriteFile(file, bytes, count, &written, nullptr) && written == count;
    if (!CloseHandle(file)) complete = false;
    // A truncated clip would only make the player fail later and obscurely.
    if (!complete) DeleteFileA(name);
    return complete;
}

}  // namespace

int extractMedia(HWND, int resourceNumber, MediaKind kind) {
    HMODULE module = GetModuleHandleA(nullptr);
    // The type is matched without regard to case: "img" finds "IMG".
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceNumber), "img");
    if (!found) {
        showMessage(notFoundMessage(kind), MediaCaption);
        return 0;
    }
    DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) {
        showMessage(cannotLoadMessage(kind), MediaCaption);
        return 0;
    }
    const void* bytes = LockResource(loaded);
    if (!bytes) return 0;

    char name[32];
    if (kind == MediaSound)
        snprintf(name, sizeof name, "quizz.mp3");
    else
        snprintf(name, sizeof name, "quizz%d.avi", resourceNumber - 400);
    bool written = writeWholeFile(name, bytes, size);
    FreeResource(loaded);
    if (!written) {
        // The player would fail on a missing or broken file without a word.
        showMessage(cannotLoadMessage(kind), MediaCaption);
        return 0;
    }
    return 1;
}
