// One search: a sequential pass over the index file.
#pragma once

#include <cstddef>

#include "index/index_line.h"
#include "search/search_view.h"

// The query box's text as of its last change; the run rewrites it in place
// ("*" for an empty query, then folded).
inline constexpr size_t kQueryTextSize = 4096;
extern char QueryText[kQueryTextSize];

inline constexpr int kDefaultResultLimit = 10000;

extern const char kSummaryFormat[];     // "Found %d results. Database contains total %d files."
extern const char kIndexMissingText[];  // the message for an index that cannot be opened

void RunSearch(SearchView& view, int typeFilter, int sizeFilter, int resultLimit,
               const char* indexFile = kIndexFileName);
