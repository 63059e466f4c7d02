#include "prepare.h"

#include "filetype.h"
#include "manifestcompose.h"
#include "manifestjson.h"
#include "manifestkeys.h"

// A video quiz's webVideo: a file browsers play, judged by its bytes. Its
// bytes are read again by the page's export: build stores none of them.
static void checkWebVideo(const std::string& folder, const std::string& path, const std::string& where,
                          std::vector<Problem>* problems) {
    Bytes video;
    Message error;
    const std::string resolved = resolveMediaPath(folder, path);
    if (!readFile(resolved, &video, &error)) {
        addError(problems, where, error.english, cannotOpenInFrench(resolved, path));
        return;
    }
    if (isBrowserVideo(video)) return;
    const Message what = describeFile(video);
    addError(problems, where, "'" + path + "' is " + what.english + ", not a video browsers play: use an MP4 or WebM video",
             u8"« " + path + u8" » est " + what.french +
                 u8", pas une vidéo que les navigateurs lisent : choisissez une vidéo MP4 ou WebM");
}

bool prepareQuiz(const std::string& manifestPath, const PrepareOptions& options, Manifest* manifest,
                 PreparedQuiz* quiz, std::vector<Problem>* problems) {
    *quiz = PreparedQuiz();
    Bytes bytes;
    Message error;
    if (!readFile(manifestPath, &bytes, &error)) {
        addError(problems, "", error.english, error.french);
        return false;
    }
    return prepareQuizText(std::string(bytes.begin(), bytes.end()), manifestFolder(manifestPath), options, manifest,
                           quiz, problems);
}

bool prepareQuizFrom(const std::string& manifestPath, const std::string& text, const std::string& folder,
                     const PrepareOptions& options, Manifest* manifest, PreparedQuiz* quiz,
                     std::vector<Problem>* problems) {
    return text.empty() ? prepareQuiz(manifestPath, options, manifest, quiz, problems)
                        : prepareQuizText(text, folder, options, manifest, quiz, problems);
}

bool prepareQuizText(const std::string& text, const std::string& folder, const PrepareOptions& options,
                     Manifest* manifest, PreparedQuiz* quiz, std::vector<Problem>* problems) {
    *quiz = PreparedQuiz();
    loadManifestText(text, manifest, problems);
    PictureOptions pictures;
    pictures.red = manifest->red;
    pictures.green = manifest->green;
    pictures.blue = manifest->blue;
    pictures.keepOriginal = options.keepPictures;
    const bool withMedia = manifest->style != StyleText;
    const MediumKind kind = manifest->style == StyleSounds   ? SoundMedium
                            : manifest->style == StyleVideos ? VideoMedium
                                                             : PictureMedium;
    int count = 0;
    for (const ManifestQuestion& question : manifest->questions)
        count += (withMedia && !question.media.empty()) + !question.answerPicture.empty();
    int number = 0;
    beginMemoUse(options.memo);
    auto prepare = [&](const std::string& path, Field field, int question, int resource, MediumKind medium) {
        const MediaFile* file = prepareMediaFile(folder, path, keyPath(field, question), resource, medium, pictures,
                                                 options.memo, &quiz->media, problems);
        if (options.progress)
            options.progress(MediaProgress{++number, count, path, file != nullptr, file ? file->originalSize : 0,
                                           file ? file->bytes.size() : 0});
    };
    for (size_t i = 0; i < manifest->questions.size(); ++i) {
        const ManifestQuestion& question = manifest->questions[i];
        const int index = static_cast<int>(i), resource = index + 1;
        if (question.media.empty() && withMedia)
            addWarning(problems, keyPath(Field::Media, index), "no medium: the question's cell stays empty",
                       u8"aucun média : la case de la question restera vide");
        if (!question.media.empty() && withMedia)
            prepare(question.media, Field::Media, index, QuestionMediaBase + resource, kind);
        if (!question.answerPicture.empty())
            prepare(question.answerPicture, Field::AnswerPicture, index, AnswerPictureBase + resource, PictureMedium);
        if (!question.webVideo.empty() && manifest->style == StyleVideos)
            checkWebVideo(folder, question.webVideo, keyPath(Field::WebVideo, index), problems);
    }
    forgetUnusedMedia(options.memo);
    if (hasErrors(*problems)) return false;
    encodeStream(composeContent(*manifest), "", {"quiz's texts", u8"les textes du quiz"}, &quiz->content, problems);
    encodeStream(composeCodes(*manifest), keyName(Field::Codes), {"codes", u8"les codes"}, &quiz->codes, problems);
    return !hasErrors(*problems);
}
