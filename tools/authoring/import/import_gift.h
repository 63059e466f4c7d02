#pragma once
// Question banks exported by learning platforms in GIFT: the questions that
// ask for a typed answer, every other kind skipped with a note.
#include <string>

#include "importbank.h"

void readGift(const std::string& utf8, Bank* bank);
