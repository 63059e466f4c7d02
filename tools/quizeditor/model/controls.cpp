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
    {Field::WebVideo, WebVideoLabel, WebVideoEdit, true},
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

std::string labelText(int id) {
    for (const FieldControl& pair : fieldControls)
        if (pair.label == id) return keyOf(pair.field)->label + std::string(" :");
    return "";
}

bool fieldInUse(const EditorModel& model, Field field) {
    if (!isQuestionField(field)) return true;
    if (model.selected < 0) return false;
    return field != Field::WebVideo || settingOf(model, Field::Style) == StyleVideos ||
           !textOf(model, Field::WebVideo).empty();
}

namespace {

struct FieldHint {
    Field field;
    const char* text;   // UTF-8, one line
};

const FieldHint fieldHints[] = {
    {Field::Codes, u8"Un code par ligne : le joueur voit la ligne 1 dès sa 1re question trouvée, la ligne 2 à la "
                   u8"2e, et ainsi de suite."},
    {Field::FirstRowCaption, u8"Écrite à gauche de chaque rangée, devant les 1res réponses ; seulement dans un quiz "
                             u8"à deux réponses."},
    {Field::SecondRowCaption, u8"Écrite à gauche de chaque rangée, devant les 2es réponses ; seulement dans un quiz "
                              u8"à deux réponses."},
    {Field::AnswerMode, u8"Ce qui apparaît quand une question est trouvée : l'image de la réponse, la révélation, "
                        u8"les deux, ou toutes les révélations à la fin."},
    {Field::WebVideo, u8"Les navigateurs ne lisent pas l'AVI : la page web et le paquet SCORM montrent cette vidéo "
                      u8"MP4 ou WebM à la place du média."},
    {Field::Explanation, u8"Montrée sous le titre, en haut du quiz, sur deux lignes au plus."},
};

}  // namespace

std::string hintText(int id) {
    const Field field = fieldOfControl(id);
    for (const FieldHint& hint : fieldHints)
        if (hint.field == field) return hint.text;
    return "";
}
