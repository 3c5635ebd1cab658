// The parse must read every line as the C library's sscanf(line, "%x %s")
// does; glibc is the reference.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "index/index_line.h"

namespace {

void ExpectSameAsSscanf(const std::string& line) {
    unsigned size = 0;
    static char path[kLineBufferSize + 1];
    const int fields = sscanf(line.c_str(), "%x %s", &size, path);
    IndexEntry entry;
    const bool parsed = ParseIndexLine(line.c_str(), entry);
    ASSERT_EQ(parsed, fields == 2) << "line [" << line << "]";
    if (!parsed) return;
    for (char* p = path; *p != '\0'; ++p)
        if (*p == '?') *p = ' ';
    EXPECT_EQ(entry.Size, size) << "line [" << line << "]";
    EXPECT_EQ(std::string(entry.Path), std::string(path)) << "line [" << line << "]";
}

TEST(ParseIndexLine, MatchesSscanfOnAdversarialLines) {
    const char* const heads[] = {"",   " ",  "\t", "\v\f", "\r\n", "+", "-",    "+-",  "0",
                                 "00", "0x", "0X", "-0x",  "+0X",  "x", "0x0x", "  -", "--1"};
    const char* const digits[] = {"",
                                  "0",
                                  "7",
                                  "f",
                                  "F",
                                  "4D2",
                                  "ffffffff",
                                  "100000000",
                                  "123456789abcdef",
                                  "fffffffffffffffff",
                                  "10000000000000000",
                                  "0000000000000000000000001",
                                  "g",
                                  "G1"};
    const char* const tails[] = {"",     " ",     " c:\\x", "c:\\x",     "\tc:\\x y", " ?a?",
                                 "\r\n", " \r\n", "x",      " \xC4\xFF", "  \v ",     ":\\x"};
    for (const char* head : heads)
        for (const char* digit : digits)
            for (const char* tail : tails) ExpectSameAsSscanf(std::string(head) + digit + tail);
}

TEST(ParseIndexLine, MatchesSscanfOnRandomLines) {
    std::mt19937 random(12345);
    const std::string alphabet = "0123456789abcdefABCDEFxX+- \t\r\n\v\f?:\\.\xC4\xE9\x7f\x01";
    for (int round = 0; round < 20000; ++round) {
        std::string line;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            const unsigned pick = random() % 8;
            line += pick == 0 ? static_cast<char>(1 + random() % 255)
                              : alphabet[random() % alphabet.size()];
        }
        ExpectSameAsSscanf(line);
    }
}

}  // namespace
