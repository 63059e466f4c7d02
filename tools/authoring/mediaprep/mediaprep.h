#pragma once
// One media file of a quiz made ready to store: read, its kind checked by
// its bytes, a picture prepared for the player's box, with the problems an
// author must hear of (a missing or empty file, a kind the player cannot
// show or play, a picture smaller than its box, a huge file). Through a
// memo, a file unchanged since its last preparation is not prepared again.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "files.h"
#include "messages.h"
#include "picture.h"

enum MediumKind { PictureMedium, SoundMedium, VideoMedium };

// One file to store as an "IMG" resource.
struct MediaFile {
    int resource = 0;
    std::string where;      // JSON path of the key that names it
    std::string path;       // as written in the manifest
    MediumKind kind = PictureMedium;
    std::string what;       // what the file is: "a PNG picture", "an MP3 sound"
    size_t originalSize = 0;
    PreparedPicture picture;   // pictures only
    Bytes bytes;            // what is stored
};

// Media files bigger than this make a quiz too big to send by mail.
enum { LargeMediumBytes = 20 * 1024 * 1024 };

// One media file handled, number from 1 to count, for a progress display.
struct MediaProgress {
    int number;
    int count;
    std::string path;
    bool ready;   // false: refused, its problem is in the list
    unsigned long long originalBytes;
    unsigned long long storedBytes;
};
typedef std::function<void(const MediaProgress&)> ProgressFunction;

// Media files as an earlier check prepared them, for a caller that checks
// the same manifest again and again (an editor, after each change): a file
// is read and prepared again only when its size or modification time, its
// path or the settings its preparation depends on have changed. Entries for
// files a check no longer names are dropped by that check.
struct MediaMemo {
    struct Entry {
        bool known = false, used = false, ready = false;
        unsigned long long size = 0;
        long long modified = 0;
        MediaFile file;                  // as prepared; where and resource are set on each use
        std::vector<Problem> problems;   // likewise without their where
    };
    std::map<std::string, Entry> entries;
};

// Prepares the file at path (relative to folder), named by the key at
// where, for the resource number given, and appends it to media; null, its
// problems added, when it cannot be stored. memo may be null.
const MediaFile* prepareMediaFile(const std::string& folder, const std::string& path, const std::string& where,
                                  int resource, MediumKind kind, const PictureOptions& options, MediaMemo* memo,
                                  std::vector<MediaFile>* media, std::vector<Problem>* problems);
// A check through the memo begins and ends with these: the entries it does
// not use are forgotten at its end.
void beginMemoUse(MediaMemo* memo);
void forgetUnusedMedia(MediaMemo* memo);
