// Index files meant to trip a fast search up: pieces around the 3,999-byte
// cut, '?' runs, long trailing '.' and '-' runs, capitals, Latin-1 bytes,
// lines that hold no path, and (where the C library's reading of them is the
// reference) odd size fields.
#pragma once

#include <cstdio>
#include <random>
#include <string>

enum class LongLines {
    kNone,          // every line short, so that blocks take the fast way
    kAroundTheCut,  // some lines a few bytes short of or past one piece
    kManyPieces,    // and lines of several pieces
};

inline std::string AdversarialIndex(std::mt19937& random, size_t lineCount, bool oddSizes,
                                    LongLines longLines = LongLines::kManyPieces) {
    const bool aroundTheCut = longLines != LongLines::kNone;
    const bool manyPieces = longLines == LongLines::kManyPieces;
    static const char* const words[] = {"Holiday", "HOLIDAY", "holiday",   "My?Pictures", "a",
                                        "\xC4iti", "\xE4iti", "\xC9t\xE9", "Work",        "x-",
                                        "a*b",     "data.",   "AxB",       "???",         "?",
                                        "Pics",    "README",  "e"};
    static const char* const endings[] = {".jpg", ".JPG", ".jpeg", ".tiff", ".ra",   ".rar",
                                          ".RAR", ".zip", ".Zip",  ".it",   ".mpeg", ".rm",
                                          ".mp3", ".txt", "",      ".",     "-",     ".-"};
    auto pick = [&](auto& table) { return table[random() % (sizeof table / sizeof table[0])]; };
    auto path = [&]() {
        std::string p = random() % 4 == 0 ? "C:" : "c:";
        const unsigned depth = 1 + random() % 5;
        for (unsigned i = 0; i < depth; ++i) p += std::string("\\") + pick(words);
        p += pick(endings);
        return p;
    };
    auto size = [&]() {
        static const unsigned sizes[] = {0,         1,           1048575,    1048576,
                                         10485760,  104857599,   104857600,  629145599,
                                         629145600, 2147483648u, 4294967295u};
        char digits[16];
        snprintf(digits, sizeof digits, random() % 3 == 0 ? "%.8X" : "%.8x",
                 random() % 2 ? sizes[random() % 11] : static_cast<unsigned>(random()));
        return std::string(digits);
    };
    auto lineEnd = [&]() { return random() % 5 == 0 ? std::string("\n") : std::string("\r\n"); };

    std::string bytes;
    for (size_t n = 0; n < lineCount; ++n) {
        const unsigned kind = random() % 20;
        if (kind < 11) {
            bytes += size() + " " + path() + lineEnd();
        } else if (kind == 11) {  // a trailing run of 99 to 102 trim bytes
            std::string tail;
            const unsigned count = 99 + random() % 4;
            for (unsigned i = 0; i < count; ++i) tail += random() % 2 ? '.' : '-';
            bytes += size() + " " + path() + (random() % 2 ? ".zip" : "") + tail + lineEnd();
        } else if (kind == 12 && aroundTheCut) {  // a line whose length sits at the piece cut
            std::string p = size() + " " + path();
            const size_t target = 3985 + random() % 30;
            while (p.size() < target) p += random() % 7 == 0 ? "\\Holiday" : "?a";
            p.resize(target);
            bytes += p + lineEnd();
        } else if (kind == 13 && manyPieces) {  // a long line whose later pieces parse on their own
            std::string p = size() + " " + path();
            while (p.size() < 3999) p += "\\x";
            p.resize(3999);
            p += random() % 2 ? "1 c:\\Holiday.JPG" : " 2 c:\\second\\piece";
            if (random() % 3 == 0) p += std::string(4000, 'q') + "Holiday";
            bytes += p + lineEnd();
        } else if (kind == 14) {  // lines without a path, and stray bytes
            static const char* const odd[] = {"",
                                              "zz c:\\x",
                                              "0000",
                                              "   ",
                                              "\t\t",
                                              "\r",
                                              "4D2 c:\\x",
                                              "1ac:\\holiday",
                                              "\tff\tc:\\t ab",
                                              "g1 c:\\x",
                                              "00000001 c:\\a\rb",
                                              "00000001\xC4"};
            bytes += std::string(pick(odd)) + lineEnd();
        } else if (kind == 15) {  // a NUL inside the line
            std::string p = size() + " " + path();
            p[random() % p.size()] = '\0';
            bytes += p + lineEnd();
        } else if (kind == 16 && oddSizes) {
            static const char* const heads[] = {
                "-1", "+0x10", "0x", "0Xg", "123456789abcdef0", "10000000000000000", "-0", " +ff"};
            bytes += std::string(pick(heads)) + " " + path() + lineEnd();
        } else if (kind == 17) {  // several separators, and spaces in the path region
            bytes += size() + "  \t" + path() + " " + path() + lineEnd();
        } else {
            bytes += size() + " " + path() + lineEnd();
        }
    }
    if (random() % 2 == 0 && !bytes.empty() && bytes.back() == '\n') {
        bytes.pop_back();
        if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
    }
    return bytes;
}
