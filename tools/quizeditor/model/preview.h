#pragma once
// What the two preview boxes of the selected question show: the picture of
// its medium (in a picture quiz) and its answer picture, each prepared as a
// build stores it, or a note in French where there is no picture to show.
#include <string>

#include "editmodel.h"
#include "files.h"

enum PreviewBox { MediaPreviewBox, AnswerPicturePreviewBox };

struct PreviewSource {
    std::string picture;   // the picture file to show (UTF-8); empty: the note alone
    std::string note;      // shown without a picture: "Aucun média", "Fichier introuvable", a sound's name...
    long colour = -1;      // the background colour it is prepared on, 0xRRGGBB; -1 when not "#RRGGBB"
};
PreviewSource previewOf(const EditorModel& model, PreviewBox box);

// The picture as the player will show it: read and prepared as a build
// stores it (upright, on the background colour, at the size of the
// player's box). False when it is no picture the player can show.
bool preparePreview(const PreviewSource& source, Bytes* stored);
