#pragma once
#include <windows.h>
#include "content/quiz.h"

// Judges answer field fieldId (4000 + k) of board: verdict label, reveal,
// then updateScore (unless the recount is deferred).
void judgeAnswer(Quiz* quiz, HWND board, int fieldId);
// Recounts the solved questions from the verdict labels and rewrites the
// score (150) and code (157) displays of the board's parent.
void updateScore(Quiz* quiz, HWND board);
// From now on judgeAnswer leaves out its updateScore, for the board's
// construction, where each field is judged once or twice in a row.
void deferScoreRecount();
// Ends the deferral; one updateScore when a judgement left it out, none when
// nothing was judged (the header then keeps its initial texts).
void finishDeferredScoreRecount(Quiz* quiz, HWND board);
