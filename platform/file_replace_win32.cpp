#include <windows.h>

#include "platform/file_replace.h"

bool ReplaceFileWith(const char* target, const char* source) {
    // A search that holds the old index open blocks the replace for a moment.
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION &&
            error != ERROR_LOCK_VIOLATION) {
            return false;
        }
        Sleep(50);
    }
    return false;
}

bool RemoveFileAt(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    return DeleteFileA(path) != 0;
}
