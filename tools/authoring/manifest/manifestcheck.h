#pragma once
// The checks of a manifest's values that the JSON reader and the importers
// share: each text as the player can store it, and the rules that tie a
// question's keys to the quiz's settings. Every problem is placed by the
// JSON path of its key, so that an author sees all of them at once.
#include <string>
#include <vector>

#include "manifestkeys.h"
#include "messages.h"

// Checks one text (valid UTF-8) as the manifest's texts are checked: it must
// fit Windows-1252, hold no "|" and no zero, and come to at most 259 bytes.
// Adds an error or warning at where for each problem, and gives the
// Windows-1252 bytes when there is no error (otherwise an empty text).
bool checkText(const std::string& utf8, TextKind kind, const std::string& where, std::string* cp1252,
               std::vector<Problem>* problems);

// The rules of one question's keys that depend on the quiz's settings, for a
// question whose texts are checked: a second answer outside questionFormat 2
// and a reveal text no answerMode shows are dropped with a warning, media in
// a text quiz are an error, an answer picture the mode does not show is a
// warning. Problems are named prefix + key ("questions[3]." + "media").
void settleQuestion(const Manifest& manifest, const std::string& prefix, ManifestQuestion* question,
                    std::vector<Problem>* problems);
// A warning at each row caption a one-answer quiz never shows.
void warnAboutHiddenRowCaptions(const Manifest& manifest, std::vector<Problem>* problems);
// One warning (at "questions") when reveal texts or answer pictures would be
// stored in a quiz that never shows them.
void warnAboutHiddenReveals(const Manifest& manifest, std::vector<Problem>* problems);
