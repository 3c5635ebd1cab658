// A file that cannot be mapped, such as a pipe, is read as a stream, with
// the same pieces.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <thread>

#include "index/index_reader.h"

namespace {

TEST(IndexReader, ReadsAPipeAsAStream) {
    const std::string path = ::testing::TempDir() + "zade_pipe_" + std::to_string(getpid());
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    std::string bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += "0000000" + std::to_string(i % 10) + " c:\\p\\" + std::to_string(i) + "\r\n";
    bytes += std::string(5000, 'z');
    std::thread writer([&] {
        FILE* out = fopen(path.c_str(), "wb");
        if (out == nullptr) return;
        fwrite(bytes.data(), 1, bytes.size(), out);
        fclose(out);
    });
    IndexReader reader;
    ASSERT_TRUE(reader.Open(path.c_str(), 1000));
    char line[kLineBufferSize];
    size_t length = 0;
    size_t pieces = 0;
    std::string joined;
    while (reader.ReadLine(line, length)) {
        ++pieces;
        joined.append(line, length);
    }
    writer.join();
    unlink(path.c_str());
    EXPECT_EQ(pieces, 3000u + 2);
    std::string expected = bytes;
    for (size_t at; (at = expected.find("\r\n")) != std::string::npos;) expected.erase(at, 1);
    EXPECT_EQ(joined, expected);
}

}  // namespace
