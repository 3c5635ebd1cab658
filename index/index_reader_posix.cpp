// A regular file is read through mapped windows, which spares the copy into
// a buffer; anything else, or a file that cannot be mapped, through the stream.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "index/index_reader.h"

namespace {

// Several blocks at a time; memory stays at one window whatever the file size.
constexpr size_t kWindowSize = 4u << 20;

}  // namespace

bool IndexReader::OpenSource(const char* fileName) {
    Descriptor = open(fileName, O_RDONLY | O_CLOEXEC);
    if (Descriptor < 0) return false;
    struct stat info;
    if (fstat(Descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        FileSize = static_cast<unsigned long long>(info.st_size);
        MapOffset = 0;
        if (Refill()) return true;
        AtEnd = false;
    }
    // Not a file that maps: read it as a stream from where it stands.
    const int descriptor = Descriptor;
    Descriptor = -1;
    FILE* stream = fdopen(descriptor, "rb");
    if (stream == nullptr) close(descriptor);
    return OpenStream(stream);
}

void IndexReader::CloseSource() {
    if (Map != nullptr) munmap(Map, MapLength);
    Map = nullptr;
    if (Descriptor >= 0) close(Descriptor);
    Descriptor = -1;
    CloseStream();
}

bool IndexReader::Refill() {
    if (Descriptor < 0) return RefillStream();
    if (AtEnd) return Available > Consumed;
    // The next window starts at the page that holds the first unconsumed byte.
    const unsigned long long position = MapOffset + (Data - Map) + Consumed;
    const unsigned long long page = static_cast<unsigned long long>(sysconf(_SC_PAGESIZE));
    const unsigned long long start = Map == nullptr ? 0 : position / page * page;
    const unsigned long long left = FileSize - start;
    const size_t length = left < kWindowSize ? static_cast<size_t>(left) : kWindowSize;
    if (Map != nullptr) munmap(Map, MapLength);
    Map = nullptr;
    void* window = length > 0 ? mmap(nullptr, length, PROT_READ, MAP_PRIVATE, Descriptor,
                                     static_cast<off_t>(start))
                              : MAP_FAILED;
    if (window == MAP_FAILED) {
        // Later on, a read error: the search ends with what it has read.
        Data = nullptr;
        Available = Consumed = 0;
        AtEnd = true;
        return false;
    }
    madvise(window, length, MADV_SEQUENTIAL);  // one pass, front to back
    Map = static_cast<char*>(window);
    MapLength = length;
    MapOffset = start;
    Data = Map + (position - start);
    Available = length - static_cast<size_t>(position - start);
    Consumed = 0;
    AtEnd = start + length >= FileSize;
    return Available > 0;
}
