#include "ui/shell_path.h"

#include <cstring>

namespace {

bool IsDriveStart(const char* path) {
    return path[0] >= 'a' && path[0] <= 'z' && path[1] == ':';
}

}  // namespace

bool IsLocalDrivePath(const char* path) {
    return path && IsDriveStart(path) && path[2] == '\\';
}

bool IsLocalFolderPath(const char* path) {
    return path && IsDriveStart(path) && (path[2] == '\0' || path[2] == '\\');
}

void CutAtLastBackslash(char* path) {
    for (size_t i = std::strlen(path); i >= 1; --i) {
        if (path[i] == '\\') {
            path[i] = '\0';
            return;
        }
    }
}
