// FoldName and the three tests against plain reference forms of their rules.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/literal_search.h"
#include "search/filters.h"
#include "search/fold.h"

namespace {

// The plain forms of the rules, as the step-by-step search has them.
std::string ReferenceFold(std::string text) {
    LiteralFold(&text[0]);
    text.resize(strlen(text.c_str()));
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6) return 0;
    const int type = data[0] % 5;
    const int sizePosition = data[1] % 5;
    uint32_t entrySize;
    memcpy(&entrySize, data + 2, 4);
    data += 6;
    size -= 6;
    // The rest is a path and a query, split at the first 0xFF.
    const uint8_t* split = static_cast<const uint8_t*>(memchr(data, 0xFF, size));
    const size_t pathLength = split ? static_cast<size_t>(split - data) : size;
    std::string path(reinterpret_cast<const char*>(data), pathLength);
    std::string query =
        split ? std::string(reinterpret_cast<const char*>(split + 1), size - pathLength - 1)
              : std::string();
    path = path.substr(0, strlen(path.c_str()));
    query = query.substr(0, strlen(query.c_str()));

    std::string folded = path;
    FoldName(&folded[0]);
    folded.resize(strlen(folded.c_str()));
    if (folded != ReferenceFold(path)) abort();
    std::string twice = folded;
    FoldName(&twice[0]);
    twice.resize(strlen(twice.c_str()));
    if (twice != ReferenceFold(folded)) abort();

    std::string foldedQuery = query;
    FoldName(&foldedQuery[0]);
    foldedQuery.resize(strlen(foldedQuery.c_str()));

    if (MatchesSize(entrySize, sizePosition) != LiteralSize(entrySize, sizePosition)) abort();
    const bool typed = LiteralType(folded.c_str(), type);
    if (MatchesType(folded.c_str(), type) != typed) abort();
    if (MatchesTypeEnding(folded.c_str(), folded.size(), type) != typed) abort();
    if (MatchesText(folded.c_str(), foldedQuery.c_str()) !=
        LiteralText(folded.c_str(), foldedQuery.c_str()))
        abort();
    return 0;
}
