#include "cli.h"

#include <stdio.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#include <io.h>
#endif

// Unicode code points of the Windows-1252 bytes 0x80 to 0x9F. The five
// bytes that code page leaves unassigned map to the C1 controls of the same
// value, as Windows itself converts them.
static const unsigned short cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

static bool codePointToCp1252(unsigned long cp, unsigned char* byte) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        *byte = static_cast<unsigned char>(cp);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (cp1252High[i] == cp) {
            *byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

void appendUtf8(std::string* out, unsigned long cp) {
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool utf8ToCp1252(const std::string& utf8, std::string* cp1252) {
    std::string out;
    size_t i = 0;
    while (i < utf8.size()) {
        unsigned char lead = static_cast<unsigned char>(utf8[i]);
        unsigned long cp;
        int extra;
        if (lead < 0x80) { cp = lead; extra = 0; }
        else if ((lead & 0xE0) == 0xC0) { cp = lead & 0x1F; extra = 1; }
        else if ((lead & 0xF0) == 0xE0) { cp = lead & 0x0F; extra = 2; }
        else if ((lead & 0xF8) == 0xF0) { cp = lead & 0x07; extra = 3; }
        else return false;
        if (i + extra >= utf8.size() && extra > 0) return false;  // cut short
        for (int k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        static const unsigned long smallest[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < smallest[extra]) return false;  // overlong form
        unsigned char byte;
        if (!codePointToCp1252(cp, &byte)) return false;
        out.push_back(static_cast<char>(byte));
        i += 1 + extra;
    }
    *cp1252 = out;
    return true;
}

std::string cp1252ToUtf8(const std::string& cp1252) {
    std::string out;
    for (unsigned char byte : cp1252) {
        unsigned long cp = (byte >= 0x80 && byte < 0xA0) ? cp1252High[byte - 0x80] : byte;
        appendUtf8(&out, cp);
    }
    return out;
}

int failWith(const std::string& message) {
    fprintf(stderr, "quizmaker: error: %s\n", message.c_str());
    return ExitFailure;
}

void warn(const std::string& message) { fprintf(stderr, "quizmaker: warning: %s\n", message.c_str()); }

void printText(const std::string& utf8) {
#ifdef _WIN32
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode;
    if (out != INVALID_HANDLE_VALUE && GetConsoleMode(out, &mode)) {
        int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(count), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], count);
        DWORD written;
        WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
#endif
    fwrite(utf8.data(), 1, utf8.size(), stdout);
    fflush(stdout);
}

static std::filesystem::path toPath(const std::string& utf8) {
    return std::filesystem::u8path(utf8);
}

std::string cannotOpenInFrench(const std::string& path, const std::string& shown) {
    std::error_code ignored;
    if (!std::filesystem::exists(toPath(path), ignored)) return u8"fichier introuvable : " + shown;
    return u8"impossible d'ouvrir « " + shown + u8" »";
}

bool readFile(const std::string& path, Bytes* bytes, Message* error) {
    std::ifstream in(toPath(path), std::ios::binary);
    if (!in) {
        *error = Message{"cannot open '" + path + "' for reading", cannotOpenInFrench(path, path)};
        return false;
    }
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        *error = Message{"cannot read '" + path + "'", u8"impossible de lire « " + path + u8" »"};
        return false;
    }
    return true;
}

bool writeFileAtomically(const std::string& path, const Bytes& bytes, Message* error) {
    std::filesystem::path target = toPath(path);
    std::filesystem::path temporary = target;
    temporary += ".quizmaker-tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            *error = Message{"cannot create '" + path + "'",
                             u8"impossible de créer « " + path + u8" »"};
            return false;
        }
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            *error = Message{"cannot write '" + path + "'",
                             u8"impossible d'écrire « " + path + u8" »"};
            return false;
        }
    }
    std::error_code code;
    std::filesystem::rename(temporary, target, code);
    if (code) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        *error = Message{"cannot replace '" + path + "': " + code.message(),
                         u8"impossible de remplacer « " + path + u8" »"};
        return false;
    }
    return true;
}

bool readFile(const std::string& path, Bytes* bytes, std::string* error) {
    Message message;
    const bool fine = readFile(path, bytes, &message);
    if (!fine) *error = message.english;
    return fine;
}

bool writeFileAtomically(const std::string& path, const Bytes& bytes, std::string* error) {
    Message message;
    const bool fine = writeFileAtomically(path, bytes, &message);
    if (!fine) *error = message.english;
    return fine;
}

bool wantsHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h") return true;
    return false;
}
