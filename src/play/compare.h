#pragma once
// Judging one typed answer against its stored answer: pure byte-level text
// processing over Windows-1252 texts of at most 259 characters. No heap, no
// state: the same two texts always give the same verdict. Also the colour
// each verdict is shown in.

// The ten verdicts, exactly as the verdict labels show them.
extern const char VerdictEmpty[];        // "?"
extern const char VerdictRight[];        // "BRAVO"
extern const char VerdictAnagram[];      // "Anagramme"
extern const char VerdictAlmost[];       // "Quasiment"
extern const char VerdictNearly[];       // "Presque"
extern const char VerdictTooLong[];      // "Trop long"
extern const char VerdictTooShort[];     // "Trop court"
extern const char VerdictNotFar[];       // "pas loin"
extern const char VerdictIdea[];         // "yade lidée"
extern const char VerdictWrong[];        // "FAUX"

// The verdicts as the play model holds them, in the order of the texts above.
enum class Verdict : unsigned char { Empty, Right, Anagram, Almost, Nearly, TooLong, TooShort, NotFar, Idea, Wrong };
constexpr int VerdictCount = static_cast<int>(Verdict::Wrong) + 1;
const char* verdictText(Verdict verdict);

// The background a verdict label is painted with, as 0x00BBGGRR: right
// green, wrong red, anagram orange, every other judged verdict golden
// yellow; DefaultVerdictColour (the window's own colours) for "?", nothing
// judged yet. The player's board and the editor's try pane both follow it.
enum { DefaultVerdictColour = -1 };
long verdictColour(Verdict verdict);

void upperCaseAscii(char* text);
void normaliseTypedAnswer(char* text);
int editDistance(const char* a, const char* b);
void sortLetters(char* text);
int findContainment(const char* stored, const char* typed);
// The verdict of a typed answer against its stored answer (neither changed).
Verdict verdictOf(const char* typed, const char* stored);
// The same as the text a verdict label shows.
const char* chooseVerdict(const char* typed, const char* stored);
