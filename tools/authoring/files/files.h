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
