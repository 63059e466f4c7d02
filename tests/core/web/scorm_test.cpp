// The package for learning platforms: the manifest's title as XML text,
// what the package writer refuses, and the zip's entries as their local
// headers describe them. The package as other tools read it (unzip,
// Python's zipfile and XML parser) is checked by web_scorm_package.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scorm/scormpackage.h"
#include "scorm/ziparchive.h"

namespace {

WebBytes bytesOf(const std::string& text) {
    return WebBytes{reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

// The text between the manifest's first <title> and </title>.
std::string titleOf(const std::string& manifest) {
    const size_t start = manifest.find("<title>") + 7;
    return manifest.substr(start, manifest.find("</title>") - start);
}

unsigned field16(const std::string& zip, size_t at) {
    return static_cast<unsigned char>(zip[at]) | static_cast<unsigned char>(zip[at + 1]) << 8;
}
unsigned long field32(const std::string& zip, size_t at) { return field16(zip, at) | field16(zip, at + 2) << 16; }

const std::string platformPage = "<!DOCTYPE html><script type=\"application/json\">{\"platform\":\"scorm12\"}</script>";

TEST(ScormManifestTest, TheTitleIsUtf8XmlTextEscapedOnOneLineAndCutAt200Characters) {
    const WebBytes page = bytesOf(platformPage);
    // "Fran&çais <b> "guillemets" l'été €", Windows-1252.
    EXPECT_EQ(titleOf(scormManifest(page, "Fran&\xE7" "ais <b> \"guillemets\" l'\xE9t\xE9 \x80")),
              u8"Fran&amp;çais &lt;b&gt; &quot;guillemets&quot; l&apos;été €");
    EXPECT_EQ(titleOf(scormManifest(page, "Ligne 1\r\nLigne\t2\x01")), "Ligne 1  Ligne 2 ");
    EXPECT_EQ(titleOf(scormManifest(page, "")), "Quiz");
    EXPECT_EQ(titleOf(scormManifest(page, "  ")), "Quiz");
    // 250 "é": 200 characters of two bytes each in UTF-8, none cut in two.
    EXPECT_EQ(titleOf(scormManifest(page, std::string(250, '\xE9').c_str())).size(), 400u);
    EXPECT_EQ(titleOf(scormManifest(page, std::string(150, '&').c_str())).size(), 150u * 5);

    // Each page its own identifier, the same page always the same.
    const std::string other = platformPage + " ";
    EXPECT_EQ(scormManifest(page, "T"), scormManifest(page, "T"));
    EXPECT_NE(scormManifest(page, "T"), scormManifest(bytesOf(other), "T"));
}

TEST(ScormPackageTest, APageNotMadeForAPlatformOrAQuizWithoutQuestionsIsRefused) {
    std::string package;
    WebExportError error;
    const std::string plainPage = "<!DOCTYPE html><script type=\"application/json\">{\"module\":\"\"}</script>";
    EXPECT_FALSE(makeScormPackage({bytesOf(plainPage), "Titre", 3}, &package, &error));
    EXPECT_EQ(error.english, "the page was not made for a learning platform");
    EXPECT_FALSE(makeScormPackage({bytesOf(platformPage), "Titre", 0}, &package, &error));
    EXPECT_EQ(error.english, "a quiz for a learning platform has 1 to 90 questions");
    EXPECT_EQ(error.french, u8"un quiz pour une plateforme d'apprentissage a de 1 à 90 questions");
    EXPECT_FALSE(makeScormPackage({bytesOf(platformPage), "Titre", 91}, &package, &error));
    EXPECT_TRUE(makeScormPackage({bytesOf(platformPage), "Titre", 90}, &package, &error));
    EXPECT_EQ(package.substr(0, 4), "PK\x03\x04");
}

TEST(ZipArchiveTest, EntriesAreDeflatedWhenThatMakesThemSmallerAndTheSameEntriesGiveTheSameBytes) {
    // Base64 text, as the page holds its pictures, shrinks; bytes with no
    // pattern do not, and are stored.
    std::string base64, noise;
    unsigned long seed = 1;
    for (int i = 0; i < 60000; ++i) {
        seed = seed * 1103515245 + 12345;
        base64 += "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"[(seed >> 16) & 63];
        noise += static_cast<char>((seed >> 16) & 0xFF);
    }
    const std::vector<ZipEntry> entries = {
        {"a.txt", reinterpret_cast<const unsigned char*>(base64.data()), base64.size()},
        {"b.bin", reinterpret_cast<const unsigned char*>(noise.data()), noise.size()},
        {"empty", nullptr, 0},
    };
    std::string zip, again;
    ASSERT_TRUE(writeZip(entries, &zip));
    ASSERT_TRUE(writeZip(entries, &again));
    EXPECT_EQ(zip, again);

    // Local headers: method, sizes; each entry's data follows its name.
    size_t at = 0;
    const struct { unsigned method; bool smaller; } expected[] = {{8, true}, {0, false}, {0, false}};
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(entries[i].name);
        ASSERT_EQ(field32(zip, at), 0x04034b50ul);
        EXPECT_EQ(field16(zip, at + 8), expected[i].method);
        const unsigned long packed = field32(zip, at + 18), size = field32(zip, at + 22);
        EXPECT_EQ(size, entries[i].size);
        EXPECT_EQ(packed < size, expected[i].smaller);
        if (expected[i].smaller) {
            EXPECT_LT(packed, size * 78 / 100);  // 6 bits in each 8, and a little more
        }
        EXPECT_EQ(zip.substr(at + 30, entries[i].name.size()), entries[i].name);
        at += 30 + entries[i].name.size() + packed;
    }
    EXPECT_EQ(field32(zip, at), 0x02014b50ul);  // the central directory
    EXPECT_EQ(field16(zip, zip.size() - 12), 3u);  // its entries, in the end record

    const std::vector<ZipEntry> tooMany(0xFFFF, ZipEntry{"x", nullptr, 0});
    EXPECT_FALSE(writeZip(tooMany, &zip));
    EXPECT_TRUE(zip.empty());
}

}  // namespace
