#include "mediaprep.h"

#include <stdio.h>

#include <filesystem>

#include "filetype.h"
#include "format/format.h"

namespace {

// Sounds and videos are stored as they are, so their kind is checked by
// their headers: the player hands sounds to a player of MP3 and WAV files,
// and videos to one of AVI files.
bool acceptMedium(MediumKind kind, const Bytes& bytes, Message* why) {
    const FileType type = fileTypeOf(bytes);
    const Message what = describeFile(bytes);
    if (kind == SoundMedium && type != FileMp3 && type != FileWav) {
        *why = {"is " + what.english + ", not an MP3 or WAV sound",
                u8"n'est pas un son que le lecteur sait jouer (MP3 ou WAV) : c'est " + what.french};
        return false;
    }
    if (kind == VideoMedium && type != FileAvi) {
        *why = {"is " + what.english + ", not an AVI video",
                u8"n'est pas une vidéo que le lecteur sait jouer (AVI) : c'est " + what.french};
        return false;
    }
    return true;
}

// The warnings about a file ready to store: a huge one, a picture smaller
// than its box, a picture stored as it is that needs turning upright.
void warnAboutStored(const MediaFile& file, const PictureOptions& options, std::vector<Problem>* problems) {
    const std::string quoted = "'" + file.path + "' ", french = u8"« " + file.path + u8" » ";
    if (file.bytes.size() > LargeMediumBytes)
        addWarning(problems, file.where,
                   quoted + "is " + describeSize(file.bytes.size()) +
                       ", stored as it is: the quiz grows as much, too big to send by mail and slow to open",
                   french + u8"pèse " + describeSizeInFrench(file.bytes.size()) +
                       u8" et sera enregistré tel quel : le quiz grossit d'autant, trop pour un courriel, "
                       u8"et s'ouvre lentement");
    if (file.kind != PictureMedium) return;
    const std::string width = std::to_string(file.picture.width), height = std::to_string(file.picture.height),
                      box = std::to_string(PictureBoxSize);
    if (file.picture.enlarged)
        addWarning(problems, file.where,
                   quoted + "is " + width + " x " + height + ", smaller than its " + box + " x " + box +
                       " box: it will be enlarged and look blurred",
                   french + u8"fait " + width + u8" × " + height + u8" pixels, moins que sa case de " + box +
                       u8" × " + box + u8" : l'image sera agrandie et paraîtra floue");
    const Message turned = describeOrientation(file.picture.orientation);
    if (options.keepOriginal && file.picture.orientation != 1)
        addWarning(problems, file.where,
                   quoted + "is marked to be " + turned.english +
                       " to stand upright, which a picture stored as it is does not get: the player shows it turned",
                   french + u8"doit être " + turned.french +
                       u8" pour être droite, ce qu'une image enregistrée telle quelle ne reçoit pas : "
                       u8"le lecteur la montre de travers");
}

const MediaFile* prepareMedium(const std::string& folder, const std::string& path, const std::string& where,
                               int resource, MediumKind kind, const PictureOptions& options,
                               std::vector<MediaFile>* media, std::vector<Problem>* problems) {
    MediaFile file;
    file.resource = resource;
    file.where = where;
    file.path = path;
    file.kind = kind;
    Bytes original;
    Message error;
    const std::string resolved = resolveMediaPath(folder, path);
    if (!readFile(resolved, &original, &error)) {
        // The author knows the file by the path they wrote.
        addError(problems, where, error.english, cannotOpenInFrench(resolved, path));
        return nullptr;
    }
    const std::string quoted = "'" + path + "' ", french = u8"« " + path + u8" » ";
    if (original.empty()) {
        addError(problems, where, quoted + "is empty", french + u8"est vide");
        return nullptr;
    }
    file.originalSize = original.size();
    file.what = describeFile(original).english;
    Message why;
    const bool fine = kind == PictureMedium ? preparePicture(original, options, &file.bytes, &file.picture, &why)
                                            : acceptMedium(kind, original, &why);
    if (!fine) {
        addError(problems, where, quoted + why.english, french + why.french);
        return nullptr;
    }
    if (kind != PictureMedium) file.bytes.swap(original);
    warnAboutStored(file, options, problems);
    media->push_back(file);
    return &media->back();
}

}  // namespace

// Through the memo, a file whose size and modification time are those of
// its last preparation, for the same path and settings, is not read again;
// its problems and prepared bytes are given as they were.
const MediaFile* prepareMediaFile(const std::string& folder, const std::string& path, const std::string& where,
                                  int resource, MediumKind kind, const PictureOptions& options, MediaMemo* memo,
                                  std::vector<MediaFile>* media, std::vector<Problem>* problems) {
    const std::string resolved = resolveMediaPath(folder, path);
    std::error_code failed;
    const std::filesystem::path file = std::filesystem::u8path(resolved);
    const unsigned long long size = memo ? std::filesystem::file_size(file, failed) : 0;
    const auto modified = memo && !failed ? std::filesystem::last_write_time(file, failed).time_since_epoch().count() : 0;
    if (!memo || failed) return prepareMedium(folder, path, where, resource, kind, options, media, problems);
    char settings[40];
    snprintf(settings, sizeof settings, "\n%d %02X%02X%02X %d\n", static_cast<int>(kind), options.red, options.green,
             options.blue, options.keepOriginal ? 1 : 0);
    MediaMemo::Entry& entry = memo->entries[resolved + settings + path];
    if (!entry.known || entry.size != size || entry.modified != static_cast<long long>(modified)) {
        std::vector<MediaFile> one;
        std::vector<Problem> found;
        const MediaFile* made = prepareMedium(folder, path, "", resource, kind, options, &one, &found);
        entry.known = true;
        entry.size = size;
        entry.modified = static_cast<long long>(modified);
        entry.ready = made != nullptr;
        entry.file = made ? *made : MediaFile();
        entry.problems = found;
    }
    entry.used = true;
    for (Problem problem : entry.problems) {
        problem.where = where;
        problems->push_back(problem);
    }
    if (!entry.ready) return nullptr;
    media->push_back(entry.file);
    media->back().where = where;
    media->back().resource = resource;
    return &media->back();
}


void beginMemoUse(MediaMemo* memo) {
    if (memo)
        for (auto& entry : memo->entries) entry.second.used = false;
}

void forgetUnusedMedia(MediaMemo* memo) {
    if (memo)
        for (auto entry = memo->entries.begin(); entry != memo->entries.end();)
            entry = entry->second.used ? std::next(entry) : memo->entries.erase(entry);
}
