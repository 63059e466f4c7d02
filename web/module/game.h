#pragma once
// One game of a quiz in the page: the quiz read from the content and codes
// a player executable stores, the player's play model over it, and what the
// player's windows keep besides the model (which answer pictures show). The
// rules are the player's own; this unit joins them to what the page hands
// over (typed texts in UTF-8, keys) and to what the page keeps (the
// answers, as the player's results lines).
#include <stddef.h>
#include <stdint.h>

#include "content/parse.h"
#include "module/kept.h"
#include "play/play.h"

enum { LoaderMessagesSize = 512 };

struct WebGame {
    Quiz quiz;
    PlayState play;
    LoadOutcome outcome;
    bool answerPictureShown[MaxQuestions];  // question i's picture box shows its answer picture (at i - 1)
    char messages[LoaderMessagesSize];      // what the loader told, Windows-1252, one message a line
    uint64_t contentHash;                   // of the stored content and codes
};

// Reads the quiz from its stored (encoded) content and codes as the player
// reads its two resources, messages and fallbacks included, and starts a
// fresh game. Empty bytes stand for an empty resource.
void loadGame(WebGame* game, const unsigned char* content, uint32_t contentSize, const unsigned char* codes,
              uint32_t codesSize);

// A fresh game over the loaded quiz: every field empty, score 0.
void clearGame(WebGame* game);

// Field k now holds what the pupil typed (not judged yet).
void typeAnswer(WebGame* game, int k, const char* utf8, size_t size);

// Judges field k holding the typed text: its verdict, its question's reveal
// and answer picture, then the score.
Judgement judgeAnswer(WebGame* game, int k, const char* utf8, size_t size);

// F1 in field k holding the typed text: the text goes into every field that
// is not right, each judged as the player judges it (when it loses the
// keyboard focus to the next, the last as the focus comes back to field k).
void tryAnswerEverywhere(WebGame* game, int k, const char* utf8, size_t size);

// A fresh game whose fields take the answers kept from an earlier one (the
// player's results lines, in UTF-8), each judged, the score counted once.
void restoreGame(WebGame* game, const char* utf8, size_t size);

// The answers to keep: the player's results lines (a line per field, "*"
// for an empty one, CR LF ended) in UTF-8, into out of capacity bytes (cut
// at a whole line when short of room); returns the bytes written.
size_t keptAnswers(const WebGame* game, char* out, size_t capacity);

// The answers packed for a learning platform (confirmed null, in at most
// limit characters) or for the browser's copy beside it (see kept.h), in
// UTF-8 into out of capacity bytes; returns the bytes written.
size_t packedAnswers(const WebGame* game, uint32_t version, const uint32_t* confirmed, size_t limit, char* out,
                     size_t capacity);

// A fresh game whose fields take the answers merged from the platform's
// packed copy (platformRead false: the platform could not be read) and the
// browser's (UTF-8, either may be empty), each judged, the score counted
// once; returns the marks the next saves go on from.
KeptMarks restoreKeptAnswers(WebGame* game, const char* platform, size_t platformSize, bool platformRead,
                             const char* browser, size_t browserSize);

// Whether every question is solved.
bool quizSolved(const WebGame* game);

// The name the page keeps this quiz's answers under: "quiz-" and sixteen
// hexadecimal digits of a hash of its stored content and codes.
void storageKey(const WebGame* game, char (&key)[24]);

// Whether the board gives every cell of this quiz a picture box, a reveal
// box, play and stop buttons, a video box; captions beside grid rows.
struct CellParts {
    bool picture;
    bool reveal;
    bool buttons;
    bool video;
    bool rowCaptions;
};
CellParts cellParts(const WebGame* game);
