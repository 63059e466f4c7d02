#pragma once
// Question banks saved by spreadsheet programs as CSV: a header row naming
// the columns (each a question key's name or one of its aliases, matched
// ignoring case, accents and spaces), then a question a row.
#include <string>

#include "importbank.h"

void readCsv(const std::string& utf8, Bank* bank);
// True when the first line that holds anything is a CSV header naming only
// known columns.
bool looksLikeCsv(const std::string& utf8);
