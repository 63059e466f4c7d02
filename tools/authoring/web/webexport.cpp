#include "webexport.h"

#include <filesystem>

#include "export/webpage.h"
#include "manifestkeys.h"
#include "scorm/scormpackage.h"

namespace {

WebBytes viewOf(const Bytes& bytes) { return WebBytes{bytes.data(), bytes.size()}; }

bool fail(Message* error, const std::string& english, const std::string& french) {
    *error = {english, french};
    return false;
}

// Writing the page over the manifest or a media file would lose it; a
// file that does not exist yet is none of them.
bool isAnInput(const std::string& output, const std::vector<std::string>& inputs, Message* error) {
    for (const std::string& input : inputs) {
        std::error_code ignored;
        if (!std::filesystem::equivalent(std::filesystem::u8path(output), std::filesystem::u8path(input), ignored))
            continue;
        *error = {"'" + output + "' is a file the quiz is made from; name another file for the " +
                      "page (-o)",
                  u8"« " + output + u8" » est un fichier dont le quiz est fait : choisissez un autre nom"};
        return true;
    }
    return false;
}

// "1, 4 and 5" ("et" in French).
std::string listed(const std::vector<int>& numbers, const char* lastJoin) {
    std::string list;
    for (size_t i = 0; i < numbers.size(); ++i)
        list += (i == 0 ? "" : i + 1 == numbers.size() ? lastJoin : ", ") + std::to_string(numbers[i]);
    return list;
}

// The webVideo of each question of a video quiz that shows a video, read;
// every one is needed, as browsers play none of the quiz's own (AVI).
bool readWebVideos(const Manifest& manifest, const std::string& folder, std::vector<Bytes>* videos,
                   std::vector<std::string>* inputs, Message* error) {
    videos->assign(manifest.questions.size(), Bytes());
    std::vector<int> missing;
    for (size_t i = 0; i < manifest.questions.size(); ++i) {
        const ManifestQuestion& question = manifest.questions[i];
        if (question.webVideo.empty()) {
            if (!question.media.empty()) missing.push_back(static_cast<int>(i) + 1);
            continue;
        }
        const std::string path = resolveMediaPath(folder, question.webVideo);
        inputs->push_back(path);
        if (!readFile(path, &(*videos)[i], error)) return false;
    }
    if (missing.empty()) return true;
    const std::string which = listed(missing, " and "), quelles = listed(missing, " et "),
                      many = missing.size() > 1 ? "s" : "", key = keyName(Field::WebVideo);
    return fail(error,
                "browsers do not play the quiz's videos (AVI): question" + many + " " + which +
                    " name" + (many.empty() ? "s" : "") + " no " + key +
                    "; give each question an MP4 or WebM video as " + key,
                u8"les navigateurs ne lisent pas les vidéos du quiz (AVI) : " +
                    (missing.size() > 1 ? u8"les questions " + quelles + u8" n'ont" : u8"la question " + quelles + u8" n'a") +
                    u8" pas de " + keyOf(Field::WebVideo)->french + u8" ; donnez à chaque question une vidéo MP4 ou "
                    u8"WebM (« " + key + u8" »)");
}

// The page, or the package holding it, of the stored quiz; videos, when
// not empty, in place of the stored ones.
bool makeOutput(const Manifest& manifest, const PreparedQuiz& stored, const std::vector<Bytes>& videos, bool scorm,
                std::string* output, WebExportSummary* summary, Message* error) {
    const size_t count = manifest.questions.size();
    WebQuiz page;
    page.content = viewOf(stored.content);
    page.codes = viewOf(stored.codes);
    page.media.assign(count, WebMedia{WebMediaKind::None, {nullptr, 0}});
    page.answerPictures = page.media;
    page.forPlatform = scorm;
    for (const MediaFile& file : stored.media) {
        const bool answerPicture = file.resource > AnswerPictureBase;
        const size_t at = static_cast<size_t>(file.resource - (answerPicture ? AnswerPictureBase : QuestionMediaBase) - 1);
        if (at >= count || (!answerPicture && !videos.empty())) continue;
        (answerPicture ? page.answerPictures : page.media)[at] = WebMedia{webMediaKindOf(viewOf(file.bytes)), viewOf(file.bytes)};
    }
    for (size_t i = 0; i < videos.size(); ++i)
        if (!videos[i].empty()) page.media[i] = WebMedia{webMediaKindOf(viewOf(videos[i])), viewOf(videos[i])};
    for (const WebMedia& medium : page.media) {
        summary->pictures += medium.kind == WebMediaKind::JpegPicture;
        summary->sounds += medium.kind == WebMediaKind::Mp3Sound || medium.kind == WebMediaKind::WavSound;
        summary->videos += medium.kind == WebMediaKind::Mp4Video || medium.kind == WebMediaKind::WebmVideo;
    }
    for (const WebMedia& picture : page.answerPictures) summary->pictures += picture.kind != WebMediaKind::None;
    std::string html;
    WebExportError why;
    const bool made = makeWebPage(page, &html, &why) &&
                      (!scorm || makeScormPackage({{reinterpret_cast<const unsigned char*>(html.data()), html.size()},
                                                   manifest.title.c_str(), static_cast<int>(count)},
                                                  output, &why));
    if (!made) return fail(error, why.english, why.french);
    if (!scorm) output->swap(html);
    return true;
}

bool writeOutput(const Manifest& manifest, const PreparedQuiz& stored, const std::vector<Bytes>& videos,
                 const std::string& outputPath, bool scorm, const std::vector<std::string>& inputs,
                 WebExportSummary* summary, Message* error) {
    *summary = WebExportSummary();
    std::string output;
    if (isAnInput(outputPath, inputs, error) || !makeOutput(manifest, stored, videos, scorm, &output, summary, error))
        return false;
    if (!writeFileAtomically(outputPath, Bytes(output.begin(), output.end()), error)) return false;
    summary->outputBytes = output.size();
    return true;
}

}  // namespace

std::string webOutputPath(const std::string& inputPath, bool scorm) {
    const std::filesystem::path input = std::filesystem::u8path(inputPath);
    std::filesystem::path output = input;
    output.replace_extension(scorm ? ".zip" : ".html");
    return output.u8string();
}

bool exportWebQuiz(const WebExportRequest& request, const ProgressFunction& progress, std::vector<Problem>* problems,
                   WebExportSummary* summary, Message* error) {
    *summary = WebExportSummary();
    Manifest manifest;
    PreparedQuiz quiz;
    const PrepareOptions options{request.keepPictures, progress, request.memo};
    if (!prepareQuizFrom(request.manifestPath, request.manifestText, request.manifestFolder, options, &manifest, &quiz,
                         problems))
        return false;
    const std::string folder =
        request.manifestText.empty() ? manifestFolder(request.manifestPath) : request.manifestFolder;
    std::vector<std::string> inputs;
    if (!request.manifestPath.empty()) inputs.push_back(request.manifestPath);
    for (const ManifestQuestion& question : manifest.questions)
        for (const std::string* path : {&question.media, &question.answerPicture})
            if (!path->empty()) inputs.push_back(resolveMediaPath(folder, *path));
    std::vector<Bytes> videos;
    if (manifest.style == StyleVideos && !readWebVideos(manifest, folder, &videos, &inputs, error)) return false;
    return writeOutput(manifest, quiz, videos, request.outputPath, request.scorm, inputs, summary, error);
}

bool exportStoredQuiz(const Manifest& manifest, const PreparedQuiz& stored, const std::string& outputPath, bool scorm,
                      const std::vector<std::string>& inputs, WebExportSummary* summary, Message* error) {
    for (const MediaFile& file : stored.media)
        if (file.kind == VideoMedium)
            return fail(error,
                        "browsers do not play the quiz's videos (AVI), and a quiz program keeps no " +
                            std::string(keyName(Field::WebVideo)) +
                            ": unpack it, give each question an MP4 or WebM video as its " +
                            keyName(Field::WebVideo) + " and make the page of that manifest",
                        u8"les navigateurs ne lisent pas les vidéos du quiz (AVI), et un programme de quiz ne garde "
                        u8"aucune " + std::string(keyOf(Field::WebVideo)->french) +
                            u8" : ouvrez-le, donnez à chaque question une vidéo MP4 ou WebM et exportez de nouveau");
    return writeOutput(manifest, stored, {}, outputPath, scorm, inputs, summary, error);
}
