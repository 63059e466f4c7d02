#include "preview.h"

#include <filesystem>

#include "picture.h"

namespace fs = std::filesystem;

PreviewSource previewOf(const EditorModel& model, PreviewBox box) {
    const int style = settingOf(model, Field::Style);
    const bool media = box == MediaPreviewBox;
    const std::string file = media ? (style == StyleText ? "" : mediaFileOf(model, Field::Media))
                                   : mediaFileOf(model, Field::AnswerPicture);
    const bool picture = !media || style == StylePictures;
    PreviewSource source{picture ? file : "", "", colourOf(model)};
    source.note = file.empty() ? (media ? u8"Aucun média" : u8"Aucune image")
                  : !fs::exists(fs::u8path(file)) ? u8"Fichier introuvable"
                  : picture                       ? u8"Aperçu impossible"
                                                  : fs::u8path(file).filename().u8string();
    return source;
}

bool preparePreview(const PreviewSource& source, Bytes* stored) {
    Bytes file;
    Message why;
    if (source.picture.empty() || !readFile(source.picture, &file, &why) || file.empty()) return false;
    const unsigned long rgb = source.colour < 0 ? 0xFFFFFF : static_cast<unsigned long>(source.colour);
    PictureOptions options;
    options.red = static_cast<unsigned char>(rgb >> 16);
    options.green = static_cast<unsigned char>(rgb >> 8);
    options.blue = static_cast<unsigned char>(rgb);
    PreparedPicture picture;
    return preparePicture(file, options, stored, &picture, &why);
}
