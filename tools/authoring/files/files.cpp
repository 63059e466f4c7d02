#include "files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "encoding.h"

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

std::string manifestFolder(const std::string& manifestPath) {
    std::filesystem::path parent = std::filesystem::u8path(manifestPath).parent_path();
    return parent.u8string();
}

std::string resolveMediaPath(const std::string& folder, const std::string& path) {
    std::filesystem::path given = std::filesystem::u8path(path);
    if (given.is_absolute() || folder.empty()) return given.u8string();
    return (std::filesystem::u8path(folder) / given).u8string();
}

std::string plainFileName(const std::string& utf8, size_t longest) {
    std::string name;
    bool dash = false;
    for (const CodePoint& point : codePoints(utf8)) {
        std::string cp1252, plain;
        if (utf8ToCp1252(point.bytes, &cp1252) && cp1252.size() == 1) {
            const unsigned char c = static_cast<unsigned char>(cp1252[0]);
            const char letter = plainLetterCp1252(c);
            if (letter) plain = letter;
            else if (c == 0x8C || c == 0x9C) plain = "oe";
            else if (c == 0xC6 || c == 0xE6) plain = "ae";
            else if (c == 0xDF) plain = "ss";
            else if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) plain = cp1252;
        }
        if (plain.empty()) {
            dash = !name.empty();
            continue;
        }
        if (dash) name += '-';
        dash = false;
        for (char c : plain) name += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    if (name.size() > longest) {
        const size_t cut = name.rfind('-', longest);
        name.resize(cut != std::string::npos && cut > longest / 2 ? cut : longest);
    }
    return name;
}

std::string fileNameFromText(const std::string& utf8) {
    std::string name;
    for (const CodePoint& point : codePoints(utf8)) {
        const unsigned long c = point.value;
        if (c < 0x20 || c == 0x7F) name += ' ';
        else if (c == '/' || c == '\\' || c == ':' || c == '|') name += '-';
        else if (c == '*' || c == '?' || c == '"' || c == '<' || c == '>') continue;
        else name += point.bytes;
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
    size_t start = name.find_first_not_of(' ');
    return start == std::string::npos ? "" : name.substr(start);
}

std::string freshFolderBeside(const std::string& file) {
    const std::filesystem::path path = toPath(file);
    std::filesystem::path stem = path.stem();
    if (stem.empty()) stem = "quiz";
    for (int number = 1;; ++number) {
        std::filesystem::path name = stem;
        if (number > 1) name += "-" + std::to_string(number);
        const std::filesystem::path folder = path.parent_path() / name;
        std::error_code failed;
        if (!std::filesystem::exists(folder, failed) ||
            (std::filesystem::is_directory(folder, failed) && std::filesystem::is_empty(folder, failed)))
            return folder.u8string();
    }
}

namespace {

bool sameBytes(const std::filesystem::path& one, const std::filesystem::path& other, bool* same, Message* error) {
    Bytes first, second;
    if (!readFile(one.u8string(), &first, error) || !readFile(other.u8string(), &second, error)) return false;
    *same = first == second;
    return true;
}

bool isUnder(const std::filesystem::path& file, const std::filesystem::path& folder) {
    const std::filesystem::path relative = file.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

// Where the copy of source goes in target: its own name, else the first of
// "name-2", "name-3"... that is free or holds the same bytes.
bool placeFor(const std::filesystem::path& source, const std::filesystem::path& target, std::filesystem::path* place,
              bool* present, Message* error) {
    const std::filesystem::path stem = source.stem(), extension = source.extension();
    for (int number = 1;; ++number) {
        std::filesystem::path name = stem;
        if (number > 1) name += "-" + std::to_string(number);
        *place = target / (name += extension);
        std::error_code failed;
        if (!std::filesystem::exists(*place, failed)) {
            *present = false;
            return true;
        }
        if (!sameBytes(source, *place, present, error)) return false;
        if (*present) return true;
    }
}

}  // namespace

bool gatherFiles(const std::vector<std::string>& files, const std::string& folder, const std::string& subfolder,
                 GatherResult* result, Message* error) {
    *result = GatherResult();
    const std::filesystem::path base = toPath(folder).lexically_normal();
    const std::filesystem::path target = base / toPath(subfolder);
    for (const std::string& file : files) {
        const std::filesystem::path source = toPath(file).lexically_normal();
        std::error_code failed;
        if (isUnder(source, base) || !std::filesystem::is_regular_file(source, failed)) {
            result->missing += !std::filesystem::exists(source, failed);
            result->placed.push_back(source.u8string());
            continue;
        }
        std::filesystem::create_directories(target, failed);
        std::filesystem::path place;
        bool present = false;
        if (!placeFor(source, target, &place, &present, error)) return false;
        if (!present) {
            Bytes bytes;
            if (!readFile(source.u8string(), &bytes, error) || !writeFileAtomically(place.u8string(), bytes, error))
                return false;
            ++result->copied;
        }
        result->placed.push_back(place.u8string());
    }
    return true;
}
