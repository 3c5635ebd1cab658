// Temporary folders and whole-file reads for the indexer's tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/path_form.h"

namespace fs = std::filesystem;

// Turns '\' into the platform's separator, so expected paths read as on Windows.
inline std::string Sep(std::string path) {
    for (char& c : path) {
        if (c == '\\') c = kPathSeparator;
    }
    return path;
}

inline std::string ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteWhole(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The lines of an index, line ends removed; fails the test on a line
// without CR LF.
inline std::vector<std::string> IndexLines(const fs::path& file) {
    std::string bytes = ReadWhole(file);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "line without CR LF at the end of " << file;
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        Path = fs::temp_directory_path() /
               ("zade-indexer-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        fs::create_directories(Path);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::permissions(Path, fs::perms::all, ignored);
        fs::remove_all(Path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    fs::path operator/(const std::string& name) const { return Path / name; }
    std::string Text() const { return Path.string(); }

    fs::path Path;
};
