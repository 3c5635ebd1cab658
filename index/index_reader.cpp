#include "index/index_reader.h"

#include <cstring>

const char* PieceEnd(const char* begin, const char* end) {
    const size_t available = static_cast<size_t>(end - begin);
    // A piece's '\n' can sit at raw offset kMaxLinePiece when a CR precedes it.
    const size_t window = available < kMaxLinePiece + 1 ? available : kMaxLinePiece + 1;
    const char* lf = static_cast<const char*>(memchr(begin, '\n', window));
    if (lf != nullptr) {
        const size_t offset = static_cast<size_t>(lf - begin);
        if (offset < kMaxLinePiece) return lf + 1;
        if (offset == kMaxLinePiece && begin[offset - 1] == '\r') return lf + 1;
    }
    return available <= kMaxLinePiece ? end : begin + kMaxLinePiece;
}

size_t TranslatePiece(const char* begin, const char* pieceEnd, char* out) {
    size_t n = static_cast<size_t>(pieceEnd - begin);
    memcpy(out, begin, n);
    if (n >= 2 && out[n - 1] == '\n' && out[n - 2] == '\r') {
        out[n - 2] = '\n';
        --n;
    }
    out[n] = '\0';
    return n;
}

bool IndexReader::Open(const char* fileName, size_t blockSize) {
    Close();
    File = fopen(fileName, "rb");
    if (File == nullptr) return false;
    // Our own buffer does the buffering; the stream's would only add a copy.
    setvbuf(File, nullptr, _IONBF, 0);
    if (blockSize == 0) blockSize = 1;
    if (!Buffer || BlockSize != blockSize) {
        BlockSize = blockSize;
        BufferSize = blockSize + kLineBufferSize;
        Buffer.reset(new char[BufferSize]);
    }
    Filled = Consumed = LinePos = 0;
    AtEnd = false;
    Current = {nullptr, 0};
    return true;
}

void IndexReader::Close() {
    if (File != nullptr) fclose(File);
    File = nullptr;
}

bool IndexReader::Fill() {
    // Keep the unconsumed carry and top the buffer up behind it.
    const size_t carry = Filled - Consumed;
    if (Consumed > 0 && carry > 0) memmove(Buffer.get(), Buffer.get() + Consumed, carry);
    Filled = carry;
    Consumed = 0;
    while (!AtEnd && Filled < BufferSize) {
        const size_t got = fread(Buffer.get() + Filled, 1, BufferSize - Filled, File);
        Filled += got;
        if (got == 0) AtEnd = true;  // end of file or a read error
    }
    return Filled > 0;
}

bool IndexReader::NextBlock(IndexBlock& block) {
    if (File == nullptr) return false;
    if (Filled - Consumed < BlockSize && !AtEnd) Fill();
    for (;;) {
        char* const begin = Buffer.get() + Consumed;
        char* const end = Buffer.get() + Filled;
        if (begin == end) return false;
        size_t size = static_cast<size_t>(end - begin);
        if (!AtEnd) {
            const char* lf = nullptr;
            for (const char* p = end; p > begin;) {
                if (*--p == '\n') {
                    lf = p;
                    break;
                }
            }
            if (lf != nullptr) {
                size = static_cast<size_t>(lf + 1 - begin);
            } else if (Consumed > 0 || Filled < BufferSize) {
                Fill();  // make room for the rest of the line, then look again
                continue;
            } else {
                // A full buffer without '\n': end at the last piece cut that
                // leaves at least one byte, so that a CR LF is never split.
                size = (size - 1) / kMaxLinePiece * kMaxLinePiece;
            }
        }
        block = {begin, size};
        Consumed += size;
        return true;
    }
}

bool IndexReader::ReadLine(char line[kLineBufferSize], size_t& length) {
    if (Current.Data == nullptr || LinePos == Current.Size) {
        if (!NextBlock(Current)) return false;
        LinePos = 0;
    }
    const char* begin = Current.Data + LinePos;
    const char* end = PieceEnd(begin, Current.Data + Current.Size);
    length = TranslatePiece(begin, end, line);
    LinePos = static_cast<size_t>(end - Current.Data);
    return true;
}
