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

namespace {

// The size of the block that starts at begin, of about want bytes, ending
// after a '\n' or at a piece cut; 0 when the bytes at hand do not yet show
// where it ends.
size_t CutBlock(const char* begin, const char* end, size_t want, bool atEnd) {
    const size_t available = static_cast<size_t>(end - begin);
    if (atEnd && available <= want) return available;
    const size_t head = available < want ? available : want;
    for (const char* p = begin + head; p > begin;)
        if (*--p == '\n') return static_cast<size_t>(p + 1 - begin);
    // One line runs past want: end after it, or at its last piece cut.
    const char* lf = static_cast<const char*>(memchr(begin + head, '\n', available - head));
    if (lf != nullptr) return static_cast<size_t>(lf + 1 - begin);
    if (atEnd) return available;
    // Leave at least one byte, so that a CR LF is never split.
    return available > kMaxLinePiece ? (available - 1) / kMaxLinePiece * kMaxLinePiece : 0;
}

}  // namespace

bool IndexReader::Open(const char* fileName, size_t blockSize) {
    Close();
    BlockSize = blockSize == 0 ? 1 : blockSize;
    Data = nullptr;
    Available = Consumed = LinePos = 0;
    AtEnd = false;
    Current = {nullptr, 0};
    Opened = OpenSource(fileName);
    return Opened;
}

void IndexReader::Close() {
    if (Opened) CloseSource();
    Opened = false;
    Data = nullptr;
    Available = Consumed = 0;
}

bool IndexReader::NextBlock(IndexBlock& block) {
    if (!Opened) return false;
    if (Available - Consumed < BlockSize && !AtEnd) Refill();
    for (;;) {
        if (Consumed == Available && !Refill()) return false;
        const char* begin = Data + Consumed;
        const size_t size = CutBlock(begin, Data + Available, BlockSize, AtEnd);
        if (size == 0) {
            if (!Refill()) return false;
            continue;
        }
        block = {begin, size};
        Consumed += size;
        return true;
    }
}

bool IndexReader::OpenStream(FILE* file) {
    File = file;
    if (File == nullptr) return false;
    // Our own buffer does the buffering; the stream's would only add a copy.
    setvbuf(File, nullptr, _IONBF, 0);
    const size_t size = BlockSize + kLineBufferSize;
    if (!Buffer || BufferSize != size) {
        BufferSize = size;
        Buffer.reset(new char[BufferSize]);
    }
    Data = Buffer.get();
    return true;
}

void IndexReader::CloseStream() {
    if (File != nullptr) fclose(File);
    File = nullptr;
}

bool IndexReader::RefillStream() {
    if (AtEnd) return Available > Consumed;
    const size_t carry = Available - Consumed;
    char* buffer = Buffer.get();
    if (Consumed > 0 && carry > 0) memmove(buffer, buffer + Consumed, carry);
    Available = carry;
    Consumed = 0;
    while (!AtEnd && Available < BufferSize) {
        const size_t got = fread(buffer + Available, 1, BufferSize - Available, File);
        Available += got;
        if (got == 0) AtEnd = true;  // end of file or a read error
    }
    return Available > Consumed;
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
