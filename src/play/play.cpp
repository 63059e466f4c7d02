#include "play/play.h"

#include <stdio.h>
#include <string.h>

#include "layout/layout.h"
#include "play/fieldorder.h"
#include "play/results.h"

static const char NoCode[] = "      ";

void startPlay(PlayState* play, const Quiz* quiz) {
    memset(play, 0, sizeof *play);
    play->quiz = quiz;
    const int count = quiz->questionCount;
    play->questionCount = count < 0 ? 0 : (count > MaxQuestions ? MaxQuestions : count);
    const int format = quiz->questionFormat;
    play->format = format == OneAnswer || format == TwoAnswers ? format : 0;
    play->fieldCount = play->format * play->questionCount;
    for (PlayField& field : play->fields) field.verdict = Verdict::Empty;
}

PlayField* playField(PlayState* play, int k) {
    return k >= 1 && k <= play->fieldCount ? &play->fields[k - 1] : nullptr;
}

const PlayField* playField(const PlayState* play, int k) {
    return k >= 1 && k <= play->fieldCount ? &play->fields[k - 1] : nullptr;
}

void setFieldText(PlayState* play, int k, const char* text) {
    if (PlayField* field = playField(play, k)) copyText(field->text, text);
}

// The stored answer field k is judged against: the question's answer for
// its first field, its second answer for the second.
static const char* storedAnswer(const Question* question, int format, int k) {
    const bool second = format == TwoAnswers && k % 2 == 0;
    return second ? question->secondAnswer : question->answer;
}

const char* revealText(const PlayState* play, int i) {
    if (i < 1 || i > play->questionCount || !play->revealShown[i - 1]) return "";
    const Question* question = questionAt(play->quiz, i - 1);
    return question ? question->reveal : "";
}

// Shows or hides question i's reveal text; what the box shows changes only
// when its text does.
static RevealChange showReveal(PlayState* play, int i, bool shown) {
    if (i < 1 || i > play->questionCount) return RevealChange::Kept;
    Text before;
    copyText(before, revealText(play, i));
    play->revealShown[i - 1] = shown;
    if (strcmp(before, revealText(play, i)) == 0) return RevealChange::Kept;
    return shown ? RevealChange::Shown : RevealChange::Cleared;
}

Judgement judgeField(PlayState* play, int k, const char* text) {
    Judgement judgement = {0, Verdict::Empty, false, RevealChange::Kept, false, false};
    PlayField* field = playField(play, k);
    if (!field) return judgement;
    const int i = questionOfField(k, play->format);
    const Question* question = questionAt(play->quiz, i - 1);
    if (!question) return judgement;
    copyText(field->text, text);
    judgement.answerUnsaved = strcmp(field->text, field->saved) != 0;
    const Verdict verdict = verdictOf(field->text, storedAnswer(question, play->format, k));
    judgement.question = i;
    judgement.verdict = verdict;
    judgement.verdictChanged = verdict != field->verdict;
    field->verdict = verdict;

    // A question is solved by one rule, the score's: every verdict right.
    const int mode = play->quiz->answerMode;
    if (verdict != Verdict::Right) {
        judgement.reveal = showReveal(play, i, false);
    } else if (mode >= ModeAnswerPicture && mode <= ModeRevealAndPicture && questionSolved(play, i)) {
        if (mode != ModeAnswerPicture) judgement.reveal = showReveal(play, i, true);
        judgement.showAnswerPicture = modeShowsAnswerPicture(mode);
    }
    return judgement;
}

bool questionSolved(const PlayState* play, int i) {
    if (i < 1 || i > play->questionCount || play->format == 0) return false;
    for (int j = 1; j <= play->format; ++j)
        if (play->fields[play->format * (i - 1) + j - 1].verdict != Verdict::Right) return false;
    return true;
}

ScoreUpdate updateScore(PlayState* play) {
    ScoreUpdate update = {};
    int score = 0;
    for (int i = 1; i <= play->questionCount; ++i)
        if (questionSolved(play, i)) ++score;
    play->score = score;
    update.score = score;
    // Every text appears once the whole quiz is solved; a question turned
    // wrong afterwards takes only its own text away (judgeField).
    if (play->quiz->answerMode == ModeAllRevealsAtEnd && score == play->quiz->questionCount)
        for (int i = 1; i <= play->questionCount; ++i)
            update.revealsChanged[i - 1] = showReveal(play, i, true) != RevealChange::Kept;
    return update;
}

void scoreText(const PlayState* play, char* out, size_t size) {
    snprintf(out, size, " %d / %d", play->score, play->quiz->questionCount);
}

const char* codeLine(const PlayState* play) {
    return play->score >= 1 && play->score <= MaxQuestions ? play->quiz->codes[play->score - 1] : NoCode;
}

// Scroll positions along one axis that show the cell, or the field when the
// cell does not fit; scroll units are single pixels.
static int scrollToShowEither(int cellStart, int cellSize, int fieldStart, int fieldSize, int position,
                              int visible) {
    static_assert(ScrollUnit == 1, "scroll positions are pixels");
    if (cellSize <= visible) return scrollToShow(cellStart, cellSize, position, visible);
    return scrollToShow(fieldStart, fieldSize, position, visible);
}

TabStep tabStep(const PlayState* play, int k, int direction, Box view) {
    TabStep step = {nextFieldNumber(k, direction, play->fieldCount), 0, 0};
    if (play->format == 0) return step;
    const Quiz* quiz = play->quiz;
    const int i = questionOfField(step.target, play->format);
    const int j = step.target - play->format * (i - 1);
    const Box cell = cellBounds(quiz->style, i, play->format, quiz->answerMode);
    const Box field = answerFieldBounds(quiz->style, i, j, play->format, quiz->answerMode);
    step.across = scrollToShowEither(cell.x, cell.width, field.x, field.width, view.x, view.width);
    step.down = scrollToShowEither(cell.y, cell.height, field.y, field.height, view.y, view.height);
    return step;
}

int nextFieldToTry(const PlayState* play, int after) {
    for (int k = after + 1; k <= play->fieldCount; ++k)
        if (play->fields[k - 1].verdict != Verdict::Right) return k;
    return 0;
}

void restoreAnswers(PlayState* play, const char* data, size_t size) {
    ResultsReader reader = {data, size, 0};
    for (int k = 1; k <= play->fieldCount; ++k) {
        PlayField& field = play->fields[k - 1];
        if (!readAnswerLine(&reader, field.text)) break;
        copyText(field.saved, field.text);
    }
}

int answerLineCount(const PlayState* play) {
    const long count = static_cast<long>(play->quiz->questionCount) * play->quiz->questionFormat;
    return count > 0 ? static_cast<int>(count) : 0;
}

size_t answerLine(const PlayState* play, int k, char (&line)[TextSize + 2]) {
    const PlayField* field = playField(play, k);
    size_t used = 0;
    appendAnswerLine(field ? field->text : "", line, sizeof line, &used);
    return used;
}

bool answersUnsaved(const PlayState* play) {
    for (int k = 1; k <= play->fieldCount; ++k)
        if (strcmp(play->fields[k - 1].text, play->fields[k - 1].saved) != 0) return true;
    return false;
}

void markAnswersSaved(PlayState* play) {
    for (int k = 1; k <= play->fieldCount; ++k) copyText(play->fields[k - 1].saved, play->fields[k - 1].text);
}
