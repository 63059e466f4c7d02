#include "picture.h"

#include <limits.h>
#include <string.h>

#include <vector>

#include <stb_image.h>
#include <stb_image_write.h>

#include "filetype.h"
#include "format/format.h"
#include "media/jpeg.h"

namespace {

// Pictures are decoded whole, a few bytes a pixel: this bounds the memory
// to some hundreds of megabytes, within reach of the 32-bit quizmaker too,
// and well above any camera's pictures.
const long long MaxPicturePixels = 120000000;

unsigned readLittle16(const unsigned char* at) { return at[0] | (at[1] << 8); }
unsigned readLittle32(const unsigned char* at) {
    return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<unsigned>(at[3]) << 24);
}

// The orientation tag (0x0112, a SHORT) of IFD0 in an Exif block's TIFF
// data, in either byte order; 1 when absent or not 1 to 8.
int exifOrientation(const unsigned char* tiff, size_t size) {
    if (size < 8) return 1;
    const bool little = tiff[0] == 'I' && tiff[1] == 'I';
    if (!little && !(tiff[0] == 'M' && tiff[1] == 'M')) return 1;
    auto word = [&](size_t at) { return little ? tiff[at] | (tiff[at + 1] << 8) : (tiff[at] << 8) | tiff[at + 1]; };
    auto dword = [&](size_t at) {
        return little ? readLittle32(tiff + at)
                      : (static_cast<unsigned>(tiff[at]) << 24) | (tiff[at + 1] << 16) | (tiff[at + 2] << 8) | tiff[at + 3];
    };
    if (word(2) != 42) return 1;
    const size_t ifd = dword(4);
    if (ifd > size - 2) return 1;
    const unsigned entries = word(ifd);
    for (unsigned i = 0; i < entries; ++i) {
        const size_t entry = ifd + 2 + 12 * static_cast<size_t>(i);
        if (entry + 12 > size) break;
        if (word(entry) != 0x0112) continue;
        const int value = word(entry + 8);
        return word(entry + 2) == 3 && value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

// What a JPEG's markers say: its Exif orientation (from the first Exif
// block; editors may leave an older one behind it), whether its frame is
// progressive, whether its Huffman tables fit stb_image's (which does not
// check them itself) and whether every segment lies within the file (stb
// reads on past the end). Every segment is walked, scans skipped, since a
// progressive file defines tables between its scans.
struct JpegMarkers {
    int orientation = 1;
    bool progressive = false;
    bool tablesFit = true;
    bool segmentsWhole = true;
};

JpegMarkers readJpegMarkers(const Bytes& file) {
    JpegMarkers found;
    bool exif = false;
    size_t at = 2;
    while (at + 4 <= file.size()) {
        // Like stb_image, bytes between segments are passed over up to the
        // next marker; fill bytes too.
        while (at < file.size() && file[at] != 0xFF) ++at;
        while (at < file.size() && file[at] == 0xFF) ++at;
        if (at + 3 > file.size()) break;
        const unsigned char marker = file[at++];
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
        if (marker == 0xD9) break;
        const size_t length = (file[at] << 8) | file[at + 1];
        if (length < 2 || at + length > file.size()) {
            found.segmentsWhole = false;
            break;
        }
        const unsigned char* body = file.data() + at + 2;
        if (marker == 0xE1 && !exif && length >= 8 && memcmp(body, "Exif\0\0", 6) == 0) {
            found.orientation = exifOrientation(body + 6, length - 8);
            exif = true;
        }
        if (marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE) found.progressive = true;
        if (marker == 0xC4 && !jpegHuffmanTablesFit(body, length - 2)) found.tablesFit = false;
        at += length;
        if (marker == 0xDA) at = jpegScanEnd(file.data(), file.size(), at);
    }
    return found;
}

// stb_image fills in whatever lies past the end of a cut-off BMP or GIF; a
// JPEG or PNG cut short fails to decode by itself. A BMP holds its declared
// pixel rows; a GIF's first frame ends before the file does.
bool bmpIsWhole(const Bytes& file) {
    if (file.size() < 34) return false;
    const unsigned char* b = file.data();
    const unsigned info = readLittle32(b + 14);
    const unsigned long long offset = readLittle32(b + 10);
    long long width, height;
    unsigned bits, compression = 0;
    if (info == 12) {
        width = readLittle16(b + 18);
        height = readLittle16(b + 20);
        bits = readLittle16(b + 24);
    } else {
        if (file.size() < 38) return false;
        width = static_cast<int>(readLittle32(b + 18));
        height = static_cast<int>(readLittle32(b + 22));
        bits = readLittle16(b + 28);
        compression = readLittle32(b + 30);
    }
    if (height < 0) height = -height;
    // Run-length coded rows end where their declared size says.
    const bool packed = compression == 1 || compression == 2;
    const unsigned long long rows = packed ? readLittle32(b + 34)
                                           : static_cast<unsigned long long>((width * bits + 31) / 32 * 4) * height;
    return width > 0 && offset + rows <= file.size();
}

// Skips a chain of GIF data sub-blocks from at; false when the file ends first.
bool skipGifBlocks(const Bytes& file, size_t* at) {
    while (*at < file.size()) {
        const size_t length = file[(*at)++];
        if (length == 0) return true;
        *at += length;
    }
    return false;
}

bool gifIsWhole(const Bytes& file) {
    if (file.size() < 13) return false;
    size_t at = 13;
    if (file[10] & 0x80) at += 3u << ((file[10] & 7) + 1);  // global colour table
    while (at < file.size()) {
        const unsigned char block = file[at++];
        if (block == 0x21) {  // extension: label, then sub-blocks
            ++at;
            if (!skipGifBlocks(file, &at)) return false;
        } else if (block == 0x2C) {  // the first image: descriptor, colour table, code size, data
            if (at + 9 > file.size()) return false;
            const unsigned char flags = file[at + 8];
            at += 9 + ((flags & 0x80) ? (3u << ((flags & 7) + 1)) : 0) + 1;
            return skipGifBlocks(file, &at);
        } else {
            return false;
        }
    }
    return false;
}

// Where the upright picture's pixel (u, v) lies in the stored picture of
// width x height, by the EXIF meaning of each orientation: 2 mirrored,
// 3 turned half a turn, 4 upside down and mirrored, 5 to 8 with rows and
// columns swapped (6 and 8 a quarter turn each way, 5 and 7 also mirrored).
void sourcePixel(int orientation, int u, int v, int width, int height, int* x, int* y) {
    switch (orientation) {
    case 2: *x = width - 1 - u; *y = v; break;
    case 3: *x = width - 1 - u; *y = height - 1 - v; break;
    case 4: *x = u; *y = height - 1 - v; break;
    case 5: *x = v; *y = u; break;
    case 6: *x = v; *y = height - 1 - u; break;
    case 7: *x = width - 1 - v; *y = height - 1 - u; break;
    case 8: *x = width - 1 - v; *y = u; break;
    default: *x = u; *y = v; break;
    }
}

bool swapsSides(int orientation) { return orientation >= 5; }

// Lays RGBA pixels on the background colour, in place.
void layOnBackground(unsigned char* pixels, size_t count, const PictureOptions& options) {
    const unsigned background[3] = {options.red, options.green, options.blue};
    for (unsigned char* p = pixels; p < pixels + 4 * count; p += 4) {
        const unsigned alpha = p[3];
        for (int k = 0; k < 3; ++k) p[k] = static_cast<unsigned char>((p[k] * alpha + background[k] * (255 - alpha) + 127) / 255);
    }
}

void appendBytes(void* context, void* data, int size) {
    Bytes* out = static_cast<Bytes*>(context);
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

FittedSize storedPictureSize(int width, int height) {
    FittedSize size = fittedSize(width, height, PictureBoxSize, PictureBoxSize);
    for (int round = 0; round < 4; ++round) {
        if (size.width < 1) size.width = 1;
        if (size.height < 1) size.height = 1;
        const FittedSize again = fittedSize(size.width, size.height, PictureBoxSize, PictureBoxSize);
        if (again.width == size.width && again.height == size.height) break;
        size = again;
    }
    return size;
}

Message describeOrientation(int orientation) {
    switch (orientation) {
    case 2: return {"mirrored left to right", u8"retournée de gauche à droite"};
    case 3: return {"rotated 180 degrees", u8"tournée de 180°"};
    case 4: return {"mirrored top to bottom", u8"retournée de haut en bas"};
    case 5: return {"mirrored, then rotated 90 degrees anticlockwise", u8"retournée, puis tournée de 90° vers la gauche"};
    case 6: return {"rotated 90 degrees clockwise", u8"tournée de 90° vers la droite"};
    case 7: return {"mirrored, then rotated 90 degrees clockwise", u8"retournée, puis tournée de 90° vers la droite"};
    case 8: return {"rotated 90 degrees anticlockwise", u8"tournée de 90° vers la gauche"};
    default: return {};
    }
}

namespace {

// A format's name in French: "JPEG progressif" for "progressive JPEG".
std::string inFrench(const std::string& format) {
    return format == "progressive JPEG" ? u8"JPEG progressif" : format;
}

// The checks before decoding: a picture of a kind stb_image reads, whole,
// and as it may be stored; fills in its format and orientation. False with
// why otherwise.
bool mayDecode(const Bytes& file, const PictureOptions& options, PreparedPicture* picture, Message* why) {
    const FileType type = fileTypeOf(file);
    if (!isPictureType(type)) {
        const Message what = describeFile(file);
        *why = {"is " + what.english + ", not a picture: use a JPEG, PNG, BMP or GIF picture",
                u8"n'est pas une image que le lecteur sait afficher : c'est " + what.french +
                    u8" (prenez une image JPEG, PNG, BMP ou GIF)"};
        return false;
    }
    const JpegMarkers markers = type == FileJpeg ? readJpegMarkers(file) : JpegMarkers();
    picture->orientation = markers.orientation;
    picture->format = type == FilePng ? "PNG" : type == FileGif ? "GIF" : type == FileBmp ? "BMP"
                      : markers.progressive ? "progressive JPEG" : "JPEG";
    const std::string format = picture->format, french = inFrench(format);
    if (options.keepOriginal && type != FileJpeg) {
        *why = {"is a " + format + " picture; pictures stored as they are (--keep-pictures) must be JPEG pictures",
                u8"est une image " + french + u8" : les images enregistrées telles quelles doivent être des JPEG"};
        return false;
    }
    if ((type == FileBmp && !bmpIsWhole(file)) || (type == FileGif && !gifIsWhole(file)) || !markers.segmentsWhole) {
        *why = {"is a damaged " + format + " picture: the file is cut short",
                u8"est une image " + french + u8" abîmée : le fichier est incomplet"};
        return false;
    }
    if (!markers.tablesFit) {
        *why = {"is a damaged " + format + " picture: a Huffman table holds more than 256 codes",
                u8"est une image " + french + u8" abîmée : une table de Huffman a plus de 256 codes"};
        return false;
    }
    if (file.size() > INT_MAX) {
        *why = {"is too large to read", u8"est un fichier trop gros pour être lu"};
        return false;
    }
    return true;
}

// Decodes the whole file at full resolution (3 bytes a pixel, or 4 with
// transparency, *channels saying which) after the checks stb_image does not
// make, and fills in the file's own facts. Null with why on failure.
unsigned char* decodeFullPicture(const Bytes& file, const PictureOptions& options, int* channels,
                                 PreparedPicture* picture, Message* why) {
    *picture = PreparedPicture();
    if (!mayDecode(file, options, picture, why)) return nullptr;
    const std::string format = picture->format, french = inFrench(format);
    const int count = static_cast<int>(file.size());
    int width = 0, height = 0, own = 0;
    if (stbi_info_from_memory(file.data(), count, &width, &height, &own) &&
        static_cast<long long>(width) * height > MaxPicturePixels) {
        const std::string millions = std::to_string(MaxPicturePixels / 1000000);
        *why = {"is " + std::to_string(width) + " x " + std::to_string(height) + " pixels; at most " + millions +
                    " million pixels can be read: make it smaller first",
                u8"fait " + std::to_string(width) + u8" × " + std::to_string(height) + u8" pixels ; au plus " +
                    millions + u8" millions de pixels peuvent être lus : réduisez l'image d'abord"};
        return nullptr;
    }
    *channels = own == 2 || own == 4 ? 4 : 3;
    unsigned char* pixels = stbi_load_from_memory(file.data(), count, &width, &height, &own, *channels);
    if (!pixels) {
        const char* reason = stbi_failure_reason();
        *why = {"is a damaged or unsupported " + format + " picture" +
                    (reason && *reason ? std::string(" (") + reason + ")" : ""),
                u8"est une image " + french + u8" abîmée, ou d'une sorte que le lecteur ne sait pas lire"};
        return nullptr;
    }
    picture->width = width;
    picture->height = height;
    // Whichever way it is turned, a picture is enlarged when both sides are
    // shorter than the box.
    picture->enlarged = storedPictureSize(width, height).width > width;
    return pixels;
}

}  // namespace

bool decodeUprightPicture(const Bytes& file, const PictureOptions& options, UprightPixels* upright,
                          PreparedPicture* picture, Message* why) {
    int channels;
    unsigned char* pixels = decodeFullPicture(file, options, &channels, picture, why);
    if (!pixels) return false;
    const int width = picture->width, height = picture->height;
    const bool swap = swapsSides(picture->orientation);
    const FittedSize size = storedPictureSize(swap ? height : width, swap ? width : height);
    picture->storedWidth = size.width;
    picture->storedHeight = size.height;
    if (channels == 4) layOnBackground(pixels, static_cast<size_t>(width) * height, options);

    // Scaled first, in the file's own orientation, then turned: the same
    // area averages as turning first, on far fewer pixels.
    const int scaledWidth = swap ? size.height : size.width, scaledHeight = swap ? size.width : size.height;
    std::vector<unsigned char> scaled(static_cast<size_t>(scaledWidth) * scaledHeight * 4);
    const bool fine = scalePixels(pixels, width, height, width * channels, channels, scaled.data(), scaledWidth,
                                  scaledHeight, scaledWidth * 4);
    stbi_image_free(pixels);
    if (!fine) {
        *why = {"is too large to scale in the memory available",
                u8"est trop grande pour être mise à l'échelle dans la mémoire disponible"};
        return false;
    }
    upright->width = size.width;
    upright->height = size.height;
    upright->rgb.resize(static_cast<size_t>(size.width) * size.height * 3);
    for (int v = 0; v < size.height; ++v)
        for (int u = 0; u < size.width; ++u) {
            int x, y;
            sourcePixel(picture->orientation, u, v, scaledWidth, scaledHeight, &x, &y);
            memcpy(&upright->rgb[(static_cast<size_t>(v) * size.width + u) * 3],
                   &scaled[(static_cast<size_t>(y) * scaledWidth + x) * 4], 3);
        }
    return true;
}

bool encodeBaselineJpeg(const UprightPixels& upright, int quality, Bytes* stored) {
    stored->clear();
    return stbi_write_jpg_to_func(appendBytes, stored, upright.width, upright.height, 3, upright.rgb.data(), quality) != 0;
}

bool preparePicture(const Bytes& file, const PictureOptions& options, Bytes* stored, PreparedPicture* picture,
                    Message* why) {
    if (options.keepOriginal) {
        int channels;
        unsigned char* pixels = decodeFullPicture(file, options, &channels, picture, why);
        if (!pixels) return false;
        stbi_image_free(pixels);
        picture->storedWidth = picture->width;
        picture->storedHeight = picture->height;
        picture->storedAsItIs = true;
        *stored = file;
        return true;
    }
    UprightPixels upright;
    if (!decodeUprightPicture(file, options, &upright, picture, why)) return false;
    // A baseline JPEG already of its stored size and upright is what the
    // player would show anyway, on its fast path.
    FittedSize own;
    picture->storedAsItIs = picture->orientation == 1 && picture->width == picture->storedWidth &&
                            picture->height == picture->storedHeight &&
                            jpegFittedSize(file.data(), file.size(), PictureBoxSize, PictureBoxSize, &own);
    if (picture->storedAsItIs) {
        *stored = file;
        return true;
    }
    if (!encodeBaselineJpeg(upright, StoredJpegQuality, stored)) {
        *why = {"could not be encoded as a JPEG picture", u8"n'a pas pu être enregistrée en JPEG"};
        return false;
    }
    return true;
}
