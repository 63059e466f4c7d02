#pragma once
// Shared plumbing of the quizmaker commands: arguments arrive as UTF-8 (the
// wide command line is converted on Windows), texts are judged and stored in
// Windows-1252, errors go to stderr as "quizmaker: error: ...".
#include <string>
#include <vector>

typedef std::vector<unsigned char> Bytes;

// What the library tells people, in the two languages of the programs that
// show it: English for quizmaker's command line, French for the editor's
// windows. Both UTF-8, both written where the message is made.
struct Message {
    std::string english;
    std::string french;
};

enum ExitCode { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

// Converts UTF-8 to Windows-1252. False when the text is not valid UTF-8 or
// holds a character that Windows-1252 cannot represent (nothing substituted).
bool utf8ToCp1252(const std::string& utf8, std::string* cp1252);
std::string cp1252ToUtf8(const std::string& cp1252);
// Appends one Unicode code point (at most U+10FFFF) as UTF-8.
void appendUtf8(std::string* out, unsigned long codePoint);

// Prints "quizmaker: error: <message>" on stderr and returns ExitFailure.
int failWith(const std::string& message);
// Prints "quizmaker: warning: <message>" on stderr.
void warn(const std::string& message);
// Writes UTF-8 text to stdout: on a Windows console as Unicode, elsewhere as
// the bytes themselves.
void printText(const std::string& utf8);

bool readFile(const std::string& path, Bytes* bytes, Message* error);
// Writes to a temporary file beside path, then moves it into place: either
// the whole file is there or nothing is.
bool writeFileAtomically(const std::string& path, const Bytes& bytes, Message* error);
// The same with the error in English only, for the command line.
bool readFile(const std::string& path, Bytes* bytes, std::string* error);
bool writeFileAtomically(const std::string& path, const Bytes& bytes, std::string* error);
// Why a file could not be opened, in French, naming it as shown: "fichier
// introuvable : img/paris.jpg" when there is no such file.
std::string cannotOpenInFrench(const std::string& path, const std::string& shown);

// True when args holds "--help" or "-h".
bool wantsHelp(const std::vector<std::string>& args);
