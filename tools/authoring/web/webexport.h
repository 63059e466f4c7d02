#pragma once
// A quiz as one page for browsers, or as a package for learning platforms
// (SCORM 1.2): the work of quizmaker web and of the editor's export. The
// manifest is checked and its media prepared exactly as build does, so the
// page holds the very bytes a quiz program would. Browsers play no AVI: a
// video quiz's page shows the MP4 or WebM video each question names as its
// webVideo, and without one for every question nothing is made.
#include <string>
#include <vector>

#include "prepare.h"

struct WebExportRequest {
    std::string manifestPath;
    // When not empty, the manifest itself (an editor's, maybe unsaved), its
    // media paths relative to manifestFolder; manifestPath is then not read.
    std::string manifestText;
    std::string manifestFolder;
    std::string outputPath;
    bool scorm = false;          // the package for learning platforms, else the page
    bool keepPictures = false;   // pictures as they are (JPEG only), as build --keep-pictures
    MediaMemo* memo = nullptr;   // media prepared by earlier checks (an editor's), or null
};

struct WebExportSummary {
    unsigned long long outputBytes = 0;
    int pictures = 0, sounds = 0, videos = 0;
};

// Where the page goes unless the author says: the input's name ending in
// .html, or .zip for a package, beside it.
std::string webOutputPath(const std::string& inputPath, bool scorm);

// Checks and prepares the manifest as build does (reporting each media file
// to progress), then writes the page or the package. False with the
// manifest's problems, or with error for a failure of its own (a video
// without its webVideo, an output that would replace an input, a write
// that failed); either way nothing is written.
bool exportWebQuiz(const WebExportRequest& request, const ProgressFunction& progress, std::vector<Problem>* problems,
                   WebExportSummary* summary, Message* error);

// The page or package of a quiz as already stored (a quiz program's
// streams and media, read back as unpack reads them) written to
// outputPath, which may not be one of inputs.
bool exportStoredQuiz(const Manifest& manifest, const PreparedQuiz& stored, const std::string& outputPath, bool scorm,
                      const std::vector<std::string>& inputs, WebExportSummary* summary, Message* error);
