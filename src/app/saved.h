#pragma once
// The results file: the answers of the game, written when the player
// closes the quiz and read back at the next start.
#include "format/text.h"
#include "play/play.h"

// The results file name of this executable (a relative name).
void resultsFileName(char (&name)[TextSize]);
// Fills the model's answer fields from the results file, if there is one.
void readSavedAnswers(PlayState* play);
// Writes one line per answer field through a temporary file moved over the
// old one; tells the player when it fails, leaving the old file as it was.
void saveAnswers(const PlayState* play);
