#pragma once
// From a quiz record to the plain bytes of its content and codes resources:
// what quizmaker encodes into a player, and what parseContent and
// parseCodes read back into the same record.
#include <vector>

#include "content/quiz.h"

std::vector<unsigned char> composeContent(const Quiz* quiz);
std::vector<unsigned char> composeCodes(const Quiz* quiz);
