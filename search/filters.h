// The three tests a found entry must pass, and the filter positions.
#pragma once

#include <cstddef>
#include <cstdint>

// Positions of the type list, which sorts its labels.
enum TypeFilterPosition { kTypeAll = 0, kTypeArchive, kTypeAudio, kTypePicture, kTypeVideo };
// Positions of the size list, in insertion order.
enum SizeFilterPosition { kSizeAny = 0, kSize1MB, kSize10MB, kSize100MB, kSize600MB };
inline constexpr int kFilterPositions = 5;

// The endings of a type position, in the order they are tried, ending with
// nullptr; for "ALL" (and positions outside the list) an empty list.
const char* const* TypeEndings(int typeFilter);

bool MatchesSize(uint32_t size, int sizeFilter);
bool MatchesType(const char* foldedPath, int typeFilter);
// MatchesType for a path whose length is already known.
bool MatchesTypeEnding(const char* foldedPath, size_t length, int typeFilter);
bool MatchesText(const char* foldedPath, const char* foldedQuery);
