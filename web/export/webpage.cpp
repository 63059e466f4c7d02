#include "export/webpage.h"

#include <stdio.h>
#include <string.h>

#include "content/codec.h"
#include "content/message.h"
#include "content/parse.h"
#include "export/webparts.h"
#include "layout/layout.h"

namespace {

struct KindRow {
    WebMediaKind kind;
    int style;         // the quiz style that shows it
    const char* type;  // its media type in the page
    const char* english;
    const char* french;
};

const KindRow kindRows[] = {
    {WebMediaKind::JpegPicture, StylePictures, "image/jpeg", "a JPEG picture", u8"une image JPEG"},
    {WebMediaKind::Mp3Sound, StyleSounds, "audio/mpeg", "an MP3 sound", u8"un son MP3"},
    {WebMediaKind::WavSound, StyleSounds, "audio/wav", "a WAV sound", u8"un son WAV"},
    {WebMediaKind::Mp4Video, StyleVideos, "video/mp4", "an MP4 video", u8"une vidéo MP4"},
    {WebMediaKind::WebmVideo, StyleVideos, "video/webm", "a WebM video", u8"une vidéo WebM"},
};

const KindRow* kindRow(WebMediaKind kind) {
    for (const KindRow& row : kindRows)
        if (row.kind == kind) return &row;
    return nullptr;
}

// What a quiz of each style shows in a browser, for the refusals.
const char* const styleMediaEnglish[] = {"no media", "JPEG pictures", "MP3 or WAV sounds", "MP4 or WebM videos"};
const char* const styleMediaFrench[] = {u8"aucun média", u8"des images JPEG", u8"des sons MP3 ou WAV",
                                        u8"des vidéos MP4 ou WebM"};

bool fail(WebExportError* error, const std::string& english, const std::string& french) {
    error->english = english;
    error->french = french;
    return false;
}

std::string questionWords(const char* words, int i) {
    char text[64];
    snprintf(text, sizeof text, words, i);
    return text;
}

// Refuses a medium of question i (its answer picture when answerPicture)
// that the quiz's style does not show, or whose bytes are not of its kind.
bool checkMedium(const WebMedia& medium, int style, int i, bool answerPicture, WebExportError* error) {
    if (medium.kind == WebMediaKind::None) return true;
    const KindRow* row = kindRow(medium.kind);
    const std::string english = questionWords("question %d: ", i) + (answerPicture ? "answer picture" : "media");
    const std::string french =
        questionWords(u8"question %d : ", i) + (answerPicture ? u8"image de la réponse" : u8"média");
    if (!row || row->style != style) {
        const int shown = boardStyle(style);
        return fail(error,
                    english + " is " + (row ? row->english : "of no known kind") + "; this quiz shows " +
                        styleMediaEnglish[shown] + " in a browser",
                    french + " : " + (row ? row->french : u8"d'un type inconnu") + u8", alors que ce quiz montre " +
                        styleMediaFrench[shown] + u8" dans le navigateur");
    }
    if (webMediaKindOf(medium.bytes) != medium.kind)
        return fail(error, english + " is not " + row->english, french + u8" : ce n'est pas " + row->french);
    return true;
}

void appendMedium(const WebMedia& medium, std::string* out) {
    const KindRow* row = kindRow(medium.kind);
    if (!row) {
        out->append("null");
        return;
    }
    out->append("{\"type\":\"").append(row->type).append("\",\"data\":\"");
    appendBase64(medium.bytes.data, medium.bytes.size, out);
    out->append("\"}");
}

void appendMediaList(const std::vector<WebMedia>& media, std::string* out) {
    out->push_back('[');
    for (size_t i = 0; i < media.size(); ++i) {
        if (i > 0) out->push_back(',');
        appendMedium(media[i], out);
    }
    out->push_back(']');
}

// The page's data: base64 texts and fixed names only, so nothing in them can
// end their script elements; "platform" in a package's page. The module and the stored quiz come before the
// page's script, the media after it: the fields take answers while the
// browser still reads the pictures.
std::string pageData(const WebQuiz& quiz) {
    std::string data;
    data.append("{\"module\":\"");
    appendBase64(WebModule.bytes, WebModule.size, &data);
    data.append("\",\"content\":\"");
    appendBase64(quiz.content.data, quiz.content.size, &data);
    data.append("\",\"codes\":\"");
    appendBase64(quiz.codes.data, quiz.codes.size, &data);
    data.append(quiz.forPlatform ? "\",\"platform\":\"scorm12\"}" : "\"}");
    return data;
}

std::string pageMedia(const WebQuiz& quiz, bool withAnswerPictures) {
    std::string data;
    data.append("{\"media\":");
    appendMediaList(quiz.media, &data);
    data.append(",\"answers\":");
    appendMediaList(withAnswerPictures ? quiz.answerPictures : std::vector<WebMedia>(), &data);
    data.push_back('}');
    return data;
}

// Nothing from the network: the script and the style sheet by their hashes,
// WebAssembly compiled from the page's own bytes, pictures from data URLs
// and sounds and videos from the blobs the script makes of their bytes.
std::string securityPolicy() {
    return std::string("default-src 'none'; script-src ") + WebScriptHash + " 'wasm-unsafe-eval'; style-src " +
           WebStyleHash + "; img-src data:; media-src blob:; base-uri 'none'; form-action 'none'";
}

// The message sink while the exporter reads the content: the loader's
// messages are not the author's business, its outcome is.
void dropMessage(const char*, const char*) {}

}  // namespace

WebMediaKind webMediaKindOf(WebBytes bytes) {
    const unsigned char* b = bytes.data;
    const size_t n = bytes.size;
    if (n >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return WebMediaKind::JpegPicture;
    if (n >= 12 && memcmp(b, "RIFF", 4) == 0 && memcmp(b + 8, "WAVE", 4) == 0) return WebMediaKind::WavSound;
    if (n >= 3 && memcmp(b, "ID3", 3) == 0) return WebMediaKind::Mp3Sound;
    // An MPEG audio frame header: eleven sync bits, a layer that is not the reserved one.
    if (n >= 2 && b[0] == 0xFF && (b[1] & 0xE0) == 0xE0 && (b[1] & 0x06) != 0) return WebMediaKind::Mp3Sound;
    if (n >= 12 && memcmp(b + 4, "ftyp", 4) == 0) return WebMediaKind::Mp4Video;
    if (n >= 4 && b[0] == 0x1A && b[1] == 0x45 && b[2] == 0xDF && b[3] == 0xA3) return WebMediaKind::WebmVideo;
    return WebMediaKind::None;
}

void appendBase64(const unsigned char* bytes, size_t size, std::string* out) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    out->reserve(out->size() + (size + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= size; i += 3) {
        const unsigned long group = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
        const char quad[4] = {digits[group >> 18], digits[(group >> 12) & 63], digits[(group >> 6) & 63],
                              digits[group & 63]};
        out->append(quad, 4);
    }
    if (i < size) {
        const bool two = i + 1 < size;
        const unsigned long group = (bytes[i] << 16) | (two ? bytes[i + 1] << 8 : 0);
        const char quad[4] = {digits[group >> 18], digits[(group >> 12) & 63], two ? digits[(group >> 6) & 63] : '=',
                              '='};
        out->append(quad, 4);
    }
}

bool makeWebPage(const WebQuiz& quiz, std::string* page, WebExportError* error) {
    Quiz read;
    const MessageSink previous = setMessageSink(dropMessage);
    const LoadOutcome outcome = loadContentFrom(&read, {true, quiz.content.data, static_cast<uint32_t>(quiz.content.size)},
                                                {true, quiz.codes.data, static_cast<uint32_t>(quiz.codes.size)});
    setMessageSink(previous);
    if (outcome < LoadCodesMissing || quiz.content.size > CoderMaxSource)
        return fail(error, "the quiz's content cannot be read", u8"le contenu du quiz est illisible");
    if (outcome != LoadComplete || quiz.codes.size > CoderMaxSource)
        return fail(error, "the quiz's codes cannot be read", u8"les codes du quiz sont illisibles");

    const int count = read.questionCount;
    if (static_cast<int>(quiz.media.size()) > count || static_cast<int>(quiz.answerPictures.size()) > count) {
        const std::string counts = std::to_string(quiz.media.size()) + " media and " +
                                   std::to_string(quiz.answerPictures.size()) + " answer pictures";
        return fail(error, counts + " for " + std::to_string(count) + " questions",
                    u8"plus de médias que de questions (" + std::to_string(count) + ")");
    }
    for (size_t i = 0; i < quiz.media.size(); ++i)
        if (!checkMedium(quiz.media[i], read.style, static_cast<int>(i) + 1, false, error)) return false;
    const bool withAnswerPictures = read.style == StylePictures && modeShowsAnswerPicture(read.answerMode);
    if (withAnswerPictures)
        for (size_t i = 0; i < quiz.answerPictures.size(); ++i)
            if (!checkMedium(quiz.answerPictures[i], StylePictures, static_cast<int>(i) + 1, true, error))
                return false;

    const std::string templateText(reinterpret_cast<const char*>(WebTemplate.bytes), WebTemplate.size);
    const std::string data = pageData(quiz);
    const std::string media = pageMedia(quiz, withAnswerPictures);
    page->clear();
    page->reserve(templateText.size() + data.size() + media.size() + WebStyle.size + WebScript.size + 512);
    // The template holds each placeholder once, in this order.
    const std::string parts[][2] = {{"@POLICY@", securityPolicy()},
                                    {"@STYLE@", std::string(reinterpret_cast<const char*>(WebStyle.bytes), WebStyle.size)},
                                    {"@DATA@", data},
                                    {"@SCRIPT@", std::string(reinterpret_cast<const char*>(WebScript.bytes), WebScript.size)},
                                    {"@MEDIA@", media}};
    size_t at = 0;
    for (const auto& part : parts) {
        const size_t mark = templateText.find(part[0], at);
        if (mark == std::string::npos) continue;
        page->append(templateText, at, mark - at).append(part[1]);
        at = mark + part[0].size();
    }
    page->append(templateText, at, std::string::npos);
    return true;
}
