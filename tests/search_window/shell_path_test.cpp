// Which paths may reach the shell, and how Open folder cuts a path.
#include "ui/shell_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PathCase {
    const char* Path;
    bool Entry;   // IsLocalDrivePath
    bool Folder;  // IsLocalFolderPath
};

const PathCase kPaths[] = {
    {"c:\\dir\\name.ext", true, true},
    {"z:\\", true, true},
    {"c:", false, true},
    {"c:name", false, false},
    {"C:\\dir", false, false},
    {"", false, false},
    {"c", false, false},
    {"\\\\server\\share\\x.exe", false, false},
    {"http://example.org/", false, false},
    {"mailto:someone@example.org", false, false},
    {"\\dir\\name", false, false},
    {"1:\\dir", false, false},
    {"\xC4:\\dir", false, false},
};

TEST(ShellPath, OnlyTheIndexWritersFormReachesTheShell) {
    for (const PathCase& c : kPaths) {
        EXPECT_EQ(IsLocalDrivePath(c.Path), c.Entry) << c.Path;
        EXPECT_EQ(IsLocalFolderPath(c.Path), c.Folder) << c.Path;
    }
    EXPECT_FALSE(IsLocalDrivePath(nullptr));
    EXPECT_FALSE(IsLocalFolderPath(nullptr));
}

struct CutCase {
    const char* Path;
    const char* Folder;
};

const CutCase kCuts[] = {
    {"c:\\dir\\sub\\name.ext", "c:\\dir\\sub"},
    {"c:\\dir\\sub", "c:\\dir"},
    {"c:\\name.ext", "c:"},
    {"c:\\dir\\", "c:\\dir"},
    {"name", "name"},
    {"\\name", "\\name"},  // position 0 is never cut
    {"\\\\", "\\"},
    {"", ""},
};

TEST(ShellPath, FolderIsThePathCutAtItsLastBackslash) {
    for (const CutCase& c : kCuts) {
        std::string buffer(c.Path);
        buffer.push_back('\0');
        CutAtLastBackslash(&buffer[0]);
        EXPECT_STREQ(buffer.c_str(), c.Folder) << c.Path;
    }
}

}  // namespace
