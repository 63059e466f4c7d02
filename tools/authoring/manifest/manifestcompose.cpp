#include "manifestcompose.h"

#include "content/compose.h"

void quizFromManifest(const Manifest& manifest, Quiz* quiz) {
    clearQuestions(quiz);
    resetQuizFields(quiz);
    quiz->style = manifest.style;
    copyText(quiz->title, manifest.title.c_str());
    copyText(quiz->creator, manifest.creator.c_str());
    copyText(quiz->explanation, manifest.explanation.c_str());
    copyText(quiz->firstRowCaption, manifest.firstRowCaption.c_str());
    copyText(quiz->secondRowCaption, manifest.secondRowCaption.c_str());
    quiz->questionCount = static_cast<int>(manifest.questions.size());
    quiz->questionFormat = manifest.questionFormat;
    quiz->answerMode = manifest.answerMode;
    quiz->backColour = manifest.red | (manifest.green << 8) | (static_cast<uint32_t>(manifest.blue) << 16);
    for (const ManifestQuestion& question : manifest.questions) {
        appendQuestion(quiz, question.answer.c_str(), question.secondAnswer.c_str(), question.caption.c_str());
        if (quiz->lastQuestion) copyText(quiz->lastQuestion->reveal, question.reveal.c_str());
    }
    for (size_t i = 0; i < manifest.codes.size() && i < MaxQuestions; ++i)
        copyText(quiz->codes[i], manifest.codes[i].c_str());
}

void manifestFromQuiz(const Quiz& quiz, Manifest* manifest) {
    *manifest = Manifest();
    manifest->style = quiz.style;
    manifest->title = quiz.title;
    manifest->creator = quiz.creator;
    manifest->explanation = quiz.explanation;
    manifest->firstRowCaption = quiz.firstRowCaption;
    manifest->secondRowCaption = quiz.secondRowCaption;
    manifest->questionFormat = quiz.questionFormat;
    manifest->answerMode = quiz.answerMode;
    manifest->red = static_cast<unsigned char>(quiz.backColour & 0xFF);
    manifest->green = static_cast<unsigned char>((quiz.backColour >> 8) & 0xFF);
    manifest->blue = static_cast<unsigned char>((quiz.backColour >> 16) & 0xFF);
    int number = 1;
    for (const Question* node = quiz.firstQuestion; node; node = node->next, ++number) {
        ManifestQuestion question;
        question.answer = node->answer;
        question.secondAnswer = node->secondAnswer;
        question.caption = node->caption;
        question.reveal = node->reveal;
        manifest->questions.push_back(question);
        manifest->codes.push_back(number <= MaxQuestions ? quiz.codes[number - 1] : "");
    }
}

Bytes composeContent(const Manifest& manifest) {
    Quiz quiz;
    quizFromManifest(manifest, &quiz);
    return composeContent(&quiz);
}

Bytes composeCodes(const Manifest& manifest) {
    Quiz quiz;
    quizFromManifest(manifest, &quiz);
    return composeCodes(&quiz);
}

bool encodeStream(const Bytes& plain, const std::string& where, const Message& what, Bytes* encoded,
                  std::vector<Problem>* problems) {
    const std::string limit = std::to_string(ManifestMaxStream);
    if (plain.size() > ManifestMaxStream) {
        addError(problems, where,
                 "the " + what.english + " come to " + std::to_string(plain.size()) + " bytes; at most " + limit +
                     " can be stored",
                 what.french + u8" font " + std::to_string(plain.size()) + u8" octets ; au plus " + limit +
                     u8" peuvent être enregistrés");
        return false;
    }
    EncoderState encoder;
    CoderOutput output = {nullptr, 0};
    CoderResult result = runEncoder(&encoder, plain.data(), static_cast<uint32_t>(plain.size()), &output);
    if (result == CoderOk) encoded->assign(output.bytes, output.bytes + output.count);
    releaseContent(output.bytes);
    if (result != CoderOk) {
        const Message why = describeCoderFailure(result);
        addError(problems, where, "cannot encode the " + what.english + ": " + why.english,
                 u8"impossible de coder " + what.french + u8" : " + why.french);
        return false;
    }
    if (encoded->size() > ManifestMaxStream) {
        addError(problems, where,
                 "the encoded " + what.english + " come to " + std::to_string(encoded->size()) +
                     " bytes; the player reads at most " + limit,
                 what.french + u8" font " + std::to_string(encoded->size()) +
                     u8" octets une fois codés ; le lecteur en lit au plus " + limit);
        return false;
    }
    return true;
}

Message describeCoderFailure(CoderResult result) {
    switch (result) {
    case CoderNoMemory: return {describeCoderResult(result), u8"la mémoire manque"};
    case CoderBadInput: return {describeCoderResult(result), u8"les données sont vides, trop courtes ou trop longues"};
    case CoderTooWide: return {describeCoderResult(result), u8"un code dépasserait 32 bits"};
    case CoderMalformed: return {describeCoderResult(result), u8"les données codées sont abîmées"};
    default: return {describeCoderResult(result), u8"résultat inconnu du codage"};
    }
}
