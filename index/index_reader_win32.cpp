// Windows reads the index through the stream alone: a mapped view would keep
// an index build in another process from replacing the file.
#include "index/index_reader.h"

bool IndexReader::OpenSource(const char* fileName) {
    return OpenStream(fopen(fileName, "rb"));
}

void IndexReader::CloseSource() {
    CloseStream();
}

bool IndexReader::Refill() {
    return RefillStream();
}
