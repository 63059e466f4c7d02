#pragma once
// A zip archive written in memory: each entry deflated by zlib, or stored
// when that would not make it smaller, under a fixed time (1 January 1980)
// so that the same entries always give the same bytes.
#include <stddef.h>

#include <string>
#include <vector>

struct ZipEntry {
    std::string name;  // its path in the archive, "/" between folders, ASCII
    const unsigned char* data;  // owned by the caller for the length of the call
    size_t size;
};

// Writes the archive of entries, in their order, into *archive. False (and
// *archive empty) when there are more entries or bigger ones than a zip
// holds without its 64-bit extension (65,535 entries, 4 GiB each and in
// all), or zlib fails.
bool writeZip(const std::vector<ZipEntry>& entries, std::string* archive);
