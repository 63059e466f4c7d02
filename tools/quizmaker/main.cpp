// quizmaker: the authors' tool. Encodes and decodes the content stream,
// judges a sample answer, checks a quiz manifest and builds, unpacks and
// tries quizzes.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "cli.h"
#include "commands.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

const Command commands[] = {
    {"encode", "encode a raw file into a content stream",
     "usage: quizmaker encode IN OUT\n"
     "Encodes the raw bytes of IN (shorter than 65536 bytes) into the player's\n"
     "content code stream and writes it to OUT.\n",
     runEncode},
    {"decode", "decode a content stream into a raw file",
     "usage: quizmaker decode IN OUT\n"
     "Decodes the content code stream IN and writes the raw bytes to OUT.\n",
     runDecode},
    {"judge", "show the verdict the player gives a typed answer",
     "usage: quizmaker judge TYPED STORED\n"
     "Prints the verdict the player shows for the answer TYPED when the stored\n"
     "answer is STORED.\n",
     runJudge},
    {"check", "validate a quiz manifest",
     "usage: quizmaker check MANIFEST\n"
     "Checks a quiz manifest (JSON) and its media files without writing anything.\n",
     runCheck},
    {"try", "show how the player takes likely typos of the answers",
     "usage: quizmaker try MANIFEST [QUESTION]\n"
     "Prints, for each question (or the one numbered QUESTION, from 1), the answers\n"
     "players are likely to type and the verdict the player gives each.\n",
     runTry},
    {"build", "build a quiz executable from a manifest",
     "usage: quizmaker build MANIFEST -o QUIZ.exe [--player PLAYER.exe]\n"
     "Checks MANIFEST, then writes its content, codes and media into a copy of\n"
     "the player (default: quizplayer.exe beside quizmaker).\n",
     runBuild},
    {"unpack", "write a quiz executable's manifest and media to a folder",
     "usage: quizmaker unpack QUIZ.exe -o DIR\n"
     "Writes DIR/quiz.json and the media files of QUIZ.exe, so that building\n"
     "DIR/quiz.json gives a quiz with the same resources.\n",
     runUnpack},
};
const int commandCount = sizeof(commands) / sizeof(commands[0]);

static void printUsage(FILE* out) {
    fprintf(out, "usage: quizmaker COMMAND [ARGS...]\n\ncommands:\n");
    for (int i = 0; i < commandCount; ++i) fprintf(out, "  %-8s %s\n", commands[i].name, commands[i].summary);
    fprintf(out, "\n'quizmaker COMMAND --help' describes one command.\n");
}

// The arguments as UTF-8: on Windows from the wide command line, so that
// accented answers arrive whatever the console's code page.
static std::vector<std::string> utf8Arguments(int argc, char** argv) {
    std::vector<std::string> args;
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide && i < count; ++i) {
        int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 0 ? static_cast<size_t>(size - 1) : 0, '\0');
        if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, &arg[0], size, nullptr, nullptr);
        args.push_back(arg);
    }
    LocalFree(wide);
#else
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
#endif
    return args;
}

int main(int argc, char** argv) {
    std::vector<std::string> args = utf8Arguments(argc, argv);
    if (args.empty()) {
        printUsage(stderr);
        return ExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(stdout);
        return ExitOk;
    }
    for (int i = 0; i < commandCount; ++i) {
        if (args[0] != commands[i].name) continue;
        Args rest(args.begin() + 1, args.end());
        if (wantsHelp(rest)) {
            fputs(commands[i].usage, stdout);
            return ExitOk;
        }
        return commands[i].run(rest);
    }
    fprintf(stderr, "quizmaker: error: unknown command '%s'\n", args[0].c_str());
    printUsage(stderr);
    return ExitUsage;
}
