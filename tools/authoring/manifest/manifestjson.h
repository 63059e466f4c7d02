#pragma once
// The manifest as JSON text (UTF-8), read with every problem it holds and
// written back, both by walking the table of its keys.
#include <string>
#include <vector>

#include "manifest.h"
#include "messages.h"

// Parses manifest text and checks everything that needs no file: types,
// ranges, texts (Windows-1252, no "|", at most 259 bytes) and counts, with
// warnings for answers that players are unlikely to type as stored.
void loadManifestText(const std::string& json, Manifest* manifest, std::vector<Problem>* problems);
// Reads the manifest file, then loadManifestText.
bool loadManifestFile(const std::string& path, Manifest* manifest, std::vector<Problem>* problems);

// The manifest as UTF-8 JSON text: every key, in the order of the README's
// example, pretty-printed and ending with a line break.
std::string manifestToJson(const Manifest& manifest);
