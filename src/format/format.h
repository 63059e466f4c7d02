#pragma once
#include <stdint.h>

// The quiz as it is stored in a player executable, shared by the player,
// which reads it, and quizmaker, which writes it: the settings a quiz
// chooses from, the resources that carry it and the limits of both.

// How the board shows the questions.
enum QuizStyle {
    StyleText = 0,      // a row per question, its caption as the question
    StylePictures = 1,  // a grid of pictures
    StyleSounds = 2,    // a grid of play and stop buttons
    StyleVideos = 3,    // a grid of video players
};

// Answer fields per question.
enum QuestionFormat {
    OneAnswer = 1,
    TwoAnswers = 2,
};

// What a solved question shows. Any other stored value shows nothing.
enum AnswerMode {
    ModeAnswerPicture = 1,      // its answer picture
    ModeRevealText = 2,         // its reveal text
    ModeRevealAndPicture = 3,   // both
    ModeAllRevealsAtEnd = 4,    // every reveal text once the whole quiz is solved
};

// True for the modes whose content carries reveal texts (one each; mode 3
// carries a second, unused text a question).
inline bool modeCarriesReveals(int mode) {
    return mode == ModeRevealText || mode == ModeRevealAndPicture || mode == ModeAllRevealsAtEnd;
}
// True for the modes that show a solved question's answer picture.
inline bool modeShowsAnswerPicture(int mode) { return mode == ModeAnswerPicture || mode == ModeRevealAndPicture; }

enum {
    MaxQuestions = 90,
    MaxAnswerFields = 2 * MaxQuestions,
    PictureBoxSize = 260,   // pictures are shown fitted into this square, and stored for it
};

// Resources of a quiz executable. The two "PATCH" resources hold the
// encoded content (texts, questions, settings, colour) and codes; "IMG"
// holds each question's picture, sound or video and its answer picture.
extern const char ContentResourceType[];  // "PATCH"
extern const char MediaResourceType[];    // "IMG"
enum {
    ContentResourceNumber = 104,
    CodesResourceNumber = 105,
    QuestionMediaBase = 400,     // question i (from 1): 400 + i
    AnswerPictureBase = 10400,   // its answer picture: 10400 + i
};

// One resource of an executable: whether it exists, and its bytes as the
// executable holds them (null when they cannot be reached).
struct ResourceBytes {
    bool found;
    const unsigned char* bytes;
    uint32_t size;
};
