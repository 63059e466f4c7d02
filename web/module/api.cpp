// The module's interface to the page's script (WebAssembly only). The
// script writes bytes (the stored content and codes, a typed text, the kept
// answers) into the input area and reads texts back as zero-terminated
// UTF-8 from the output area, each valid until the next call. Fields are
// numbered from 1 (k), questions from 1 (i), as on the player's board.
#include <new>

#include <wasi/api.h>

#include "content/codec.h"
#include "play/fieldorder.h"
#include "module/game.h"
#include "module/typed.h"

#define WEB_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

// Each area holds every answer line in UTF-8; the input area holds both
// stored resources too, and a platform's packed answers (4,096 characters
// in UTF-8) beside the browser's.
enum {
    AreaSize = MaxAnswerFields * 3 * (TextSize + 2) + 16,
    PlatformTextSize = 3 * 4096,
    InputSize = AreaSize + PlatformTextSize,
    OutputSize = AreaSize
};
static_assert(InputSize >= 2 * (CoderMaxSource + 1), "the input area holds the content and the codes");
// Escaped, "|" and "\" take two bytes as any other character may in UTF-8.
static_assert(OutputSize > 2 * 9 + 2 + MaxAnswerFields * (3 * TextMaxLength + 1),
              "the output area holds the browser's packed answers");
unsigned char input[InputSize];
char output[OutputSize];

// The one game, made on first use in storage of its own: a static object
// would be destroyed at exit, and exit brings the whole of stdio along.
alignas(WebGame) unsigned char gameStorage[sizeof(WebGame)];
WebGame* theGame = nullptr;
// The marks of the answers restored last from a platform's and the
// browser's copies.
KeptMarks keptMarks = {0, 0};

WebGame* game() {
    if (!theGame) theGame = new (gameStorage) WebGame();
    return theGame;
}

const char* shown(const char* windows1252) {
    windows1252ToUtf8(windows1252, output, sizeof output);
    return output;
}

const Question* question(int i) {
    return i >= 1 && i <= game()->play.questionCount ? questionAt(&game()->quiz, i - 1) : nullptr;
}

const char* typed() { return reinterpret_cast<const char*>(input); }
size_t typedSize(uint32_t size) { return size <= InputSize ? size : 0; }

}  // namespace

// The input area when it holds size bytes, else null.
WEB_EXPORT(web_input) unsigned char* webInput(uint32_t size) { return size <= InputSize ? input : nullptr; }

// Loads the quiz from contentSize bytes of stored content followed in the
// input area by codesSize bytes of stored codes; returns the LoadOutcome.
WEB_EXPORT(web_load) int webLoad(uint32_t contentSize, uint32_t codesSize) {
    if (contentSize > InputSize || codesSize > InputSize - contentSize) contentSize = codesSize = 0;
    loadGame(game(), input, contentSize, input + contentSize, codesSize);
    return game()->outcome;
}

WEB_EXPORT(web_messages) const char* webMessages() { return shown(game()->messages); }
WEB_EXPORT(web_title) const char* webTitle() { return shown(game()->quiz.title); }
WEB_EXPORT(web_creator) const char* webCreator() { return shown(game()->quiz.creator); }
WEB_EXPORT(web_explanation) const char* webExplanation() { return shown(game()->quiz.explanation); }
WEB_EXPORT(web_first_row_caption) const char* webFirstRowCaption() { return shown(game()->quiz.firstRowCaption); }
WEB_EXPORT(web_second_row_caption) const char* webSecondRowCaption() { return shown(game()->quiz.secondRowCaption); }

WEB_EXPORT(web_storage_key) const char* webStorageKey() {
    char key[24];
    storageKey(game(), key);
    return shown(key);
}

// The board's style (0 to 3), answer fields a question (1 or 2; 0: none),
// answer mode, questions with a cell, answer fields.
WEB_EXPORT(web_style) int webStyle() { return boardStyle(game()->quiz.style); }
WEB_EXPORT(web_format) int webFormat() { return game()->play.format; }
WEB_EXPORT(web_answer_mode) int webAnswerMode() { return game()->quiz.answerMode; }
WEB_EXPORT(web_question_count) int webQuestionCount() { return game()->play.questionCount; }
WEB_EXPORT(web_field_count) int webFieldCount() { return game()->play.fieldCount; }
// The background as 0xRRGGBB.
WEB_EXPORT(web_back_colour) int webBackColour() {
    const uint32_t colour = game()->quiz.backColour;
    return static_cast<int>(((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF));
}

// What every cell has.
WEB_EXPORT(web_has_pictures) int webHasPictures() { return cellParts(game()).picture; }
WEB_EXPORT(web_has_reveals) int webHasReveals() { return cellParts(game()).reveal; }
WEB_EXPORT(web_has_buttons) int webHasButtons() { return cellParts(game()).buttons; }
WEB_EXPORT(web_has_videos) int webHasVideos() { return cellParts(game()).video; }
WEB_EXPORT(web_has_row_captions) int webHasRowCaptions() { return cellParts(game()).rowCaptions; }
// Text rows show the row captions inside the empty fields.
WEB_EXPORT(web_captions_in_fields) int webCaptionsInFields() {
    return game()->play.format == TwoAnswers && rowCaptionsInFields(game()->quiz.style);
}

WEB_EXPORT(web_caption) const char* webCaption(int i) { return shown(question(i) ? question(i)->caption : ""); }
WEB_EXPORT(web_reveal) const char* webReveal(int i) { return shown(revealText(&game()->play, i)); }
WEB_EXPORT(web_answer_picture_shown) int webAnswerPictureShown(int i) {
    return question(i) ? game()->answerPictureShown[i - 1] : 0;
}

WEB_EXPORT(web_question_of_field) int webQuestionOfField(int k) {
    return playField(&game()->play, k) ? questionOfField(k, game()->play.format) : 0;
}
WEB_EXPORT(web_field_text) const char* webFieldText(int k) {
    const PlayField* field = playField(&game()->play, k);
    return shown(field ? field->text : "");
}
WEB_EXPORT(web_verdict) const char* webVerdict(int k) {
    const PlayField* field = playField(&game()->play, k);
    return shown(verdictText(field ? field->verdict : Verdict::Empty));
}
// The verdict label's background as 0xRRGGBB, -1 for the page's own.
WEB_EXPORT(web_verdict_colour) int webVerdictColour(int k) {
    const PlayField* field = playField(&game()->play, k);
    const long colour = verdictColour(field ? field->verdict : Verdict::Empty);
    if (colour == DefaultVerdictColour) return -1;
    return static_cast<int>(((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF));
}

WEB_EXPORT(web_score) int webScore() { return game()->play.score; }
WEB_EXPORT(web_score_text) const char* webScoreText() {
    char text[32];
    scoreText(&game()->play, text, sizeof text);
    return shown(text);
}
WEB_EXPORT(web_code_line) const char* webCodeLine() { return shown(codeLine(&game()->play)); }

// What the pupil does, with size bytes of typed UTF-8 in the input area.
WEB_EXPORT(web_type) void webType(int k, uint32_t size) { typeAnswer(game(), k, typed(), typedSize(size)); }
// Returns the verdict's number (0 "?", 1 "BRAVO", ... 9 "FAUX").
WEB_EXPORT(web_judge) int webJudge(int k, uint32_t size) {
    return static_cast<int>(judgeAnswer(game(), k, typed(), typedSize(size)).verdict);
}
WEB_EXPORT(web_try_everywhere) void webTryEverywhere(int k, uint32_t size) {
    tryAnswerEverywhere(game(), k, typed(), typedSize(size));
}
// The field Tab (direction 1) or Shift+Tab (-1) reaches from field k.
WEB_EXPORT(web_next_field) int webNextField(int k, int direction) {
    return nextFieldNumber(k, direction, game()->play.fieldCount);
}

// The kept answers: restored from size bytes in the input area, or read.
WEB_EXPORT(web_restore) void webRestore(uint32_t size) { restoreGame(game(), typed(), typedSize(size)); }
WEB_EXPORT(web_answers) const char* webAnswers() {
    keptAnswers(game(), output, sizeof output);
    return output;
}
WEB_EXPORT(web_clear) void webClear() { clearGame(game()); }
WEB_EXPORT(web_solved) int webSolved() { return quizSolved(game()); }

// The answers as a learning platform keeps them (kept.h): packed for the
// platform in at most limit characters (confirmed below 0), or for the
// browser's copy beside it (limit 0).
WEB_EXPORT(web_pack) const char* webPack(int version, int confirmed, uint32_t limit) {
    const uint32_t mark = static_cast<uint32_t>(confirmed);
    packedAnswers(game(), static_cast<uint32_t>(version), confirmed < 0 ? nullptr : &mark, limit, output, sizeof output);
    return output;
}
// Restores the answers merged from the platform's copy (platformSize bytes
// in the input area; platformRead 0: the platform could not be read) and
// the browser's after it; returns the version the saves go on from, and
// web_kept_confirmed the last one the platform accepted.
WEB_EXPORT(web_restore_kept) int webRestoreKept(uint32_t platformSize, uint32_t browserSize, int platformRead) {
    if (platformSize > InputSize || browserSize > InputSize - platformSize) platformSize = browserSize = 0;
    keptMarks = restoreKeptAnswers(game(), typed(), platformSize, platformRead != 0, typed() + platformSize, browserSize);
    return static_cast<int>(keptMarks.version);
}
WEB_EXPORT(web_kept_confirmed) int webKeptConfirmed() { return static_cast<int>(keptMarks.confirmed); }

// The module writes no file: for the stdio that snprintf brings along,
// every descriptor is closed, and the module needs nothing from its host.
extern "C" {
__wasi_errno_t __wasi_fd_write(__wasi_fd_t, const __wasi_ciovec_t*, size_t, __wasi_size_t*) {
    return __WASI_ERRNO_BADF;
}
__wasi_errno_t __wasi_fd_close(__wasi_fd_t) { return __WASI_ERRNO_BADF; }
__wasi_errno_t __wasi_fd_seek(__wasi_fd_t, __wasi_filedelta_t, __wasi_whence_t, __wasi_filesize_t*) {
    return __WASI_ERRNO_BADF;
}
}
