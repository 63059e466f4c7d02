#pragma once
// What a media file is, judged by its first bytes, never by its name: the
// kinds a quiz stores (pictures the preparation reads, MP3 and WAV sounds,
// AVI videos), and for any other file a description an author recognises
// ("a PDF document", "a Zip archive", "a text file", "unknown data"), in
// English and in French.
#include <string>

#include "files.h"

enum FileType {
    FileJpeg,
    FilePng,
    FileGif,
    FileBmp,
    FileMp3,
    FileWav,
    FileAvi,
    FileOther,
};

FileType fileTypeOf(const Bytes& file);
bool isPictureType(FileType type);
// A video browsers play: MP4 (an ISO media file of a video brand) or WebM.
bool isBrowserVideo(const Bytes& file);

// With an article: "a PNG picture", "an MP3 sound", "an empty file"; in
// French "une image PNG", "un son MP3", "un fichier vide".
Message describeFile(const Bytes& file);

// The file name extension unpack gives a stored medium: ".jpg", ".mp3",
// ".wav", ".avi", or ".bin" for anything else.
const char* extensionOf(const unsigned char* bytes, size_t size);
