// quizmaker judge TYPED STORED: the verdict the player shows for an answer.
#include <stdio.h>

#include <string>

#include "cli.h"
#include "commands.h"
#include "encoding.h"
#include "format/text.h"
#include "play/compare.h"

// Converts one argument to the player's single-byte text, refusing what the
// player could not hold rather than judging something else.
static bool toPlayerText(const std::string& utf8, const char* role, std::string* cp1252, std::string* error) {
    if (!utf8ToCp1252(utf8, cp1252)) {
        *error = std::string("the ") + role + " answer '" + utf8 +
                 "' holds a character that Windows-1252 cannot represent (or is not valid UTF-8)";
        return false;
    }
    if (cp1252->size() > TextMaxLength) {
        *error = std::string("the ") + role + " answer is " + std::to_string(cp1252->size()) +
                 " characters long; the player holds at most " + std::to_string(TextMaxLength);
        return false;
    }
    return true;
}

int runJudge(const Args& args) {
    if (args.size() != 2) {
        for (int i = 0; i < commandCount; ++i)
            if (std::string(commands[i].name) == "judge") fputs(commands[i].usage, stderr);
        return ExitUsage;
    }
    std::string typed;
    std::string stored;
    std::string error;
    if (!toPlayerText(args[0], "typed", &typed, &error)) return failWith(error);
    if (!toPlayerText(args[1], "stored", &stored, &error)) return failWith(error);
    printText(cp1252ToUtf8(chooseVerdict(typed.c_str(), stored.c_str())) + "\n");
    return ExitOk;
}
