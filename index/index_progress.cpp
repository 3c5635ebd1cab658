#include "index/index_progress.h"

#include <cstring>

#include "index/folder_queue.h"

IndexProgressRecord IndexProgress;

void StatusText::Set(const char* text) {
    Set(text, std::strlen(text));
}

void StatusText::Set(const char* text, size_t length) {
    if (length > kStatusLineSize - 1) length = kStatusLineSize - 1;
    std::lock_guard<std::mutex> hold(Lock);
    std::memcpy(Text, text, length);
    Text[length] = '\0';
}

size_t StatusText::CopyTo(char* out, size_t outSize, size_t maxChars) const {
    if (outSize == 0) return 0;
    if (maxChars > outSize - 1) maxChars = outSize - 1;
    std::lock_guard<std::mutex> hold(Lock);
    size_t length = strnlen(Text, maxChars);
    std::memcpy(out, Text, length);
    out[length] = '\0';
    return length;
}

void StatusText::Clear() {
    Set("", 0);
}

void ResetIndexProgress() {
    IndexProgress.Done = 0;
    IndexProgress.EntryCount = 0;
    IndexProgress.ReadPos = 0;
    IndexProgress.QueueLength = 0;
    IndexProgress.Percent = 0;
    IndexProgress.StatusLine.Clear();
    IndexProgress.Failure = kBuildOk;
    FolderQueue.Clear();
}
