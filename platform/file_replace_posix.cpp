#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/file_replace.h"

bool ReplaceFileWith(const char* target, const char* source) {
    return std::rename(source, target) == 0;
}

bool RemoveFileAt(const char* path) {
    struct stat facts;
    if (lstat(path, &facts) != 0 || S_ISDIR(facts.st_mode)) return false;
    return unlink(path) == 0;
}
