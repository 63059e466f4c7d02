#pragma once
// The manifest and the player's quiz record, each made from the other: the
// record a build composes into the player's content and codes streams, and
// the manifest unpack makes from the record a quiz executable holds.
#include <string>
#include <vector>

#include "files.h"
#include "manifest.h"
#include "messages.h"

#include "content/codec.h"
#include "content/quiz.h"

enum {
    ManifestMaxStream = CoderMaxSource,  // the coder's limit, plain and encoded
};

// The quiz record the manifest makes (texts cut to their fields, at most
// MaxQuestions code lines).
void quizFromManifest(const Manifest& manifest, Quiz* quiz);
// The manifest a quiz record makes, without media: the reverse of
// quizFromManifest, one code a question.
void manifestFromQuiz(const Quiz& quiz, Manifest* manifest);

// The plain bytes the player's loader parses.
Bytes composeContent(const Manifest& manifest);
Bytes composeCodes(const Manifest& manifest);

// Encodes one plain stream; both sides must stay under the coder's limit.
// what names the stream in messages ("quiz's texts", "les textes du quiz");
// an error at where otherwise.
bool encodeStream(const Bytes& plain, const std::string& where, const Message& what, Bytes* encoded,
                  std::vector<Problem>* problems);

// What a failure of the content coder means, in both languages.
Message describeCoderFailure(CoderResult result);
