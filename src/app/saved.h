#pragma once
// The results file: the answers of the game, written when the player
// closes the quiz and read back at the next start.
#include "format/text.h"
#include "play/play.h"

// The results file name of this executable (a relative name).
void resultsFileName(char (&name)[TextSize]);
// Fills the model's answer fields from the results file, if there is one.
void readSavedAnswers(PlayState* play);
// Writes one line per answer field through a temporary file beside the
// results file, flushed to the disk, then moved over the old one: the file
// is always a complete old or a complete new one. False when it fails, the
// old file left as it was.
bool writeAnswers(PlayState* play);
// At close: writes the answers, and tells the player when that fails.
void saveAnswers(PlayState* play);
// Tells the player that the answers could not be written.
void tellAnswersNotSaved();
// Called, when set, between the temporary file's write and its move over the
// results file: a test stops the program there.
extern void (*beforeAnswersReplaced)(const char* temporary);
