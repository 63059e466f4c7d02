#include "media/media.h"

#include <stdio.h>

#include "content/message.h"
#include "format/resources.h"

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
    ResourceBytes medium = resourceBytes(GetModuleHandleA(nullptr), MediaResourceType, resourceNumber);
    if (!medium.found) {
        showMessage(notFoundMessage(kind), MediaCaption);
        return 0;
    }
    if (!medium.bytes) {
        showMessage(cannotLoadMessage(kind), MediaCaption);
        return 0;
    }
    char name[32];
    if (kind == MediaSound)
        snprintf(name, sizeof name, "quizz.mp3");
    else
        snprintf(name, sizeof name, "quizz%d.avi", resourceNumber - QuestionMediaBase);
    if (!writeWholeFile(name, medium.bytes, medium.size)) {
        // The player would fail on a missing or broken file without a word.
        showMessage(cannotLoadMessage(kind), MediaCaption);
        return 0;
    }
    return 1;
}
