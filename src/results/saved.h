#pragma once
#include <windows.h>
#include "format/text.h"

// The results file name of this executable (a relative name).
void resultsFileName(char (&name)[TextSize]);
// Writes every answer field of board to the results file, through a
// temporary file moved over the old one; tells the player if it fails.
void saveAnswers(HWND board);
