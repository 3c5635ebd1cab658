// A search run written step by step the plain way: a text-mode line read into
// 4,000 bytes, sscanf "%x %s", byte-by-byte folding and plain tests, sharing
// no code with the search library. It is the yardstick the fast pass is timed
// against and the reference it must agree with.
#pragma once

#include <cstdio>

#include "search/search_view.h"

enum class LiteralLineRead {
    kTextStream,  // CR LF read as '\n' on every platform, through getc
    kStdioFgets,  // the C library's fgets on a stream opened "rt"
};

// Folding and the three tests, each written out plainly from its rule.
void LiteralFold(char* text);
bool LiteralSize(unsigned size, int sizeFilter);
bool LiteralType(const char* path, int typeFilter);
bool LiteralText(const char* path, const char* query);

// The same steps and view calls as RunSearch, with query as the query buffer.
void LiteralRunSearch(SearchView& view, char* query, int typeFilter, int sizeFilter,
                      int resultLimit, const char* indexFile,
                      LiteralLineRead lineRead = LiteralLineRead::kTextStream);

// One line read as a text-mode stream gives it into a buffer of size bytes;
// length, when given, receives its byte count, NUL bytes included.
char* LiteralReadLine(char* line, int size, FILE* file, int* length = nullptr);
