#pragma once
// One function per quizmaker command; args are the words after the command.
#include <string>
#include <vector>

typedef std::vector<std::string> Args;

struct Command {
    const char* name;
    const char* summary;
    const char* usage;   // full help text of the command
    int (*run)(const Args& args);
};

int runEncode(const Args& args);
int runDecode(const Args& args);
int runJudge(const Args& args);
int runCheck(const Args& args);
int runTry(const Args& args);
int runBuild(const Args& args);
int runUnpack(const Args& args);
int runImport(const Args& args);
int runWeb(const Args& args);

extern const Command commands[];
extern const int commandCount;
