#pragma once
// The controls of the editor's main window, numbered in the order the Tab
// key visits them (the window makes them in this order), and the field of
// the manifest each one shows.
#include <string>

#include "editmodel.h"
#include "manifestkeys.h"

enum ControlId {
    FirstControl = 100,
    TitleLabel = FirstControl, TitleEdit, CreatorLabel, CreatorEdit, ExplanationLabel, ExplanationEdit,
    FirstCaptionLabel, FirstCaptionEdit, SecondCaptionLabel, SecondCaptionEdit, StyleLabel, StyleCombo,
    FormatLabel, FormatCombo, ModeLabel, ModeCombo, ColourLabel, ColourSwatch, ColourButton, CodesLabel,
    CodesEdit,
    QuestionsLabel, QuestionList, AddButton, DeleteButton, UpButton, DownButton,
    QuestionHeading, AnswerLabel, AnswerEdit, SecondAnswerLabel, SecondAnswerEdit, CaptionLabel, CaptionEdit,
    RevealLabel, RevealEdit, MediaLabel, MediaEdit, MediaBrowse, WebVideoLabel, WebVideoEdit, WebVideoBrowse,
    PictureLabel, PictureEdit, PictureBrowse,
    PreviewLabel, MediaPreview, PicturePreview,
    TryLabel, TryWhich, TryEdit, VerdictText, TypoList,
    ProblemsLabel, ProblemList,
    StatusText, ProgressBar,
    ControlEnd,
    ControlCount = ControlEnd - FirstControl,
};

// A field, the control that shows it and the label that names it.
struct FieldControl {
    Field field;
    ControlId label;
    ControlId control;
    bool edit;   // an edit control, else a list or a button
};
// Every field has one.
enum { FieldControlCount = static_cast<int>(Field::None) };
extern const FieldControl fieldControls[FieldControlCount];

// The field an edit control holds; None for any other control.
Field fieldOfEdit(int id);
// The field a control shows, whatever its kind; None for a control that
// shows none.
Field fieldOfControl(int id);
// A label's text, from the name of the key it labels: "&Titre :"; "" for a
// control that labels no field.
std::string labelText(int id);

// Whether a field can be edited now: a question's fields while a question is
// selected, and of those the video for browsers only in a video quiz, or
// where a question names one all the same (so that it can be cleared).
bool fieldInUse(const EditorModel& model, Field field);

// The one-line explanation a field's control shows as its tooltip, for the settings whose effect the name alone does not tell; ""
// for the others.
std::string hintText(int id);
