// The decoded content and codes, read front to back by delimiters and
// counts, and the loader's sequence of outcomes and messages.
#include "content/parse.h"

#include "content/codec.h"
#include "content/message.h"

// Message texts are Windows-1252; the accented letters are escaped so the
// bytes do not depend on the compiler's execution character set.
static const char LoaderCaption[] = "Quizz";
static const char FileError[] = "Erreur dans le fichier";
static const char ContentNotFound[] = "Reponses non trouv\xE9" "es";
static const char ContentNotDecoded[] = "Erreur dans le d\xE9" "cryptage des reponses";
static const char CodesNotFound[] = "Codes non trouv\xE9s.";
static const char CodesEmpty[] = "Codes non renseign\xE9s.";
static const char CodesNotDecoded[] = "Erreur dans le d\xE9" "cryptage des codes";
static const char NoMemory[] = "Impossible d'allouer la memoire";
static const char NoMemoryCaption[] = "information";

struct Reader {
    const unsigned char* bytes;
    size_t count;
    size_t position;
};

// Reads bytes up to the delimiter into text and steps over the delimiter
// and skip more bytes. Bytes past the text's room are dropped and zero bytes
// add nothing. False when the bytes end before the delimiter.
static bool readDelimited(Reader* reader, unsigned char delimiter, size_t skip, Text text) {
    size_t length = 0;
    for (;;) {
        if (reader->position >= reader->count) return false;
        unsigned char byte = reader->bytes[reader->position];
        if (byte == delimiter) break;
        if (byte != 0 && length < TextMaxLength) text[length++] = static_cast<char>(byte);
        ++reader->position;
    }
    text[length] = '\0';
    reader->position += skip;
    return true;
}

static bool readField(Reader* reader, Text text) { return readDelimited(reader, '|', 1, text); }

static bool readByte(Reader* reader, unsigned char* byte) {
    if (reader->position >= reader->count) return false;
    *byte = reader->bytes[reader->position++];
    return true;
}

static bool readQuiz(Quiz* quiz, Reader* reader) {
    if (reader->count < 4) return false;
    quiz->style = reader->bytes[1] - 1;
    quiz->questionCount = reader->bytes[2];
    quiz->questionFormat = reader->bytes[3];
    reader->position = 4;
    // The record and the board have room for MaxQuestions questions only.
    if (quiz->questionCount > MaxQuestions) return false;

    Text* headerTexts[] = {&quiz->title, &quiz->creator, &quiz->explanation, &quiz->firstRowCaption,
                           &quiz->secondRowCaption};
    for (Text* text : headerTexts)
        if (!readField(reader, *text)) return false;

    for (int i = 0; i < quiz->questionCount; ++i) {
        Text answer, secondAnswer = "", caption;
        if (!readField(reader, answer)) return false;
        if (quiz->questionFormat == TwoAnswers && !readField(reader, secondAnswer)) return false;
        if (!readField(reader, caption)) return false;
        appendQuestion(quiz, answer, secondAnswer, caption);
    }

    unsigned char mode;
    if (!readByte(reader, &mode)) return false;
    quiz->answerMode = mode;
    // Modes 2 and 4 carry one reveal text per question; mode 3 two, of which
    // the player shows the first.
    if (modeCarriesReveals(mode)) {
        for (int i = 0; i < quiz->questionCount; ++i) {
            Text reveal, unused;
            if (!readField(reader, reveal)) return false;
            if (mode == ModeRevealAndPicture && !readField(reader, unused)) return false;
            if (Question* question = questionAt(quiz, i)) copyText(question->reveal, reveal);
        }
    }

    unsigned char red, green, blue;
    if (!readByte(reader, &red) || !readByte(reader, &green) || !readByte(reader, &blue)) return false;
    quiz->backColour = red | (green << 8) | (static_cast<uint32_t>(blue) << 16);
    return true;
}

bool parseContent(Quiz* quiz, const unsigned char* bytes, size_t count) {
    Reader reader = {bytes, count, 0};
    if (readQuiz(quiz, &reader)) return true;
    resetQuizFields(quiz);
    clearQuestions(quiz);
    return false;
}

bool parseCodes(Quiz* quiz, const unsigned char* bytes, size_t count) {
    Reader reader = {bytes, count, 0};
    int lines = quiz->questionCount < MaxQuestions ? quiz->questionCount : MaxQuestions;
    for (int i = 0; i < lines; ++i) {
        // A line ends with CR; the byte after it (LF) is skipped unread.
        if (!readDelimited(&reader, '\r', 2, quiz->codes[i])) {
            for (Text& code : quiz->codes) code[0] = '\0';
            return false;
        }
    }
    return true;
}

void fillDemonstrationQuiz(Quiz* quiz) {
    copyText(quiz->title, "Nom du quizz");
    copyText(quiz->creator, "Createur quizz");
    copyText(quiz->explanation, "Explications du quizz");
    copyText(quiz->firstRowCaption, "Pr\xE9nom - Nom");
    copyText(quiz->secondRowCaption, "Manga / Anime");
    quiz->questionCount = 2;
    quiz->questionFormat = 1;
    quiz->answerMode = 3;
    quiz->style = 1;
    appendQuestion(quiz, "orvu", "titi", "titi");
    appendQuestion(quiz, "tamrin", "plouf", "titi");
}

// Decodes one resource and parses it with parse; false (after releasing
// whatever the decoder handed over) when either step fails. A decoder that
// could not obtain its output is told to the player before the loader's
// own message.
static bool decodeAndParse(Quiz* quiz, ResourceBytes resource,
                           bool (*parse)(Quiz*, const unsigned char*, size_t)) {
    DecoderState decoder;
    CoderOutput decoded = {nullptr, 0};
    CoderResult result = runDecoder(&decoder, resource.bytes, resource.size, &decoded);
    if (result == CoderNoMemory) showMessage(NoMemory, NoMemoryCaption);
    bool parsed = result == CoderOk && parse(quiz, decoded.bytes, decoded.count);
    releaseContent(decoded.bytes);
    return parsed;
}

LoadOutcome loadContentFrom(Quiz* quiz, ResourceBytes content, ResourceBytes codes) {
    if (!content.found) showMessage(FileError, LoaderCaption);
    if (!content.found || content.size == 0) {
        showMessage(ContentNotFound, LoaderCaption);
        fillDemonstrationQuiz(quiz);
        return content.found ? LoadContentEmpty : LoadContentMissing;
    }
    if (!decodeAndParse(quiz, content, parseContent)) {
        resetQuizFields(quiz);
        clearQuestions(quiz);
        showMessage(ContentNotDecoded, LoaderCaption);
        return LoadContentNotDecodable;
    }
    if (!codes.found) {
        showMessage(CodesNotFound, LoaderCaption);
        return LoadCodesMissing;
    }
    if (codes.size == 0) {
        showMessage(CodesEmpty, LoaderCaption);
        return LoadCodesEmpty;
    }
    if (!decodeAndParse(quiz, codes, parseCodes)) {
        showMessage(CodesNotDecoded, LoaderCaption);
        return LoadCodesNotDecodable;
    }
    return LoadComplete;
}
