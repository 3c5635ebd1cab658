// A folder of the test's own under the temporary folder, made the current
// directory while the test runs, so that index.txt never lands anywhere else.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

inline void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((path + "\\*").c_str(), &found);
    if (listing != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(listing, &found));
        FindClose(listing);
    }
    RemoveDirectoryA(path.c_str());
}

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ScratchFolder {
public:
    // Makes %TEMP%\zade-<suite>-<process>-<test> afresh and enters it.
    ::testing::AssertionResult Enter(const char* suite) {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        Folder = std::string(temp) + "zade-" + suite + "-" + std::to_string(GetCurrentProcessId()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : Folder)
            if (c == '/') c = '_';
        RemoveTree(Folder);
        if (!CreateDirectoryA(Folder.c_str(), nullptr))
            return ::testing::AssertionFailure() << "cannot make " << Folder;
        char saved[MAX_PATH];
        GetCurrentDirectoryA(sizeof saved, saved);
        Saved = saved;
        if (!SetCurrentDirectoryA(Folder.c_str()))
            return ::testing::AssertionFailure() << "cannot enter " << Folder;
        return ::testing::AssertionSuccess();
    }

    // Back to the earlier current directory; the folder goes with its content.
    void Leave() {
        if (Folder.empty()) return;
        SetCurrentDirectoryA(Saved.c_str());
        RemoveTree(Folder);
        Folder.clear();
    }

    const std::string& Path() const { return Folder; }

private:
    std::string Folder;
    std::string Saved;
};
