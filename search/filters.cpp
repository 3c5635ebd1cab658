#include "search/filters.h"

#include <cstring>

namespace {

// Each list ends with nullptr; the order is the order the endings are tried in.
const char* const kArchiveEndings[] = {".jar", ".rar", ".zip", ".ace", nullptr};
const char* const kAudioEndings[] = {".mp3", ".mp2", ".wav", ".ra", ".xm",
                                     ".mod", ".it",  ".s3m", ".au", nullptr};
const char* const kPictureEndings[] = {".tif", ".tiff", ".gif", ".png", ".jpg",
                                       ".tga", ".bmp",  ".psp", ".psd", nullptr};
const char* const kVideoEndings[] = {".avi", ".mpg", ".mpeg", ".mov", ".rm", nullptr};

const char* const kNoEndings[] = {nullptr};

const char* const* const kEndingsByPosition[kFilterPositions] = {
    kNoEndings, kArchiveEndings, kAudioEndings, kPictureEndings, kVideoEndings};

// Smallest size that passes, by size position; one megabyte is 1,048,576 bytes.
constexpr uint32_t kMinimumSize[kFilterPositions] = {0, 1u << 20, 10u << 20, 100u << 20,
                                                     600u << 20};

// Paths this short never pass a category but "ALL".
constexpr size_t kShortestTypedPath = 5;

}  // namespace

const char* const* TypeEndings(int typeFilter) {
    if (typeFilter <= kTypeAll || typeFilter >= kFilterPositions) return kNoEndings;
    return kEndingsByPosition[typeFilter];
}

bool MatchesSize(uint32_t size, int sizeFilter) {
    if (sizeFilter <= kSizeAny || sizeFilter >= kFilterPositions) return true;
    return size >= kMinimumSize[sizeFilter];
}

bool MatchesTypeEnding(const char* foldedPath, size_t length, int typeFilter) {
    if (typeFilter <= kTypeAll || typeFilter >= kFilterPositions) return true;
    if (length < kShortestTypedPath) return false;
    for (const char* const* ending = TypeEndings(typeFilter); *ending != nullptr; ++ending) {
        const size_t n = strlen(*ending);
        if (memcmp(foldedPath + length - n, *ending, n) == 0) return true;
    }
    return false;
}

bool MatchesType(const char* foldedPath, int typeFilter) {
    return MatchesTypeEnding(foldedPath, strlen(foldedPath), typeFilter);
}

bool MatchesText(const char* foldedPath, const char* foldedQuery) {
    if (foldedQuery[0] == '*' && foldedQuery[1] == '\0') return true;
    return strstr(foldedPath, foldedQuery) != nullptr;
}
