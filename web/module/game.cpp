#include "module/game.h"

#include <stdio.h>
#include <string.h>

#include "content/message.h"
#include "play/fieldorder.h"
#include "module/typed.h"

// The game being loaded, for the message sink, which has no context.
static WebGame* loading = nullptr;

static void keepMessage(const char* text, const char*) {
    if (!loading) return;
    char* messages = loading->messages;
    const size_t used = strlen(messages);
    snprintf(messages + used, LoaderMessagesSize - used, "%s%s", used ? "\n" : "", text);
}

// FNV-1a, 64 bits.
static uint64_t hashBytes(uint64_t hash, const unsigned char* bytes, uint32_t size) {
    for (uint32_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 0x100000001B3ull;
    return hash;
}

void loadGame(WebGame* game, const unsigned char* content, uint32_t contentSize, const unsigned char* codes,
              uint32_t codesSize) {
    clearQuestions(&game->quiz);
    resetQuizFields(&game->quiz);
    game->messages[0] = '\0';
    loading = game;
    const MessageSink previous = setMessageSink(keepMessage);
    game->outcome = loadContentFrom(&game->quiz, {true, content, contentSize}, {true, codes, codesSize});
    setMessageSink(previous);
    loading = nullptr;
    game->contentHash = hashBytes(hashBytes(0xCBF29CE484222325ull, content, contentSize), codes, codesSize);
    clearGame(game);
}

void clearGame(WebGame* game) {
    startPlay(&game->play, &game->quiz);
    memset(game->answerPictureShown, 0, sizeof game->answerPictureShown);
    updateScore(&game->play);
}

void typeAnswer(WebGame* game, int k, const char* utf8, size_t size) {
    Text text;
    typedText(utf8, size, text);
    setFieldText(&game->play, k, text);
}

// Judges what field k holds, as the board does when the field loses the
// focus or Enter is released; the score is left to the caller.
static Judgement judgeHeld(WebGame* game, int k) {
    const PlayField* field = playField(&game->play, k);
    if (!field) return Judgement{0, Verdict::Empty, false, RevealChange::Kept, false, false};
    Text text;
    copyText(text, field->text);
    const Judgement judgement = judgeField(&game->play, k, text);
    if (judgement.showAnswerPicture) game->answerPictureShown[judgement.question - 1] = true;
    return judgement;
}

Judgement judgeAnswer(WebGame* game, int k, const char* utf8, size_t size) {
    typeAnswer(game, k, utf8, size);
    const Judgement judgement = judgeHeld(game, k);
    updateScore(&game->play);
    return judgement;
}

void tryAnswerEverywhere(WebGame* game, int k, const char* utf8, size_t size) {
    if (!playField(&game->play, k)) return;
    Text text;
    typedText(utf8, size, text);
    setFieldText(&game->play, k, text);
    // The focus goes to each field in turn; the one that loses it is judged.
    int focused = k;
    for (int other = nextFieldToTry(&game->play, 0); other != 0; other = nextFieldToTry(&game->play, other)) {
        setFieldText(&game->play, other, text);
        if (other == focused) continue;
        judgeHeld(game, focused);
        updateScore(&game->play);
        focused = other;
    }
    if (focused != k) {
        judgeHeld(game, focused);
        updateScore(&game->play);
    }
}

// A fresh game whose fields take the results lines (Windows-1252), judged.
static void restoreLines(WebGame* game, const char* lines, size_t size) {
    clearGame(game);
    restoreAnswers(&game->play, lines, size);
    for (int k = 1; k <= game->play.fieldCount; ++k) judgeHeld(game, k);
    updateScore(&game->play);
}

enum { ResultsSize = MaxAnswerFields * (TextSize + 2) };

void restoreGame(WebGame* game, const char* utf8, size_t size) {
    // Lines of the player's own answers convert back byte for byte.
    static char kept[ResultsSize];
    restoreLines(game, kept, utf8ToWindows1252(utf8, size, kept, sizeof kept));
}

size_t packedAnswers(const WebGame* game, uint32_t version, const uint32_t* confirmed, size_t limit, char* out,
                     size_t capacity) {
    static char packed[PackedMaxLength + 1];
    packAnswers(&game->play, version, confirmed, limit, packed, sizeof packed);
    return windows1252ToUtf8(packed, out, capacity);
}

KeptMarks restoreKeptAnswers(WebGame* game, const char* platform, size_t platformSize, bool platformRead,
                             const char* browser, size_t browserSize) {
    // Packed texts hold Windows-1252 characters only, which convert back
    // byte for byte.
    static char text[PackedMaxLength + 1];
    static KeptAnswers platformKept, browserKept;
    unpackAnswers(text, utf8ToWindows1252(platform, platformSize, text, sizeof text), &platformKept);
    unpackAnswers(text, utf8ToWindows1252(browser, browserSize, text, sizeof text), &browserKept);
    mergeKeptAnswers(&platformKept, platformRead, &browserKept);
    static char lines[ResultsSize];
    restoreLines(game, lines, keptResultsLines(&platformKept, lines, sizeof lines));
    return platformKept.marks;
}

bool quizSolved(const WebGame* game) {
    return game->play.questionCount > 0 && game->play.score >= game->play.questionCount;
}

size_t keptAnswers(const WebGame* game, char* out, size_t capacity) {
    if (capacity == 0) return 0;
    size_t used = 0;
    out[0] = '\0';
    for (int k = 1; k <= answerLineCount(&game->play); ++k) {
        char line[TextSize + 2];
        line[answerLine(&game->play, k, line)] = '\0';  // at most 259 bytes and CR LF: room for the zero
        char utf8[3 * (TextSize + 2)];
        const size_t length = windows1252ToUtf8(line, utf8, sizeof utf8);
        if (used + length + 1 > capacity) break;
        memcpy(out + used, utf8, length + 1);
        used += length;
    }
    return used;
}

void storageKey(const WebGame* game, char (&key)[24]) {
    snprintf(key, sizeof key, "quiz-%016llx", static_cast<unsigned long long>(game->contentHash));
}

CellParts cellParts(const WebGame* game) {
    const Quiz& quiz = game->quiz;
    const CellGeometry cell = cellGeometry(quiz.style, 1, game->play.format, quiz.answerMode);
    const Box caption = rowCaptionBox(quiz.style, 1, 0, quiz.answerMode);
    return CellParts{cell.pictureSquare.width > 0, cell.revealBox.width > 0, cell.playButton.width > 0,
                     cell.videoBox.width > 0, game->play.format == TwoAnswers && caption.width > 0};
}
