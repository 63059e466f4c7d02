// quizmaker: the authors' tool. Encodes and decodes the content stream,
// judges a sample answer, checks a quiz manifest, builds, unpacks and tries
// quizzes, imports question banks, and writes a quiz's page for browsers.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "cli.h"
#include "commands.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include "encoding.h"
#include "system/libraries.h"
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
     "usage: quizmaker check MANIFEST [--keep-pictures]\n"
     "Checks a quiz manifest (JSON) and its media files without writing anything,\n"
     "and tells what build would store of each: a picture's size, the size it is\n"
     "stored at and its bytes, and how it is turned upright.\n",
     runCheck},
    {"try", "show how the player takes likely typos of the answers",
     "usage: quizmaker try MANIFEST [QUESTION]\n"
     "Prints, for each question (or the one numbered QUESTION, from 1), the answers\n"
     "players are likely to type and the verdict the player gives each.\n",
     runTry},
    {"build", "build a quiz executable from a manifest",
     "usage: quizmaker build MANIFEST -o QUIZ.exe [--player PLAYER.exe] [--keep-pictures]\n"
     "Checks MANIFEST, then writes its content, codes and media into a copy of\n"
     "the player (default: quizplayer.exe beside quizmaker). Pictures are stored\n"
     "turned upright and scaled to the size the player shows them at, as JPEG;\n"
     "--keep-pictures stores the picture files as they are (JPEG only).\n",
     runBuild},
    {"unpack", "write a quiz executable's manifest and media to a folder",
     "usage: quizmaker unpack QUIZ.exe -o DIR\n"
     "Writes DIR/quiz.json and the media files of QUIZ.exe as they are stored,\n"
     "so that building DIR/quiz.json gives a quiz with the same resources. Each\n"
     "file is named by its question's number and answer: media/04-cerf-volant.jpg,\n"
     "and answers/04-cerf-volant.jpg for the picture shown once it is solved.\n",
     runUnpack},
    {"import", "make a manifest from a CSV or GIFT question bank",
     "usage: quizmaker import FILE [-o QUIZ.json] [--title T] [--style N] [--format N] [--mode N] [--first N]\n"
     "Reads a question bank and writes a quiz manifest (UTF-8) that check accepts.\n"
     "FILE is CSV (.csv, .tsv) as spreadsheets export it, or GIFT (.gift); any other\n"
     "name is read as CSV when its first line names known columns, else as GIFT.\n"
     "\n"
     "CSV: UTF-8 or Windows-1252, ';', ',' or tab between fields. The first row\n"
     "names the columns, in any order, case, accents and spaces aside: question or\n"
     "caption; r\xC3\xA9ponse or answer; r\xC3\xA9ponse 2, deuxi\xC3\xA8me r\xC3\xA9ponse or secondAnswer;\n"
     "r\xC3\xA9v\xC3\xA9lation or reveal; m\xC3\xA9" "dia or media; image r\xC3\xA9ponse or answerPicture.\n"
     "Media paths are relative to the CSV file and written relative to QUIZ.json.\n"
     "GIFT: questions whose answers all start with '=' are imported (the first\n"
     "full-credit answer, its feedback as the reveal); every other kind is skipped.\n"
     "\n"
     "  -o QUIZ.json  the manifest to write (default: FILE's name ending in .json,\n"
     "                beside it; an existing file is replaced, never FILE itself)\n"
     "  --title T     the quiz's title (default: FILE's name without extension)\n"
     "  --style N     0 text, 1 pictures, 2 sounds, 3 videos (default: 0, or the\n"
     "                kind of the media files the CSV names: .jpg, .mp3, .avi)\n"
     "  --format N    1 or 2 answers per question (default: 2 when a second-answer\n"
     "                column holds any text, else 1; with 2, a row without a\n"
     "                second answer is an error, and --format 1 keeps the first)\n"
     "  --mode N      answer mode 1 to 4 (default: 2, the reveal text)\n"
     "  --first N     import only the first N questions (more than 90 is an error)\n"
     "\n"
     "Problems are reported as FILE:LINE: error: ... (CSV: the spreadsheet's row);\n"
     "with any error nothing is written and the exit code is 1.\n",
     runImport},
    {"web", "write a quiz as one page for browsers, or a package for learning platforms",
     "usage: quizmaker web QUIZ.json [-o QUIZ.html] [--scorm] [--keep-pictures]\n"
     "Checks QUIZ.json as build does and writes the quiz as one HTML page that\n"
     "plays in any current browser, offline, judged as the player judges: the\n"
     "player's rules, the texts and codes, every picture and sound inside it.\n"
     "Pictures are prepared exactly as build stores them. Browsers play no AVI:\n"
     "a video quiz needs, for each question, an MP4 or WebM video named by its\n"
     "\"webVideo\" key, which goes into the page instead.\n"
     "\n"
     "  -o FILE          the file to write (default: QUIZ's name ending in .html,\n"
     "                   or .zip with --scorm, beside it); never one of the\n"
     "                   quiz's own files\n"
     "  --scorm          a SCORM 1.2 package (zip) for learning platforms: the page\n"
     "                   as its launch file, reporting the pupil's score\n"
     "  --keep-pictures  pictures as they are (JPEG only), as build --keep-pictures\n"
     "\n"
     "On Windows, QUIZ may be a built quiz (QUIZ.exe): its page holds what it stores.\n",
     runWeb},
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
    for (int i = 1; wide && i < count; ++i) args.push_back(toUtf8(wide[i]));
    LocalFree(wide);
#else
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
#endif
    return args;
}

int main(int argc, char** argv) {
#ifdef _WIN32
    // Before any library is loaded: none from the working or the program's folder.
    searchSystemFolderOnly();
#endif
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
            printText(commands[i].usage);
            return ExitOk;
        }
        return commands[i].run(rest);
    }
    fprintf(stderr, "quizmaker: error: unknown command '%s'\n", args[0].c_str());
    printUsage(stderr);
    return ExitUsage;
}
