#include "scorm/scormpackage.h"

#include <stdint.h>
#include <stdio.h>
#include <string_view>

#include "format/format.h"
#include "module/typed.h"
#include "scorm/ziparchive.h"

const char ScormLaunchFile[] = "index.html";

namespace {

// The longest title a platform must keep (the package format's 200).
enum { TitleMaxCharacters = 200 };

// What a page made for a platform holds in its data, and no other page.
const char platformMark[] = "\"platform\":\"scorm12\"";

// The title as the manifest's text.
std::string titleText(const char* windows1252) {
    Text title;
    copyText(title, windows1252);
    char utf8[3 * TextSize];
    windows1252ToUtf8(title, utf8, sizeof utf8);
    std::string text;
    int characters = 0;
    for (const char* c = utf8; *c && characters < TitleMaxCharacters; ++c, ++characters) {
        const unsigned char byte = static_cast<unsigned char>(*c);
        switch (*c) {
            case '&': text += "&amp;"; break;
            case '<': text += "&lt;"; break;
            case '>': text += "&gt;"; break;
            case '"': text += "&quot;"; break;
            case '\'': text += "&apos;"; break;
            // XML has no place for the other control characters, even as
            // references; a title is one line.
            default: text += byte < 0x20 ? ' ' : *c; break;
        }
        // A character's continuation bytes follow it whole.
        while ((static_cast<unsigned char>(c[1]) & 0xC0) == 0x80) text += *++c;
    }
    if (text.find_first_not_of(' ') == std::string::npos) return "Quiz";
    return text;
}

// FNV-1a, 64 bits, as sixteen hexadecimal digits.
std::string hashOf(WebBytes bytes) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (size_t i = 0; i < bytes.size; ++i) hash = (hash ^ bytes.data[i]) * 0x100000001B3ull;
    char digits[17];
    snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return digits;
}

bool fail(WebExportError* error, const char* english, const char* french) {
    error->english = english;
    error->french = french;
    return false;
}

}  // namespace

std::string scormManifest(WebBytes page, const char* title) {
    const std::string name = titleText(title);
    std::string xml;
    xml += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += "<manifest identifier=\"quiz-" + hashOf(page) + "\" version=\"1.0\"\n";
    xml += "    xmlns=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2\"\n";
    xml += "    xmlns:adlcp=\"http://www.adlnet.org/xsd/adlcp_rootv1p2\">\n";
    xml += "  <metadata>\n    <schema>ADL SCORM</schema>\n    <schemaversion>1.2</schemaversion>\n  </metadata>\n";
    xml += "  <organizations default=\"quiz-organization\">\n";
    xml += "    <organization identifier=\"quiz-organization\">\n";
    xml += "      <title>" + name + "</title>\n";
    xml += "      <item identifier=\"quiz-item\" identifierref=\"quiz-resource\" isvisible=\"true\">\n";
    xml += "        <title>" + name + "</title>\n";
    xml += "      </item>\n    </organization>\n  </organizations>\n";
    xml += "  <resources>\n";
    xml += std::string("    <resource identifier=\"quiz-resource\" type=\"webcontent\" adlcp:scormtype=\"sco\" href=\"") +
           ScormLaunchFile + "\">\n";
    xml += std::string("      <file href=\"") + ScormLaunchFile + "\"/>\n";
    xml += "    </resource>\n  </resources>\n</manifest>\n";
    return xml;
}

bool makeScormPackage(const ScormQuiz& quiz, std::string* package, WebExportError* error) {
    if (!quiz.page.data ||
        std::string_view(reinterpret_cast<const char*>(quiz.page.data), quiz.page.size).find(platformMark) ==
            std::string_view::npos)
        return fail(error, "the page was not made for a learning platform",
                    u8"la page n'a pas été faite pour une plateforme d'apprentissage");
    if (quiz.questionCount < 1 || quiz.questionCount > MaxQuestions)
        return fail(error, "a quiz for a learning platform has 1 to 90 questions",
                    u8"un quiz pour une plateforme d'apprentissage a de 1 à 90 questions");
    const std::string manifest = scormManifest(quiz.page, quiz.title ? quiz.title : "");
    const std::vector<ZipEntry> entries = {
        {"imsmanifest.xml", reinterpret_cast<const unsigned char*>(manifest.data()), manifest.size()},
        {ScormLaunchFile, quiz.page.data, quiz.page.size},
    };
    if (!writeZip(entries, package))
        return fail(error, "the package is too big for a zip archive", u8"le paquet est trop gros pour une archive zip");
    return true;
}
