#include "files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

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
