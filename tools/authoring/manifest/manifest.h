#pragma once
// The quiz manifest as the library holds it once read: its texts already
// Windows-1252, its media paths as the author wrote them. manifestkeys.h
// names its keys, manifestjson.h reads and writes it, manifestcheck.h
// checks its texts, manifestcompose.h turns it into the player's record
// and back.
#include <string>
#include <vector>

#include "format/format.h"

struct ManifestQuestion {
    std::string answer;          // Windows-1252 from here on
    std::string secondAnswer;
    std::string caption;
    std::string reveal;
    std::string media;           // path as written in the manifest (UTF-8), or empty
    std::string answerPicture;   // likewise
    std::string webVideo;        // a video quiz's question in browsers (MP4 or WebM): likewise
};

// A key left out of a manifest keeps the value given here.
struct Manifest {
    std::string title;
    std::string creator;
    std::string explanation;
    std::string firstRowCaption;
    std::string secondRowCaption;
    int style = StyleText;
    int questionFormat = OneAnswer;
    int answerMode = ModeRevealText;
    unsigned char red = 0xFF, green = 0xFF, blue = 0xFF;
    std::vector<ManifestQuestion> questions;
    std::vector<std::string> codes;   // Windows-1252, at most one per question
};
