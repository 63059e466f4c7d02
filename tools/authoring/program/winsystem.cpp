#include "winsystem.h"

#include <filesystem>

#include "encoding.h"

std::wstring besideThisProgram(const wchar_t* fileName) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return (std::filesystem::path(path).parent_path() / fileName).wstring();
}

// The system's description of an error code in a language (0: the
// system's own), on one line; empty when the system has none.
static std::string systemText(DWORD code, DWORD language) {
    wchar_t* text = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, language, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length && text ? std::wstring(text, length) : L"";
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ' ||
                                message.back() == L'.'))
        message.pop_back();
    return toUtf8(message);
}

Message systemMessage(DWORD code) {
    const std::string own = systemText(code, 0), french = systemText(code, MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
    const std::string number = std::to_string(code);
    return {own.empty() ? "error " + number : own, !french.empty() ? french : !own.empty() ? own : u8"erreur " + number};
}
