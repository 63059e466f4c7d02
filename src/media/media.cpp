#include "media/media.h"

#include <stdio.h>

#include "content/message.h"
#include "format/format.h"
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

// The file of a kind of medium in folder; cell is the video's question.
void mediaFileName(const MediaFolder* folder, MediaKind kind, int cell, char (&file)[MAX_PATH]) {
    if (kind == MediaSound) snprintf(file, sizeof file, "%squizz.mp3", folder->path);
    else snprintf(file, sizeof file, "%squizz%d.avi", folder->path, cell);
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

// Makes a new folder of the process's own under the user's temporary
// directory: a unique name reserved as a file, then made a folder.
bool openOwnFolder(MediaFolder* folder) {
    char temporary[MAX_PATH], unique[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, temporary) || !GetTempFileNameA(temporary, "qzm", 0, unique)) return false;
    DeleteFileA(unique);
    if (!CreateDirectoryA(unique, nullptr)) return false;
    snprintf(folder->path, sizeof folder->path, "%s\\", unique);
    return true;
}

}  // namespace

int extractMedia(MediaFolder* folder, int resourceNumber, MediaKind kind, char (&file)[MAX_PATH]) {
    ResourceBytes medium = resourceBytes(GetModuleHandleA(nullptr), MediaResourceType, resourceNumber);
    if (!medium.found) {
        showMessage(notFoundMessage(kind), MediaCaption);
        return 0;
    }
    if (!medium.bytes) {
        showMessage(cannotLoadMessage(kind), MediaCaption);
        return 0;
    }
    const int cell = resourceNumber - QuestionMediaBase;
    mediaFileName(folder, kind, cell, file);
    bool written = writeWholeFile(file, medium.bytes, medium.size);
    if (!written && !folder->path[0] && openOwnFolder(folder)) {
        mediaFileName(folder, kind, cell, file);
        written = writeWholeFile(file, medium.bytes, medium.size);
    }
    if (!written) {
        // The player would fail on a missing or broken file without a word.
        showMessage(cannotLoadMessage(kind), MediaCaption);
        return 0;
    }
    folder->written |= 1u << kind;
    return 1;
}

void removeMediaFiles(MediaFolder* folder) {
    char file[MAX_PATH];
    if (folder->written & (1u << MediaSound)) {
        mediaFileName(folder, MediaSound, 0, file);
        DeleteFileA(file);  // a missing file is no error
    }
    for (int cell = 1; folder->written & (1u << MediaVideo) && cell <= MaxQuestions; ++cell) {
        mediaFileName(folder, MediaVideo, cell, file);
        DeleteFileA(file);
    }
    // A file still held keeps the folder, and the folder its name, for the
    // next attempt.
    if (folder->path[0] && RemoveDirectoryA(folder->path)) folder->path[0] = 0;
}
