// quizmaker's preparation of a picture file on arbitrary bytes.
// Invariants checked (besides every read and write staying in bounds):
// - a refused file is told why, in English and in French;
// - a prepared picture is stored at a size that fitting into the box keeps,
//   as a baseline JPEG the player's decoder reads at that very size.
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "check.h"
#include "format/format.h"
#include "media/jpeg.h"
#include "picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Bytes file(data, data + size);
    Bytes stored;
    PreparedPicture picture;
    Message why;
    if (!preparePicture(file, PictureOptions(), &stored, &picture, &why)) {
        FUZZ_CHECK(!why.english.empty() && !why.french.empty());
        return 0;
    }
    const FittedSize again = fittedSize(picture.storedWidth, picture.storedHeight, PictureBoxSize, PictureBoxSize);
    FUZZ_CHECK(again.width == picture.storedWidth && again.height == picture.storedHeight);
    FittedSize shown;
    FUZZ_CHECK(jpegFittedSize(stored.data(), stored.size(), PictureBoxSize, PictureBoxSize, &shown));
    FUZZ_CHECK(shown.width == picture.storedWidth && shown.height == picture.storedHeight);
    return 0;
}
