#pragma once
// The play model: everything a game of the quiz is at one moment, and the
// rules that move it on. For a loaded quiz it holds each answer field's text
// and verdict, what each question's reveal box shows, the score and the code
// line. The windows show it and forward what the player does; every
// decision (verdict, reveal, score, where Tab goes, which fields F1 fills)
// is taken here, without any platform call.
#include <stddef.h>

#include "content/quiz.h"
#include "layout/layout.h"
#include "play/compare.h"

struct PlayField {
    Text text;        // what the field holds
    Verdict verdict;  // what its verdict label shows
    Text saved;       // what the results file was last given for it (read or written)
};

struct PlayState {
    const Quiz* quiz;
    int questionCount;  // questions with a cell: the quiz's, at most MaxQuestions
    int format;         // answer fields a question: 1 or 2, 0 for any other format
    int fieldCount;     // format x questionCount
    PlayField fields[MaxAnswerFields];  // field k (from 1) at k - 1
    bool revealShown[MaxQuestions];     // question i's reveal box shows its text (at i - 1)
    int score;                          // solved questions at the last count
};

// A fresh game: every field empty and unjudged, nothing revealed, score 0.
void startPlay(PlayState* play, const Quiz* quiz);

// The field of answer field number k (1 to fieldCount), or null.
PlayField* playField(PlayState* play, int k);
const PlayField* playField(const PlayState* play, int k);

// A field's text changed without being judged (typed, or filled by F1).
void setFieldText(PlayState* play, int k, const char* text);

// What the reveal box of the judged field's question must do.
enum class RevealChange { Kept, Shown, Cleared };

// What one judgement changed, in the order the windows show it: the reveal
// text (Shown), then the answer picture, then the emptied box (Cleared),
// then the verdict label.
struct Judgement {
    int question;            // from 1; 0 when k is no field
    Verdict verdict;
    bool verdictChanged;
    RevealChange reveal;
    bool showAnswerPicture;  // shown anew each time a solved question is judged
    bool answerUnsaved;      // the field holds another text than the results file was last given
};

// Sets field k's text and judges it against its stored answer.
Judgement judgeField(PlayState* play, int k, const char* text);

// The score counted anew from the verdicts: a question is solved while all
// of its fields are right.
struct ScoreUpdate {
    int score;
    bool revealsChanged[MaxQuestions];  // boxes that show their text now (answer mode 4)
};
ScoreUpdate updateScore(PlayState* play);

// " 3 / 30": the score over the questions, as the header shows it.
void scoreText(const PlayState* play, char* out, size_t size);
// The code line of the current score, six spaces while nothing is solved.
const char* codeLine(const PlayState* play);
// What question i's reveal box shows now.
const char* revealText(const PlayState* play, int i);
// True while every field of question i (from 1) is right.
bool questionSolved(const PlayState* play, int i);

// Tab and Shift+Tab: the field reached from field k and how far the board
// must scroll, as little as it can, to show it whole: with its whole cell
// (the question's picture, sound buttons or caption beside it) along each
// axis the cell fits the view on, else the field and its verdict label.
// view is the part of the content in view, in content pixels.
struct TabStep {
    int target;  // field number
    int across;  // scroll positions, positive to the right
    int down;    // scroll positions, positive down
};
TabStep tabStep(const PlayState* play, int k, int direction, Box view);

// F1 fills every field that is not right: the first such field after field
// `after` (0 for the first), or 0 when there is none. Asked again before
// each field, since filling one judges the one before.
int nextFieldToTry(const PlayState* play, int after);

// The results file: one line per answer field, in field order.
// Initial texts from a results file's bytes (a line per field, "*" empty).
void restoreAnswers(PlayState* play, const char* data, size_t size);
// How many lines the file gets: one per answer field the quiz declares
// (questions x format), even for a format that gives the board no fields.
int answerLineCount(const PlayState* play);
// Line k (from 1): the field's text, "*" for an empty or missing field,
// CR LF ended; returns its length.
size_t answerLine(const PlayState* play, int k, char (&line)[TextSize + 2]);
// True while some field holds another text than the results file was last
// given: a write is due. A judgement says so of its own field.
bool answersUnsaved(const PlayState* play);
// The results file now holds every field's text.
void markAnswersSaved(PlayState* play);
