// The search run over arbitrary index bytes, held against the plain
// step-by-step search: any difference in entries, results or total aborts.
//
// Input: type, size, limit, block size, scan level, query length, the query,
// then the index bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/literal_search.h"
#include "index/index_reader.h"
#include "search/fold.h"
#include "search/scan_kernels.h"
#include "search/search_pass.h"
#include "search/search_run.h"

namespace {

class Recording : public SearchView {
public:
    void EnableSearchButton(bool enable) override { Calls += enable ? 'E' : 'D'; }
    void ClearFoundList() override { Calls += 'C'; }
    void AddFoundEntry(const char* shown, const char* recorded) override {
        Calls += 'A';
        Entries.push_back(std::string(shown) + '\n' + recorded);
    }
    void SetStatusText(const char* text) override {
        Calls += 'S';
        Status = text;
    }
    void ShowMessage(const char*) override { Calls += 'M'; }
    std::string Calls;
    std::vector<std::string> Entries;
    std::string Status;
};

const std::string& IndexPath() {
    // In memory where the system offers it: every input is written anew.
    static const std::string path = [] {
        const char* tmp = getenv("TMPDIR");
        const std::string folder = tmp ? tmp : access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return folder + "/zade_fuzz_index_" + std::to_string(getpid()) + ".txt";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6) return 0;
    const int type = data[0] % 5;
    const int sizePosition = data[1] % 5;
    const int limit = data[2] < 200 ? data[2] % 20 : kDefaultResultLimit;
    const size_t blockSize = 1 + data[3] * 37u;
    const ScanLevel level = static_cast<ScanLevel>(data[4] % 3);
    const size_t queryLength = data[5] % 12;
    data += 6;
    size -= 6;
    if (queryLength > size) return 0;
    std::string query(reinterpret_cast<const char*>(data), queryLength);
    query.resize(strlen(query.c_str()));
    data += queryLength;
    size -= queryLength;

    FILE* file = fopen(IndexPath().c_str(), "wb");
    if (file == nullptr) abort();
    if (size > 0 && fwrite(data, 1, size, file) != size) abort();
    fclose(file);

    if (ScanLevelSupported(level)) ForceScanLevel(level);

    static char plainQuery[kQueryTextSize];
    memset(plainQuery, 0, sizeof plainQuery);
    memcpy(plainQuery, query.data(), query.size());
    Recording plain;
    LiteralRunSearch(plain, plainQuery, type, sizePosition, limit, IndexPath().c_str());

    memset(QueryText, 0, sizeof QueryText);
    memcpy(QueryText, query.data(), query.size());
    Recording fast;
    RunSearch(fast, type, sizePosition, limit, IndexPath().c_str());
    if (fast.Calls != plain.Calls || fast.Entries != plain.Entries || fast.Status != plain.Status ||
        strcmp(QueryText, plainQuery) != 0) {
        fprintf(stderr, "fast [%s] %zu entries, plain [%s] %zu entries\n", fast.Status.c_str(),
                fast.Entries.size(), plain.Status.c_str(), plain.Entries.size());
        abort();
    }

    // The same loop over small blocks, so that lines and cuts cross block edges.
    IndexReader reader;
    if (!reader.Open(IndexPath().c_str(), blockSize)) abort();
    Recording small;
    const SearchCounts counts = SearchIndex(reader, small, QueryText, type, sizePosition, limit);
    char summary[128];
    snprintf(summary, sizeof summary, kSummaryFormat, counts.Results,
             static_cast<int>(counts.Total));
    if (small.Entries != plain.Entries || summary != plain.Status) {
        fprintf(stderr, "blocks of %zu: [%s], plain [%s]\n", blockSize, summary,
                plain.Status.c_str());
        abort();
    }
    return 0;
}
