// The wide strings of Windows' calls, converted by the system.
#include "encoding.h"

#include <windows.h>

std::wstring toWide(const std::string& utf8) {
    int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    if (count > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], count);
    return wide;
}

std::string toUtf8(const std::wstring& wide) {
    int count = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(count), '\0');
    if (count > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], count, nullptr, nullptr);
    return utf8;
}
