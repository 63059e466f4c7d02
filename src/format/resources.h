#pragma once
// Finding a quiz's resources in an executable (Windows only).
#include <windows.h>

#include "format/format.h"

// Resource name (a number made with MAKEINTRESOURCEA, or a text) of type in
// module: found or not, and its bytes (find, load, lock, size). The bytes
// belong to the module and live as long as it is loaded.
ResourceBytes resourceBytes(HMODULE module, LPCSTR type, LPCSTR name);
inline ResourceBytes resourceBytes(HMODULE module, LPCSTR type, int number) {
    return resourceBytes(module, type, MAKEINTRESOURCEA(number));
}
