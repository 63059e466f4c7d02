// Test driver: writes the page of a quiz described by a small manifest
// (JSON, UTF-8, media paths relative to it), composing and encoding the
// quiz with the player's own content code, or with --scorm the package for
// learning platforms holding the page made for them. It checks nothing:
// the tests give it exactly the quizzes they play.
//   webquiz QUIZ.json PAGE.html
//   webquiz QUIZ.json PACKAGE.zip --scorm
#include <stdio.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "content/compose.h"
#include "export/webpage.h"
#include "module/typed.h"
#include "scorm/scormpackage.h"
#include "stored.h"

typedef std::vector<unsigned char> Bytes;

static bool readFile(const std::string& path, Bytes* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

static void setText(Text text, const std::string& utf8) { utf8ToWindows1252(utf8.data(), utf8.size(), text, TextSize); }

static void setText(Text text, const nlohmann::json& object, const char* key) {
    setText(text, object.value(key, std::string()));
}

static WebMediaKind kindOfName(const std::string& path) {
    const std::string extension = path.substr(path.find_last_of('.') + 1);
    if (extension == "jpg" || extension == "jpeg") return WebMediaKind::JpegPicture;
    if (extension == "mp3") return WebMediaKind::Mp3Sound;
    if (extension == "wav") return WebMediaKind::WavSound;
    if (extension == "mp4") return WebMediaKind::Mp4Video;
    if (extension == "webm") return WebMediaKind::WebmVideo;
    return WebMediaKind::None;
}

int main(int argc, char** argv) {
    const bool scorm = argc == 4 && std::string(argv[3]) == "--scorm";
    if (argc != 3 && !scorm) {
        fprintf(stderr, "usage: webquiz QUIZ.json PAGE.html | webquiz QUIZ.json PACKAGE.zip --scorm\n");
        return 2;
    }
    const std::string manifestPath = argv[1];
    const std::string folder = manifestPath.substr(0, manifestPath.find_last_of('/') + 1);
    Bytes text;
    if (!readFile(manifestPath, &text)) {
        fprintf(stderr, "webquiz: cannot read %s\n", argv[1]);
        return 1;
    }
    const nlohmann::json manifest = nlohmann::json::parse(text.begin(), text.end(), nullptr, false);
    if (manifest.is_discarded()) {
        fprintf(stderr, "webquiz: %s is not JSON\n", argv[1]);
        return 1;
    }
    Quiz quiz;
    quiz.style = manifest.value("style", 0);
    quiz.questionFormat = manifest.value("questionFormat", 1);
    quiz.answerMode = manifest.value("answerMode", 2);
    const std::string colour = manifest.value("backColour", std::string("#FFFFFF"));
    const unsigned long rgb = std::stoul(colour.substr(1), nullptr, 16);
    quiz.backColour = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    setText(quiz.title, manifest, "title");
    setText(quiz.creator, manifest, "creator");
    setText(quiz.explanation, manifest, "explanation");
    setText(quiz.firstRowCaption, manifest, "firstRowCaption");
    setText(quiz.secondRowCaption, manifest, "secondRowCaption");

    std::vector<Bytes> files;  // kept alive for the page's media views
    files.reserve(2 * MaxQuestions);
    WebQuiz page;
    auto medium = [&](const nlohmann::json& question, const char* key) {
        const std::string path = question.value(key, std::string());
        if (path.empty()) return WebMedia{WebMediaKind::None, {nullptr, 0}};
        files.emplace_back();
        if (!readFile(folder + path, &files.back())) fprintf(stderr, "webquiz: cannot read %s\n", path.c_str());
        return WebMedia{kindOfName(path), {files.back().data(), files.back().size()}};
    };
    for (const nlohmann::json& question : manifest.value("questions", nlohmann::json::array())) {
        Text answer, second, caption, reveal;
        setText(answer, question, "answer");
        setText(second, question, "secondAnswer");
        setText(caption, question, "caption");
        setText(reveal, question, "reveal");
        appendQuestion(&quiz, answer, second, caption);
        copyText(quiz.lastQuestion->reveal, reveal);
        page.media.push_back(medium(question, "media"));
        page.answerPictures.push_back(medium(question, "answerPicture"));
        ++quiz.questionCount;
    }
    int line = 0;
    for (const nlohmann::json& code : manifest.value("codes", nlohmann::json::array()))
        if (line < MaxQuestions && code.is_string()) setText(quiz.codes[line++], code.get<std::string>());

    const Bytes content = storedBytes(composeContent(&quiz));
    const Bytes codes = storedBytes(composeCodes(&quiz));
    page.content = {content.data(), content.size()};
    page.codes = {codes.data(), codes.size()};
    page.forPlatform = scorm;
    std::string html, package;
    WebExportError error;
    if (!makeWebPage(page, &html, &error) ||
        (scorm && !makeScormPackage({{reinterpret_cast<const unsigned char*>(html.data()), html.size()}, quiz.title,
                                     quiz.questionCount},
                                    &package, &error))) {
        fprintf(stderr, "webquiz: %s\n", error.english.c_str());
        return 1;
    }
    const std::string& written = scorm ? package : html;
    std::ofstream out(argv[2], std::ios::binary);
    out.write(written.data(), static_cast<std::streamsize>(written.size()));
    return out ? 0 : 1;
}
