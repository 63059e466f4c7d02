#pragma once
// A quiz's package for learning platforms (SCORM 1.2): a zip holding the
// quiz's page, made for a platform, as the launch file, and the manifest
// (imsmanifest.xml) by which a platform imports it: one organisation of one
// item, launching one SCO resource that lists every file of the package.
#include <string>

#include "export/webpage.h"

// The page's name in the package.
extern const char ScormLaunchFile[];

struct ScormQuiz {
    WebBytes page;        // the page makeWebPage wrote with forPlatform
    const char* title;    // the quiz's title, Windows-1252
    int questionCount;    // the score's maximum on the platform
};

// Makes the package of quiz into *package. Refuses (false, *error says
// why) a page not made for a platform and a quiz of no question.
bool makeScormPackage(const ScormQuiz& quiz, std::string* package, WebExportError* error);

// The manifest of a package holding the page (page's bytes give it its
// identifier) with the quiz's title, in UTF-8: the title's first 200
// characters, escaped, its control characters as spaces; "Quiz" when it
// has none.
std::string scormManifest(WebBytes page, const char* title);
