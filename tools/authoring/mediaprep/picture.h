#pragma once
// Pictures made ready for the player's picture box: decoded at full
// resolution (JPEG, baseline or progressive, PNG, BMP, GIF's first frame),
// turned upright by the EXIF orientation, laid on the quiz's background
// colour where transparent, scaled by area average to exactly the size the
// player shows, and stored as a baseline JPEG, which the player decodes on
// its fast path and shows 1:1. check and build both go through here, so
// what check reports is what build stores.
#include <string>
#include <vector>

#include "files.h"
#include "media/fit.h"

// Quality of the stored JPEG pictures, chosen by measuring bytes against
// the difference from the picture the player shows of the original
// (bench/bench_prepare.cpp). stb_image_write halves the colour resolution
// (4:2:0) up to quality 90 and keeps it whole above.
enum { StoredJpegQuality = 91 };

struct PictureOptions {
    unsigned char red = 0xFF, green = 0xFF, blue = 0xFF;  // under transparent pixels
    bool keepOriginal = false;   // store the file as it is (it must be a JPEG picture)
};

// What happened to one picture, for check's report and build's progress.
struct PreparedPicture {
    const char* format = "";     // "JPEG", "progressive JPEG", "PNG", "BMP", "GIF"
    int width = 0, height = 0;   // as stored in the file, before turning upright
    int orientation = 1;         // EXIF orientation, 1 (upright) to 8
    int storedWidth = 0, storedHeight = 0;
    bool storedAsItIs = false;   // the file's own bytes are stored
    bool enlarged = false;       // smaller than its box: the player enlarges it
};

// The size a picture of width x height is stored at: the size the player
// fits it to, which fitting again leaves as it is (the player fits every
// stored picture once more, and a long side truncated to one pixel short
// of the box would otherwise be enlarged a second time). At least 1 x 1.
FittedSize storedPictureSize(int width, int height);

// What "turned upright" meant for an orientation, e.g. "rotated 90 degrees
// clockwise" ("tournée de 90° vers la droite"); empty for 1.
Message describeOrientation(int orientation);

// A picture decoded, turned upright and scaled to its stored size, before
// encoding: 3 bytes (red, green, blue) a pixel, rows top-down.
struct UprightPixels {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};
bool decodeUprightPicture(const Bytes& file, const PictureOptions& options, UprightPixels* upright,
                          PreparedPicture* picture, Message* why);
// Baseline JPEG at quality 1 to 100.
bool encodeBaselineJpeg(const UprightPixels& upright, int quality, Bytes* stored);

// Prepares file (named for messages only by the caller). False with why
// ("is a PDF document, not a picture: ...", "is a damaged PNG picture ...";
// "n'est pas une image que le lecteur sait afficher : ...") when it is not
// a picture the player can show.
bool preparePicture(const Bytes& file, const PictureOptions& options, Bytes* stored, PreparedPicture* picture,
                    Message* why);
