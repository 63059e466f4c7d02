// What goes into the page: the module, the stored content and codes and
// the media as base64 data, a policy that allows nothing from the network,
// no quiz text as markup; and the quizzes the exporter refuses.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "content/compose.h"
#include "export/webpage.h"
#include "export/webparts.h"
#include "shared/stored.h"
#include "shared/testquiz.h"

namespace {

Bytes fromBase64(const std::string& text) {
    static const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    Bytes bytes;
    unsigned long group = 0;
    int bits = 0;
    for (char c : text) {
        if (c == '=') break;
        group = (group << 6) | digits.find(c);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<unsigned char>((group >> bits) & 0xFF));
        }
    }
    return bytes;
}

std::string base64(const std::string& text) {
    std::string out;
    appendBase64(reinterpret_cast<const unsigned char*>(text.data()), text.size(), &out);
    return out;
}

// Media of each kind: the first bytes browsers and the exporter know them by.
const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0};
const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
const Bytes mp3 = {'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0};
const Bytes mp3Frame = {0xFF, 0xFB, 0x90, 0x64};
const Bytes aac = {0xFF, 0xF1, 0x50, 0x80};
const Bytes wav = {'R', 'I', 'F', 'F', 36, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
const Bytes avi = {'R', 'I', 'F', 'F', 36, 0, 0, 0, 'A', 'V', 'I', ' ', 'L', 'I', 'S', 'T'};
const Bytes mp4 = {0, 0, 0, 24, 'f', 't', 'y', 'p', 'i', 's', 'o', 'm', 0, 0, 2, 0};
const Bytes webm = {0x1A, 0x45, 0xDF, 0xA3, 0x9F, 0x42, 0x86, 0x81};

WebMedia medium(WebMediaKind kind, const Bytes& bytes) { return WebMedia{kind, {bytes.data(), bytes.size()}}; }

class WebPageTest : public ::testing::Test {
protected:
    Quiz quiz;
    Bytes content, codes;
    WebQuiz input;
    std::string page;
    WebExportError error;

    void compose(int style, int count, int mode) {
        fillTestQuiz(&quiz, style, count, 1, mode);
        store();
    }
    void store() {
        content = encoded(composeContent(&quiz));
        codes = encoded(composeCodes(&quiz));
        input.content = {content.data(), content.size()};
        input.codes = {codes.data(), codes.size()};
    }
    bool make() { return makeWebPage(input, &page, &error); }
    nlohmann::json data(const char* block = "quiz-data") {
        const std::string open = std::string("<script type=\"application/json\" id=\"") + block + "\">";
        const size_t start = page.find(open);
        EXPECT_NE(start, std::string::npos);
        const size_t end = page.find("</script>", start);
        return nlohmann::json::parse(page.substr(start + open.size(), end - start - open.size()));
    }
    std::string policy() {
        const std::string open = "<meta http-equiv=\"Content-Security-Policy\" content=\"";
        const size_t start = page.find(open) + open.size();
        return page.substr(start, page.find('"', start) - start);
    }
};

TEST_F(WebPageTest, ThePageHoldsTheModuleTheStoredQuizAndItsMediaAsBase64) {
    compose(StylePictures, 3, ModeRevealAndPicture);
    input.media = {medium(WebMediaKind::JpegPicture, jpeg), WebMedia{WebMediaKind::None, {nullptr, 0}},
                   medium(WebMediaKind::JpegPicture, jpeg)};
    input.answerPictures = {medium(WebMediaKind::JpegPicture, jpeg)};
    ASSERT_TRUE(make()) << error.english;
    const nlohmann::json d = data();
    EXPECT_EQ(fromBase64(d["module"]), Bytes(WebModule.bytes, WebModule.bytes + WebModule.size));
    EXPECT_EQ(fromBase64(d["content"]), content);
    EXPECT_EQ(fromBase64(d["codes"]), codes);
    // The media follow the page's script.
    const nlohmann::json m = data("quiz-media");
    ASSERT_EQ(m["media"].size(), 3u);
    EXPECT_EQ(m["media"][0]["type"], "image/jpeg");
    EXPECT_EQ(fromBase64(m["media"][0]["data"]), jpeg);
    EXPECT_TRUE(m["media"][1].is_null());
    EXPECT_EQ(fromBase64(m["answers"][0]["data"]), jpeg);
    EXPECT_LT(page.find("id=\"quiz-data\""), page.find("<script>"));
    EXPECT_GT(page.find("id=\"quiz-media\""), page.find("</script>", page.find("<script>")));

    EXPECT_EQ(page.rfind("<!DOCTYPE html>\n<html lang=\"fr\">", 0), 0u);
    const std::string script(reinterpret_cast<const char*>(WebScript.bytes), WebScript.size);
    EXPECT_NE(page.find("<script>" + script + "</script>"), std::string::npos);
    for (const char* placeholder : {"@POLICY@", "@STYLE@", "@DATA@", "@SCRIPT@", "@MEDIA@"})
        EXPECT_EQ(page.find(placeholder), std::string::npos) << placeholder;
}

TEST_F(WebPageTest, ThePolicyAllowsOnlyThePagesOwnScriptStyleModuleAndMedia) {
    compose(StyleText, 2, ModeRevealText);
    ASSERT_TRUE(make());
    const std::string p = policy();
    EXPECT_EQ(p.rfind("default-src 'none'; ", 0), 0u);
    EXPECT_NE(p.find(std::string("script-src ") + WebScriptHash + " 'wasm-unsafe-eval';"), std::string::npos);
    EXPECT_NE(p.find(std::string("style-src ") + WebStyleHash + ";"), std::string::npos);
    EXPECT_NE(p.find("img-src data:;"), std::string::npos);
    EXPECT_NE(p.find("media-src blob:;"), std::string::npos);
    for (const char* loose : {"http", "*", "'self'", "unsafe-inline", "'unsafe-eval'", "connect-src"})
        EXPECT_EQ(p.find(loose), std::string::npos) << loose;
}

TEST_F(WebPageTest, QuizTextsReachThePageOnlyInsideTheStoredContent) {
    compose(StyleText, 2, ModeRevealText);
    copyText(quiz.title, "<img src=x onerror=alert(1)>");
    copyText(quiz.firstQuestion->caption, "</script><script>alert(2)</script>");
    copyText(quiz.codes[0], "\"}]<!--");
    store();
    ASSERT_TRUE(make());
    for (const char* text : {"onerror", "alert(", "<!--", "\"}]"})
        EXPECT_EQ(page.find(text), std::string::npos) << text;
    EXPECT_EQ(fromBase64(data()["content"]), content);
}

TEST_F(WebPageTest, AnswerPicturesGoInOnlyWhereTheQuizShowsThem) {
    for (int mode : {ModeAnswerPicture, ModeRevealText, ModeRevealAndPicture, ModeAllRevealsAtEnd}) {
        compose(StylePictures, 1, mode);
        input.answerPictures = {medium(WebMediaKind::JpegPicture, jpeg)};
        ASSERT_TRUE(make());
        EXPECT_EQ(data("quiz-media")["answers"].size(), modeShowsAnswerPicture(mode) ? 1u : 0u) << "mode " << mode;
    }
}

TEST_F(WebPageTest, EachStyleTakesTheMediaABrowserPlaysAndRefusesOthers) {
    const struct { int style; WebMediaKind kind; const Bytes* bytes; const char* refusal; } cases[] = {
        {StylePictures, WebMediaKind::JpegPicture, &jpeg, nullptr},
        {StyleSounds, WebMediaKind::Mp3Sound, &mp3, nullptr},
        {StyleSounds, WebMediaKind::Mp3Sound, &mp3Frame, nullptr},
        {StyleSounds, WebMediaKind::WavSound, &wav, nullptr},
        {StyleVideos, WebMediaKind::Mp4Video, &mp4, nullptr},
        {StyleVideos, WebMediaKind::WebmVideo, &webm, nullptr},
        {StylePictures, WebMediaKind::Mp3Sound, &mp3,
         "question 2: media is an MP3 sound; this quiz shows JPEG pictures in a browser"},
        {StyleText, WebMediaKind::JpegPicture, &jpeg,
         "question 2: media is a JPEG picture; this quiz shows no media in a browser"},
        {StylePictures, WebMediaKind::JpegPicture, &png, "question 2: media is not a JPEG picture"},
        {StyleSounds, WebMediaKind::Mp3Sound, &aac, "question 2: media is not an MP3 sound"},
        {StyleVideos, WebMediaKind::WebmVideo, &avi, "question 2: media is not a WebM video"},
    };
    for (const auto& c : cases) {
        compose(c.style, 2, ModeRevealText);
        input.media = {WebMedia{WebMediaKind::None, {nullptr, 0}}, medium(c.kind, *c.bytes)};
        const bool made = make();
        EXPECT_EQ(made, c.refusal == nullptr) << c.style;
        if (c.refusal) {
            EXPECT_EQ(error.english, c.refusal);
        }
    }
    EXPECT_EQ(error.french, u8"question 2 : média : ce n'est pas une vidéo WebM");
}

TEST_F(WebPageTest, StoredBytesThePlayerCannotReadAndMoreMediaThanQuestionsAreRefused) {
    compose(StyleText, 2, ModeRevealText);
    const Bytes goodContent = content;
    content.resize(content.size() / 2);
    input.content = {content.data(), content.size()};
    EXPECT_FALSE(make());
    EXPECT_EQ(error.english, "the quiz's content cannot be read");
    EXPECT_EQ(error.french, u8"le contenu du quiz est illisible");

    input.content = {goodContent.data(), goodContent.size()};
    input.codes = {nullptr, 0};
    EXPECT_FALSE(make());
    EXPECT_EQ(error.english, "the quiz's codes cannot be read");

    store();
    input.media.assign(3, WebMedia{WebMediaKind::None, {nullptr, 0}});
    EXPECT_FALSE(make());
    EXPECT_EQ(error.english, "3 media and 0 answer pictures for 2 questions");
}

TEST(WebMediaKind, TheFirstBytesTellTheKind) {
    const struct { const Bytes* bytes; WebMediaKind kind; } cases[] = {
        {&jpeg, WebMediaKind::JpegPicture}, {&mp3, WebMediaKind::Mp3Sound},   {&mp3Frame, WebMediaKind::Mp3Sound},
        {&wav, WebMediaKind::WavSound},     {&mp4, WebMediaKind::Mp4Video},   {&webm, WebMediaKind::WebmVideo},
        {&png, WebMediaKind::None},         {&aac, WebMediaKind::None},       {&avi, WebMediaKind::None},
    };
    for (const auto& c : cases) EXPECT_EQ(webMediaKindOf({c.bytes->data(), c.bytes->size()}), c.kind);
    EXPECT_EQ(webMediaKindOf({jpeg.data(), 2}), WebMediaKind::None);
    EXPECT_EQ(webMediaKindOf({nullptr, 0}), WebMediaKind::None);
}

TEST(Base64, TheTestVectorsOfItsDefinition) {
    const char* const expected[] = {"", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy"};
    for (int n = 0; n <= 6; ++n) EXPECT_EQ(base64(std::string("foobar").substr(0, n)), expected[n]);
    EXPECT_EQ(base64("\xFF\xFE\xFD"), "//79");
}

}  // namespace
