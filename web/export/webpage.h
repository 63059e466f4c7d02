#pragma once
// The page a quiz plays in a browser: one self-contained HTML file holding
// the player's play model (WebAssembly), the quiz's stored content and
// codes, and every picture, sound and video, each as base64 text; a
// security policy lets it reach nothing outside itself.
#include <stddef.h>

#include <string>
#include <vector>

// What a medium is, as the page hands it to the browser.
enum class WebMediaKind { None, JpegPicture, Mp3Sound, WavSound, Mp4Video, WebmVideo };

// Bytes the caller owns for the length of the call.
struct WebBytes {
    const unsigned char* data;
    size_t size;
};

struct WebMedia {
    WebMediaKind kind;  // None: the question has none
    WebBytes bytes;
};

struct WebQuiz {
    WebBytes content;  // the stored (encoded) content, as a quiz program holds it
    WebBytes codes;    // the stored codes
    std::vector<WebMedia> media;           // question i's picture, sound or video at i - 1
    std::vector<WebMedia> answerPictures;  // question i's answer picture at i - 1
    // The page of a learning platform's package: it reports to the
    // platform's SCORM 1.2 run-time when it finds one. A plain page never
    // looks for one: it keeps the answers in the browser only.
    bool forPlatform = false;
};

// Why a page could not be made, worded for quizmaker and for the editor.
struct WebExportError {
    std::string english;
    std::string french;  // UTF-8
};

// Makes the page of quiz into *page. Refuses (false, *error says why) a
// content or codes that the player could not read, more media than
// questions, and a medium the quiz's style does not show or a browser does
// not play (pictures: JPEG; sounds: MP3, WAV; videos: MP4, WebM), or whose
// bytes are not of its kind. Answer pictures go in only where the quiz
// shows them (pictures, answer modes 1 and 3).
bool makeWebPage(const WebQuiz& quiz, std::string* page, WebExportError* error);

// The kind of medium bytes hold, from their first bytes (None: none of
// the page's).
WebMediaKind webMediaKindOf(WebBytes bytes);

// Base64 (RFC 4648, padded) of bytes, appended to out.
void appendBase64(const unsigned char* bytes, size_t size, std::string* out);
