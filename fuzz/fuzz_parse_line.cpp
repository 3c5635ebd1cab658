// ParseIndexLine against the C library's own sscanf(line, "%x %s").
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "index/index_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static char line[kLineBufferSize];
    static char path[kLineBufferSize];
    const size_t n = size < kMaxLinePiece ? size : kMaxLinePiece;
    memcpy(line, data, n);
    line[n] = '\0';

    IndexEntry entry;
    const bool parsed = ParseIndexLine(line, entry);
    IndexEntry bounded;
    size_t pathLength = 0;
    const bool parsedBounded = ParseIndexLine(line, n, bounded, &pathLength);
    if (parsed != parsedBounded) abort();
    if (parsed && (entry.Size != bounded.Size || strcmp(entry.Path, bounded.Path) != 0 ||
                   strlen(entry.Path) != pathLength))
        abort();

    unsigned value = 0;
    const int fields = sscanf(line, "%x %s", &value, path);
    if (parsed != (fields == 2)) abort();
    if (!parsed) return 0;
    for (char* p = path; *p != '\0'; ++p)
        if (*p == '?') *p = ' ';
    if (entry.Size != value || strcmp(entry.Path, path) != 0) abort();

    // What the writer makes of a parsed path reads back the same.
    char written[kLineBufferSize + 16];
    if (FormatIndexLine("c:", entry.Path, entry.Size, written, sizeof written) > 0) {
        IndexEntry again;
        if (!ParseIndexLine(written, again) || again.Size != entry.Size) abort();
        if (strncmp(again.Path, "c:", 2) != 0 || strcmp(again.Path + 3, entry.Path) != 0) abort();
    }
    return 0;
}
