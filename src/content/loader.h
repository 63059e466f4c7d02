#pragma once
#include <windows.h>
#include "content/quiz.h"

// Fills the quiz from the "PATCH" resources 104 (content) and 105 (codes)
// of module, and creates its background brush.
void loadContent(Quiz* quiz, HMODULE module);
