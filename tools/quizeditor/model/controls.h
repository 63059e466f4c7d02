#pragma once
// The controls of the editor's main window, numbered in the order the Tab
// key visits them (the window makes them in this order).
enum ControlId {
    FirstControl = 100,
    TitleLabel = FirstControl, TitleEdit, CreatorLabel, CreatorEdit, ExplanationLabel, ExplanationEdit,
    FirstCaptionLabel, FirstCaptionEdit, SecondCaptionLabel, SecondCaptionEdit, StyleLabel, StyleCombo,
    FormatLabel, FormatCombo, ModeLabel, ModeCombo, ColourLabel, ColourSwatch, ColourButton, CodesLabel,
    CodesEdit,
    QuestionsLabel, QuestionList, AddButton, DeleteButton, UpButton, DownButton,
    QuestionHeading, AnswerLabel, AnswerEdit, SecondAnswerLabel, SecondAnswerEdit, CaptionLabel, CaptionEdit,
    RevealLabel, RevealEdit, MediaLabel, MediaEdit, MediaBrowse, PictureLabel, PictureEdit, PictureBrowse,
    PreviewLabel, MediaPreview, PicturePreview,
    TryLabel, TryWhich, TryEdit, VerdictText, TypoList,
    ProblemsLabel, ProblemList,
    StatusText, ProgressBar,
    ControlEnd,
    ControlCount = ControlEnd - FirstControl,
};
