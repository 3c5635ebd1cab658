#include "index/index_line.h"

#include <cstdio>
#include <cstring>

namespace {

// The white space of the C locale, which ends a "%s" field.
inline bool IsCSpace(unsigned char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

inline int HexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

inline const char kHexDigits[] = "0123456789abcdef";

}  // namespace

size_t FormatIndexLine(const char* folder, const char* name, uint32_t size, char* out,
                       size_t outSize) {
    const size_t folderLength = strlen(folder);
    const size_t nameLength = strlen(name);
    // eight digits, a space, folder, separator, name, CR LF and a terminator
    const size_t lineLength = 8 + 1 + folderLength + 1 + nameLength + 2;
    if (out == nullptr || lineLength + 1 > outSize) return 0;

    char* p = out;
    for (int shift = 28; shift >= 0; shift -= 4) *p++ = kHexDigits[(size >> shift) & 0xF];
    *p++ = ' ';
    // Spaces become '?' so that the reader's "%s" takes the path whole.
    for (size_t i = 0; i < folderLength; ++i) *p++ = folder[i] == ' ' ? '?' : folder[i];
    *p++ = kPathSeparator;
    for (size_t i = 0; i < nameLength; ++i) *p++ = name[i] == ' ' ? '?' : name[i];
    *p++ = '\r';
    *p++ = '\n';
    *p = '\0';
    return lineLength;
}

bool ParseIndexLine(const char* line, size_t length, IndexEntry& entry, size_t* pathLength) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(line);
    const unsigned char* end = p + length;
    // A NUL ends the text as it would end a C string.
    auto at = [&](const unsigned char* q) -> unsigned char { return q < end ? *q : 0; };

    while (at(p) != 0 && IsCSpace(at(p))) ++p;

    bool negative = false;
    if (at(p) == '+' || at(p) == '-') {
        negative = at(p) == '-';
        ++p;
    }
    // The value is taken as an unsigned long of 64 bits, saturating on
    // overflow, then cut to 32 bits, as the C library's "%x" does.
    uint64_t value = 0;
    bool overflow = false;
    size_t digits = 0;
    if (at(p) == '0') {
        ++p;
        ++digits;
        if (at(p) == 'x' || at(p) == 'X') ++p;  // the prefix is taken even without digits after it
    }
    for (int v; (v = HexValue(at(p))) >= 0; ++p, ++digits) {
        if (value > (UINT64_MAX >> 4)) overflow = true;
        value = (value << 4) | static_cast<uint64_t>(v);
    }
    if (digits == 0) return false;
    if (overflow)
        value = UINT64_MAX;
    else if (negative)
        value = 0 - value;
    entry.Size = static_cast<uint32_t>(value);

    while (at(p) != 0 && IsCSpace(at(p))) ++p;
    if (at(p) == 0) return false;

    size_t n = 0;
    while (at(p) != 0 && !IsCSpace(at(p)) && n < kEntryPathSize - 1) {
        const char c = static_cast<char>(*p++);
        entry.Path[n++] = c == '?' ? ' ' : c;
    }
    entry.Path[n] = '\0';
    if (pathLength != nullptr) *pathLength = n;
    return true;
}

bool ParseIndexLine(const char* line, IndexEntry& entry) {
    return ParseIndexLine(line, strlen(line), entry, nullptr);
}

bool IndexPresent(const char* fileName) {
    FILE* file = fopen(fileName, "rb");
    if (file == nullptr) return false;
    fclose(file);
    return true;
}
