#pragma once
// Files as the library reads and writes them: whole, by UTF-8 paths, a
// write either complete or not done at all; and the media paths of a
// manifest, relative to its folder.
#include <string>
#include <vector>

#include "messages.h"

typedef std::vector<unsigned char> Bytes;

bool readFile(const std::string& path, Bytes* bytes, Message* error);
// Writes to a temporary file beside path, then moves it into place: either
// the whole file is there or nothing is.
bool writeFileAtomically(const std::string& path, const Bytes& bytes, Message* error);
// Why a file could not be opened, in French, naming it as shown: "fichier
// introuvable : img/paris.jpg" when there is no such file.
std::string cannotOpenInFrench(const std::string& path, const std::string& shown);

// The folder that media paths are relative to, and one media path resolved.
std::string manifestFolder(const std::string& manifestPath);
std::string resolveMediaPath(const std::string& folder, const std::string& path);

// Names of files made from an author's texts.
// The plain letters and digits of a UTF-8 text in small letters, every other
// run of characters one '-', cut at a '-' to at most `longest` bytes where it
// can: "Cerf-volant !" gives "cerf-volant", "L'Été" gives "l-ete". ASCII only,
// so that every file system, zip and mail takes it; "" when nothing is left.
std::string plainFileName(const std::string& utf8, size_t longest = 40);
// The text as a file name, as written but for the characters Windows refuses
// in names (\ / : * ? " < > | and controls) and the spaces and dots it drops
// at the end: "Les capitales : Europe" gives "Les capitales - Europe"; ""
// when nothing is left.
std::string fileNameFromText(const std::string& utf8);

// A folder to unpack a file into, beside it and named after it: "dir/name"
// for "dir/name.exe", or "dir/name-2", "dir/name-3"... when a file or a
// folder with something in it has that name already.
std::string freshFolderBeside(const std::string& file);

// Media files brought together into one folder beside a manifest, so that
// the manifest and its folder move as one. Each file (an absolute UTF-8
// path) already under `folder` stays where it is; any other is copied into
// folder/subfolder under its own name, or "name-2.jpg", "name-3.jpg"... when
// a different file has that name there (a file with the same bytes is used
// as it is: nothing is ever overwritten). A file that does not exist is
// left as it is. placed gets, for each file, where it now lies; false with
// error when a file cannot be read or copied (the copies made stay).
struct GatherResult {
    std::vector<std::string> placed;
    int copied = 0;    // files copied
    int missing = 0;   // files that do not exist
};
bool gatherFiles(const std::vector<std::string>& files, const std::string& folder, const std::string& subfolder,
                 GatherResult* result, Message* error);
