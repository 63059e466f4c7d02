#pragma once
#include <windows.h>
#include "content/quiz.h"

// Judges answer field fieldId (4000 + k) of board: verdict label, reveal,
// then updateScore.
void judgeAnswer(Quiz* quiz, HWND board, int fieldId);
// Recounts the solved questions from the verdict labels and rewrites the
// score (150) and code (157) displays of the board's parent.
void updateScore(Quiz* quiz, HWND board);
