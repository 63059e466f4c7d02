#pragma once
// What the library tells people, in the two languages of the programs that
// show it: English for quizmaker's command line, French for the editor's
// windows. Both UTF-8, both written where the message is made. A Problem is
// one found in a manifest, placed by the JSON path of its key.
#include <string>
#include <vector>

struct Message {
    std::string english;
    std::string french;
};

struct Problem {
    bool error;           // false: a warning
    std::string where;    // JSON path of the key, empty for the whole file
    std::string message;  // as quizmaker prints it, in English
    std::string french;   // the same for the editor's problems list
};

void addError(std::vector<Problem>* problems, const std::string& where, const std::string& message,
              const std::string& french);
void addWarning(std::vector<Problem>* problems, const std::string& where, const std::string& message,
                const std::string& french);
bool hasErrors(const std::vector<Problem>& problems);

// A count and its noun, the noun agreeing with the count: "1 error",
// "2 errors", "0 errors"; in French the singular for 0 and 1 as well:
// "0 erreur", "1 erreur", "2 erreurs".
std::string counted(unsigned long long count, const char* one, const char* many);
std::string countedInFrench(unsigned long long count, const char* one, const char* many);

// Sizes for people: "812 bytes", "18.4 KB", "3.2 MB"; in French "812 octets",
// "18,4 Ko", "3,2 Mo".
std::string describeSize(unsigned long long bytes);
std::string describeSizeInFrench(unsigned long long bytes);
