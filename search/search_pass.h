// The loop of a search run: every piece of the index read, tested and, when
// it passes, handed to the view. Lines that cannot hold a result are skipped
// by scanning raw bytes; every piece still counts toward the total exactly as
// a line-by-line read would count it.
#pragma once

#include <cstdint>

#include "index/index_reader.h"
#include "search/scan_kernels.h"
#include "search/search_view.h"

struct SearchCounts {
    int32_t Results = 0;  // entries handed to the view
    int64_t Total = 0;    // pieces read, up to and including the last listed one at the limit
};

// Runs the loop over an open reader. foldedQuery is the query after folding.
SearchCounts SearchIndex(IndexReader& reader, SearchView& view, const char* foldedQuery,
                         int typeFilter, int sizeFilter, int resultLimit);
