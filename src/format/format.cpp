#include "format/format.h"

const char ContentResourceType[] = "PATCH";
const char MediaResourceType[] = "IMG";
