#include "index/index_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "bench/literal_search.h"
#include "temp_index.h"

namespace {

// The pieces a text-mode stream read through fgets into 4,000 bytes gives.
std::vector<std::string> StreamPieces(const char* path) {
    std::vector<std::string> pieces;
    FILE* file = fopen(path, "rb");
    if (file == nullptr) return pieces;
    char line[kLineBufferSize];
    int length = 0;
    while (LiteralReadLine(line, sizeof line, file, &length) != nullptr)
        pieces.emplace_back(line, static_cast<size_t>(length));
    fclose(file);
    return pieces;
}

std::vector<std::string> ReaderPieces(const char* path, size_t blockSize = kReadBlockSize) {
    std::vector<std::string> pieces;
    IndexReader reader;
    if (!reader.Open(path, blockSize)) return pieces;
    char line[kLineBufferSize];
    size_t length = 0;
    while (reader.ReadLine(line, length)) {
        EXPECT_LE(length, kMaxLinePiece);
        EXPECT_EQ(line[length], '\0');
        pieces.emplace_back(line, length);
    }
    return pieces;
}

std::vector<std::string> BlockPieces(const char* path, size_t blockSize, std::string& joined) {
    std::vector<std::string> pieces;
    IndexReader reader;
    if (!reader.Open(path, blockSize)) return pieces;
    IndexBlock block;
    char line[kLineBufferSize];
    while (reader.NextBlock(block)) {
        EXPECT_GT(block.Size, 0u);
        joined.append(block.Data, block.Size);
        const char* end = block.Data + block.Size;
        for (const char* p = block.Data; p < end;) {
            const char* next = PieceEnd(p, end);
            pieces.emplace_back(line, TranslatePiece(p, next, line));
            p = next;
        }
    }
    return pieces;
}

// Small blocks make lines, CR LF pairs and cuts fall on block edges.
void ExpectSamePieces(const TempIndex& index, const std::string& bytes) {
    const std::vector<std::string> expected = StreamPieces(index.c_str());
    for (size_t blockSize : {kReadBlockSize, size_t(1), size_t(61), size_t(4099)}) {
        const std::vector<std::string> read = ReaderPieces(index.c_str(), blockSize);
        ASSERT_EQ(read.size(), expected.size()) << "blocks of " << blockSize;
        for (size_t i = 0; i < read.size(); ++i)
            ASSERT_EQ(read[i], expected[i]) << "piece " << i << ", blocks of " << blockSize;
        std::string joined;
        const std::vector<std::string> blocks = BlockPieces(index.c_str(), blockSize, joined);
        EXPECT_EQ(joined, bytes);
        EXPECT_EQ(blocks, expected);
    }
}

struct PieceCase {
    const char* Name;
    std::string Bytes;
    std::vector<size_t> Lengths;  // of the pieces, as read
};

class ReaderPieceTest : public ::testing::TestWithParam<PieceCase> {};

TEST_P(ReaderPieceTest, PiecesAsATextStreamGivesThem) {
    TempIndex index;
    index.Write(GetParam().Bytes);
    const std::vector<std::string> pieces = ReaderPieces(index.c_str());
    std::vector<size_t> lengths;
    for (const std::string& piece : pieces) lengths.push_back(piece.size());
    EXPECT_EQ(lengths, GetParam().Lengths);
    ExpectSamePieces(index, GetParam().Bytes);
}

const PieceCase kPieceCases[] = {
    {"Empty", "", {}},
    {"CrLfIsOneNewline", "ab\r\ncd\r\n", {3, 3}},
    {"LfAlone", "ab\ncd\n", {3, 3}},
    {"LastLineWithoutNewline", "ab\r\ncd", {3, 2}},
    {"LoneCrStays", "a\rb\r\r\n\r", {5, 1}},
    {"PieceAndNewline", std::string(3999, 'x') + "\r\n", {3999, 1}},
    {"PieceAndLf", std::string(3999, 'x') + "\n", {3999, 1}},
    {"ShortOfAPieceWithCrLf", std::string(3998, 'x') + "\r\n", {3999}},
    {"CrAtTheCut", std::string(3998, 'x') + "\ry\n", {3999, 2}},
    {"TwoPiecesAndRest", std::string(8000, 'x'), {3999, 3999, 2}},
    {"NulIsAByte", std::string("a\0b\r\n", 5), {4}},
    {"OnlyNewlines", "\n\r\n\n", {1, 1, 1}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ReaderPieceTest, ::testing::ValuesIn(kPieceCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(IndexReader, AgreesWithTheStreamAcrossBlocks) {
    // Lines of every awkward length, with CR at block edges and cuts, over several blocks.
    std::mt19937 random(7);
    for (int round = 0; round < 4; ++round) {
        std::string bytes;
        while (bytes.size() < (round < 2 ? 3 * kReadBlockSize + 12345 : 60000)) {
            const unsigned kind = random() % 10;
            size_t length = kind < 6   ? random() % 120
                            : kind < 8 ? 3990 + random() % 20
                            : kind < 9 ? 7990 + random() % 20
                                       : random() % 300000;
            std::string line(length, 'a' + static_cast<char>(random() % 26));
            if (length > 0 && random() % 5 == 0) line[random() % length] = '\r';
            if (length > 0 && random() % 9 == 0) line[random() % length] = '\0';
            const unsigned end = random() % 4;
            bytes += line + (end == 0 ? "\n" : end == 1 ? "\r" : "\r\n");
        }
        if (round % 2 == 1) bytes += "tail\r";
        TempIndex index;
        index.Write(bytes);
        ExpectSamePieces(index, bytes);
    }
}

TEST(IndexReader, OneLineLongerThanABlock) {
    const std::string bytes = std::string(5 * kReadBlockSize + 17, 'q') + "\r\n" + "x\r\n";
    TempIndex index;
    index.Write(bytes);
    ExpectSamePieces(index, bytes);
}

TEST(IndexReader, LinesAcrossTheMappedWindows) {
    // More than two windows of the mapped reading, with a long line over the first edge.
    std::string bytes;
    std::mt19937 random(11);
    while (bytes.size() < (4u << 20) - 3000) bytes += std::string(random() % 150, 'w') + "\r\n";
    bytes += std::string(9000, 'L') + "\r\n";
    while (bytes.size() < (9u << 20) + 77) bytes += std::string(random() % 150, 'v') + "\n";
    TempIndex index;
    index.Write(bytes);
    const std::vector<std::string> expected = StreamPieces(index.c_str());
    for (size_t blockSize : {kReadBlockSize, size_t(4099)}) {
        std::string joined;
        EXPECT_TRUE(BlockPieces(index.c_str(), blockSize, joined) == expected) << blockSize;
        EXPECT_TRUE(joined == bytes);
    }
}

TEST(IndexReader, MissingFileDoesNotOpen) {
    IndexReader reader;
    EXPECT_FALSE(reader.Open("no such folder/zade missing index.txt"));
    IndexBlock block;
    EXPECT_FALSE(reader.NextBlock(block));
}

}  // namespace
