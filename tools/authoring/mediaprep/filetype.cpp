#include "filetype.h"

#include <string.h>

namespace {

// The bytes of a file, or of its part after a tag.
struct View {
    const unsigned char* data;
    size_t size;
    unsigned char operator[](size_t at) const { return data[at]; }
};

bool startsWith(View file, size_t at, const char* bytes, size_t length) {
    return file.size >= at + length && memcmp(file.data + at, bytes, length) == 0;
}

bool startsWith(View file, size_t at, const char* text) { return startsWith(file, at, text, strlen(text)); }

// An MPEG audio layer III frame header at at: sync, a defined version, layer
// III, a bit rate other than "bad" and a defined sample rate.
bool mp3FrameAt(View file, size_t at) {
    if (file.size < at + 4) return false;
    const unsigned char* h = file.data + at;
    return h[0] == 0xFF && (h[1] & 0xE0) == 0xE0 && ((h[1] >> 3) & 3) != 1 && ((h[1] >> 1) & 3) == 1 &&
           (h[2] >> 4) != 15 && ((h[2] >> 2) & 3) != 3;
}

// Where the data after a leading ID3v2 tag starts (0 without one): the tag's
// size is four 7-bit bytes, plus a footer when its flag says so; encoders
// may pad with zeros up to the first frame.
size_t afterId3(View file) {
    if (!startsWith(file, 0, "ID3") || file.size < 10) return 0;
    size_t size = 0;
    for (int k = 6; k < 10; ++k) size = (size << 7) | (file[k] & 0x7F);
    size_t at = 10 + size + ((file[5] & 0x10) ? 10 : 0);
    while (at < file.size && file[at] == 0) ++at;
    return at < file.size ? at : file.size;
}

// Printable text: ASCII, UTF-8 or Windows-1252, with tabs and line breaks,
// judged on the first kilobytes.
bool looksLikeText(View file) {
    size_t end = file.size < 4096 ? file.size : 4096;
    for (size_t i = 0; i < end; ++i) {
        unsigned char c = file[i];
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') return false;
        if (c == 0x7F) return false;
    }
    return end > 0;
}

struct Signature {
    size_t at;
    const char* bytes;
    size_t length;
    const char* english;
    const char* french;
};
#define SIGNATURE(at, bytes, english, french) {at, bytes, sizeof(bytes) - 1, english, french}

// Formats authors are likely to pick by mistake, by their leading bytes.
const Signature others[] = {
    SIGNATURE(0, "%PDF", "a PDF document", u8"un document PDF"),
    SIGNATURE(0, "PK\x03\x04", "a Zip archive (or an office document)", u8"une archive Zip (ou un document bureautique)"),
    SIGNATURE(0, "PK\x05\x06", "a Zip archive (or an office document)", u8"une archive Zip (ou un document bureautique)"),
    SIGNATURE(0, "Rar!", "a RAR archive", u8"une archive RAR"),
    SIGNATURE(0, "7z\xBC\xAF", "a 7-Zip archive", u8"une archive 7-Zip"),
    SIGNATURE(0, "\x1F\x8B", "a gzip archive", u8"une archive gzip"),
    SIGNATURE(0, "MZ", "a Windows program", u8"un programme Windows"),
    SIGNATURE(0, "\x7F" "ELF", "a Linux program", u8"un programme Linux"),
    SIGNATURE(0, "II*\0", "a TIFF picture", u8"une image TIFF"),
    SIGNATURE(0, "MM\0*", "a TIFF picture", u8"une image TIFF"),
    SIGNATURE(8, "WEBP", "a WebP picture", u8"une image WebP"),
    SIGNATURE(4, "ftypheic", "a HEIC picture", u8"une image HEIC"),
    SIGNATURE(4, "ftypheix", "a HEIC picture", u8"une image HEIC"),
    SIGNATURE(4, "ftypmif1", "a HEIF picture", u8"une image HEIF"),
    SIGNATURE(4, "ftypavif", "an AVIF picture", u8"une image AVIF"),
    SIGNATURE(4, "ftypM4A", "an M4A sound", u8"un son M4A"),
    SIGNATURE(4, "ftypqt", "a QuickTime video", u8"une vidéo QuickTime"),
    SIGNATURE(4, "ftyp", "an MP4 video", u8"une vidéo MP4"),
    SIGNATURE(0, "OggS", "an Ogg sound or video", u8"un son ou une vidéo Ogg"),
    SIGNATURE(0, "fLaC", "a FLAC sound", u8"un son FLAC"),
    SIGNATURE(0, "MThd", "a MIDI file", u8"un fichier MIDI"),
    SIGNATURE(0, "\x30\x26\xB2\x75", "a Windows Media sound or video", u8"un son ou une vidéo Windows Media"),
    SIGNATURE(0, "\x1A\x45\xDF\xA3", "a Matroska or WebM video", u8"une vidéo Matroska ou WebM"),
    SIGNATURE(0, "\xD0\xCF\x11\xE0", "an old Office document", u8"un ancien document Office"),
    SIGNATURE(0, "8BPS", "a Photoshop document", u8"un document Photoshop"),
    SIGNATURE(0, "RIFF", "a RIFF file", u8"un fichier RIFF"),
};
#undef SIGNATURE

FileType typeOf(View file) {
    if (startsWith(file, 0, "\xFF\xD8\xFF")) return FileJpeg;
    if (startsWith(file, 0, "\x89PNG\r\n\x1A\n")) return FilePng;
    if (startsWith(file, 0, "GIF87a") || startsWith(file, 0, "GIF89a")) return FileGif;
    // "BM" with a header the reader can take: 14 bytes and a known info size.
    if (startsWith(file, 0, "BM") && file.size >= 18) {
        unsigned info = file[14] | (file[15] << 8) | (file[16] << 16) | (static_cast<unsigned>(file[17]) << 24);
        if (info == 12 || info == 40 || info == 52 || info == 56 || info == 64 || info == 108 || info == 124)
            return FileBmp;
    }
    if (startsWith(file, 0, "RIFF") && startsWith(file, 8, "WAVE")) return FileWav;
    if (startsWith(file, 0, "RIFF") && startsWith(file, 8, "AVI ")) return FileAvi;
    if (mp3FrameAt(file, afterId3(file))) return FileMp3;
    return FileOther;
}

}  // namespace

FileType fileTypeOf(const Bytes& file) { return typeOf(View{file.data(), file.size()}); }

bool isBrowserVideo(const Bytes& file) {
    const View view{file.data(), file.size()};
    if (startsWith(view, 0, "\x1A\x45\xDF\xA3")) return true;
    if (!startsWith(view, 4, "ftyp")) return false;
    // The ISO media files that are pictures, sounds or QuickTime movies.
    for (const char* brand : {"ftypheic", "ftypheix", "ftypmif1", "ftypavif", "ftypM4A", "ftypqt"})
        if (startsWith(view, 4, brand)) return false;
    return true;
}

bool isPictureType(FileType type) {
    return type == FileJpeg || type == FilePng || type == FileGif || type == FileBmp;
}

namespace {

Message describe(View file, bool behindTag) {
    switch (typeOf(file)) {
    case FileJpeg: return {"a JPEG picture", u8"une image JPEG"};
    case FilePng: return {"a PNG picture", u8"une image PNG"};
    case FileGif: return {"a GIF picture", u8"une image GIF"};
    case FileBmp: return {"a BMP picture", u8"une image BMP"};
    case FileMp3: return {"an MP3 sound", u8"un son MP3"};
    case FileWav: return {"a WAV sound", u8"un son WAV"};
    case FileAvi: return {"an AVI video", u8"une vidéo AVI"};
    case FileOther: break;
    }
    if (file.size == 0) return {"an empty file", u8"un fichier vide"};
    // A tag in front says nothing of what follows it.
    const size_t start = behindTag ? 0 : afterId3(file);
    if (start > 0) {
        if (start == file.size) return {"an ID3 tag without a sound", u8"une étiquette ID3 sans son"};
        const Message behind = describe(View{file.data + start, file.size - start}, true);
        return {behind.english + " behind an ID3 tag", behind.french + u8" derrière une étiquette ID3"};
    }
    for (const Signature& signature : others)
        if (startsWith(file, signature.at, signature.bytes, signature.length))
            return {signature.english, signature.french};
    if (looksLikeText(file)) return {"a text file", u8"un fichier texte"};
    return {"unknown data", u8"un contenu inconnu"};
}

}  // namespace

Message describeFile(const Bytes& file) { return describe(View{file.data(), file.size()}, false); }

const char* extensionOf(const unsigned char* bytes, size_t size) {
    switch (typeOf(View{bytes, size})) {
    case FileJpeg: return ".jpg";
    case FilePng: return ".png";
    case FileGif: return ".gif";
    case FileBmp: return ".bmp";
    case FileMp3: return ".mp3";
    case FileWav: return ".wav";
    case FileAvi: return ".avi";
    case FileOther: break;
    }
    return ".bin";
}
