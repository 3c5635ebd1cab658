// FoldName and the three tests against plain reference forms of their rules.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "search/filters.h"
#include "search/fold.h"

namespace {

std::string ReferenceFold(std::string text) {
    for (int cut = 0; cut < 100 && !text.empty() && (text.back() == '.' || text.back() == '-');
         ++cut)
        text.pop_back();
    const std::string capitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC4\xD6\xC5";
    const std::string smalls = "abcdefghijklmnopqrstuvwxyz\xE4\xF6\xE5";
    for (char& c : text) {
        const size_t at = capitals.find(c);
        if (at != std::string::npos) c = smalls[at];
    }
    return text;
}

bool ReferenceType(const std::string& path, int type) {
    static const char* const lists[5][10] = {
        {nullptr},
        {".jar", ".rar", ".zip", ".ace"},
        {".mp3", ".mp2", ".wav", ".ra", ".xm", ".mod", ".it", ".s3m", ".au"},
        {".tif", ".tiff", ".gif", ".png", ".jpg", ".tga", ".bmp", ".psp", ".psd"},
        {".avi", ".mpg", ".mpeg", ".mov", ".rm"},
    };
    if (type == 0) return true;
    if (path.size() <= 4) return false;
    for (int i = 0; i < 10 && lists[type][i] != nullptr; ++i) {
        const std::string ending = lists[type][i];
        if (path.compare(path.size() - ending.size(), ending.size(), ending) == 0) return true;
    }
    return false;
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

    static const uint32_t thresholds[5] = {0, 1048576u, 10485760u, 104857600u, 629145600u};
    if (MatchesSize(entrySize, sizePosition) != (entrySize >= thresholds[sizePosition])) abort();
    if (MatchesType(folded.c_str(), type) != ReferenceType(folded, type)) abort();
    if (MatchesTypeEnding(folded.c_str(), folded.size(), type) != ReferenceType(folded, type))
        abort();
    const bool text = foldedQuery == "*" || folded.find(foldedQuery) != std::string::npos;
    if (MatchesText(folded.c_str(), foldedQuery.c_str()) != text) abort();
    return 0;
}
