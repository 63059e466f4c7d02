#include "controls.h"

const FieldControl fieldControls[FieldControlCount] = {
    {Field::Title, TitleLabel, TitleEdit, true},
    {Field::Creator, CreatorLabel, CreatorEdit, true},
    {Field::Explanation, ExplanationLabel, ExplanationEdit, true},
    {Field::FirstRowCaption, FirstCaptionLabel, FirstCaptionEdit, true},
    {Field::SecondRowCaption, SecondCaptionLabel, SecondCaptionEdit, true},
    {Field::Style, StyleLabel, StyleCombo, false},
    {Field::QuestionFormat, FormatLabel, FormatCombo, false},
    {Field::AnswerMode, ModeLabel, ModeCombo, false},
    {Field::BackColour, ColourLabel, ColourButton, false},
    {Field::Codes, CodesLabel, CodesEdit, true},
    {Field::Answer, AnswerLabel, AnswerEdit, true},
    {Field::SecondAnswer, SecondAnswerLabel, SecondAnswerEdit, true},
    {Field::Caption, CaptionLabel, CaptionEdit, true},
    {Field::Reveal, RevealLabel, RevealEdit, true},
    {Field::Media, MediaLabel, MediaEdit, true},
    {Field::AnswerPicture, PictureLabel, PictureEdit, true},
    {Field::Questions, QuestionsLabel, QuestionList, false},
};

Field fieldOfEdit(int id) {
    for (const FieldControl& pair : fieldControls)
        if (pair.edit && pair.control == id) return pair.field;
    return Field::None;
}

Field fieldOfControl(int id) {
    for (const FieldControl& pair : fieldControls)
        if (pair.control == id) return pair.field;
    return Field::None;
}

const FieldControl* controlOfField(Field field) {
    for (const FieldControl& pair : fieldControls)
        if (pair.field == field) return &pair;
    return nullptr;
}

std::string labelText(int id) {
    for (const FieldControl& pair : fieldControls)
        if (pair.label == id) return keyOf(pair.field)->label + std::string(" :");
    return "";
}
