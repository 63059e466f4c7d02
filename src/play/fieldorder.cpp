#include "play/fieldorder.h"

int nextFieldNumber(int k, int direction, int fieldCount) {
    if (fieldCount < 1) return 1;
    if (direction < 0) return k <= 1 ? fieldCount : k - 1;
    return k >= fieldCount ? 1 : k + 1;
}

int questionOfField(int k, int format) { return format > 0 ? (k - 1) / format + 1 : k; }
