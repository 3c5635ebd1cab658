// Times the search run against the plain step-by-step search, and against rg
// and grep where they are installed, on one synthetic (or given) index.
//
//   search_bench [--lines N] [--index FILE | FILE] [--runs R] [--keep]
//
// Without a file it writes a synthetic index of N lines (2,000,000 unless
// told) to TMPDIR and removes it afterwards unless --keep is given.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/literal_search.h"
#include "bench/search_synthetic_index.h"
#include "index/index_reader.h"
#include "search/filters.h"
#include "search/scan_kernels.h"
#include "search/search_run.h"

extern char** environ;

namespace {

class CountingView : public SearchView {
public:
    void EnableSearchButton(bool) override {}
    void ClearFoundList() override { Found = 0; }
    void AddFoundEntry(const char*, const char*) override { ++Found; }
    void SetStatusText(const char* text) override {
        Results = Total = -1;
        sscanf(text, "Found %d results. Database contains total %d files.", &Results, &Total);
    }
    void ShowMessage(const char* text) override { fprintf(stderr, "message: %s\n", text); }
    long Found = 0;
    int Results = -1;
    int Total = -1;
};

struct Case {
    const char* Name;
    const char* Query;
    int Type;
    int Size;
    bool Peers;  // also time rg and grep
};

const Case kCases[] = {
    {"holiday", "holiday", kTypeAll, kSizeAny, true},
    {"nothing", "qzxjvw", kTypeAll, kSizeAny, true},
    {"all_limit", "", kTypeAll, kSizeAny, false},
    {"size_600mb", "", kTypeAll, kSize600MB, false},
    {"holiday_picture_1mb", "holiday", kTypePicture, kSize1MB, false},
};

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

struct Timing {
    double Seconds = 0;
    int Results = -1;
    int Total = -1;
};

// Best of at least runs runs, and of more while they add up to less than a
// quarter of a second, so that short cases are not one noisy sample.
Timing TimeFast(const Case& c, const char* index, int runs) {
    Timing best;
    double spent = 0;
    for (int run = 0; run < runs || (spent < 0.25 && run < 200); ++run) {
        memset(QueryText, 0, sizeof QueryText);
        strcpy(QueryText, c.Query);
        CountingView view;
        const auto start = std::chrono::steady_clock::now();
        RunSearch(view, c.Type, c.Size, kDefaultResultLimit, index);
        const double s = Seconds(std::chrono::steady_clock::now() - start);
        spent += s;
        if (run == 0 || s < best.Seconds) best = {s, view.Results, view.Total};
    }
    return best;
}

Timing TimeLiteral(const Case& c, const char* index, int runs) {
    Timing best;
    static char query[kQueryTextSize];
    double spent = 0;
    for (int run = 0; run < runs || (spent < 0.25 && run < 50); ++run) {
        memset(query, 0, sizeof query);
        strcpy(query, c.Query);
        CountingView view;
        const auto start = std::chrono::steady_clock::now();
        LiteralRunSearch(view, query, c.Type, c.Size, kDefaultResultLimit, index,
                         LiteralLineRead::kStdioFgets);
        const double s = Seconds(std::chrono::steady_clock::now() - start);
        spent += s;
        if (run == 0 || s < best.Seconds) best = {s, view.Results, view.Total};
    }
    return best;
}

// Peak resident memory, in KiB, of a child that runs one search and nothing else.
long SearchPeakKiB(const Case& c, const char* index, bool literal) {
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        if (literal)
            TimeLiteral(c, index, 1);
        else
            TimeFast(c, index, 1);
        _exit(0);
    }
    int status = 0;
    struct rusage usage;
    if (wait4(child, &status, 0, &usage) < 0) return -1;
    return usage.ru_maxrss;
}

bool OnPath(const char* tool) {
    const char* path = getenv("PATH");
    if (path == nullptr) return false;
    std::string all = path;
    for (size_t start = 0; start <= all.size();) {
        size_t end = all.find(':', start);
        if (end == std::string::npos) end = all.size();
        const std::string candidate = all.substr(start, end - start) + "/" + tool;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

// Best wall time of a tool run; negative when it fails. Its output goes to a
// regular file: grep stops at the first match when it writes to /dev/null.
double TimeTool(std::vector<std::string> args, bool cLocale, int runs, const std::string& out) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e)
        if (!cLocale || (strncmp(*e, "LC_", 3) != 0 && strncmp(*e, "LANG", 4) != 0))
            env.push_back(*e);
    if (cLocale) env.push_back("LC_ALL=C");
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(&e[0]);
    envp.push_back(nullptr);

    double best = -1;
    for (int run = 0; run < runs; ++run) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        pid_t pid;
        const auto start = std::chrono::steady_clock::now();
        const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) return -1;
        int status = 0;
        waitpid(pid, &status, 0);
        const double s = Seconds(std::chrono::steady_clock::now() - start);
        if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) return -1;
        if (best < 0 || s < best) best = s;
    }
    return best;
}

// Bytes that the first `pieces` pieces of the index take.
double BytesOfPieces(const char* index, long long pieces) {
    IndexReader reader;
    if (!reader.Open(index)) return 0;
    IndexBlock block;
    double bytes = 0;
    long long seen = 0;
    while (seen < pieces && reader.NextBlock(block)) {
        const char* end = block.Data + block.Size;
        for (const char* p = block.Data; p < end && seen < pieces; ++seen) {
            const char* next = PieceEnd(p, end);
            bytes += static_cast<double>(next - p);
            p = next;
        }
    }
    return bytes;
}

long long FileBytes(const char* path) {
    FILE* f = fopen(path, "rb");
    if (f == nullptr) return -1;
    fseeko(f, 0, SEEK_END);
    const long long size = ftello(f);
    fclose(f);
    return size;
}

const char* LevelName(ScanLevel level) {
    return level == ScanLevel::kAvx2 ? "AVX2" : level == ScanLevel::kSse2 ? "SSE2" : "scalar";
}

}  // namespace

int main(int argc, char** argv) {
    long long lines = 2000000;
    std::string index;
    int runs = 5;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--lines" && i + 1 < argc)
            lines = atoll(argv[++i]);
        else if (arg == "--index" && i + 1 < argc)
            index = argv[++i];
        else if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, atoi(argv[++i]));
        else if (arg == "--keep")
            keep = true;
        else if (arg[0] != '-' && index.empty())
            index = arg;
        else {
            fprintf(stderr, "usage: %s [--lines N] [--index FILE | FILE] [--runs R] [--keep]\n",
                    argv[0]);
            return 2;
        }
    }
    const bool generated = index.empty();
    if (generated) {
        const char* tmp = getenv("TMPDIR");
        index = std::string(tmp != nullptr ? tmp : "/tmp") + "/zade_bench_index_" +
                std::to_string(getpid()) + ".txt";
        const auto start = std::chrono::steady_clock::now();
        if (!WriteSyntheticIndex(index.c_str(), lines)) {
            fprintf(stderr, "cannot write %s\n", index.c_str());
            return 1;
        }
        printf("wrote %lld lines to %s in %.1f s\n", lines, index.c_str(),
               Seconds(std::chrono::steady_clock::now() - start));
    }
    const long long fileBytes = FileBytes(index.c_str());
    if (fileBytes < 0) {
        fprintf(stderr, "cannot open %s\n", index.c_str());
        return 1;
    }
    printf("index %s: %.1f MB, scan level %s, best of %d runs (baseline: best of %d)\n",
           index.c_str(), fileBytes / 1e6, LevelName(CurrentScanLevel()), runs, std::min(runs, 2));

    // Warm the page cache once so that every contender reads from memory.
    TimeFast(kCases[1], index.c_str(), 1);

    const bool haveRg = OnPath("rg");
    const bool haveGrep = OnPath("grep");
    printf("\n%-20s %10s %8s %9s %12s %10s %8s %9s %8s %8s\n", "case", "lines", "results", "MB/s",
           "lines/s", "base MB/s", "x_base", "peer MB/s", "x_rg", "x_grep");
    std::vector<std::string> machine;
    bool agree = true;
    long peakFast = 0, peakLiteral = 0;
    for (const Case& c : kCases) {
        const Timing fast = TimeFast(c, index.c_str(), runs);
        const Timing plain = TimeLiteral(c, index.c_str(), std::min(runs, 2));
        if (fast.Results != plain.Results || fast.Total != plain.Total) {
            agree = false;
            printf("MISMATCH in %s: fast %d/%d, baseline %d/%d\n", c.Name, fast.Results, fast.Total,
                   plain.Results, plain.Total);
        }
        // What the run had to read: all of the file, or the lines up to the limit.
        const double bytes = BytesOfPieces(index.c_str(), fast.Total);
        const double mbps = bytes / 1e6 / fast.Seconds;
        const double baseMbps = bytes / 1e6 / plain.Seconds;
        double rgMbps = -1, grepMbps = -1;
        if (c.Peers && haveRg) {
            const double s =
                TimeTool({"rg", "-F", "-i", "-c", c.Query, index}, false, runs, index + ".count");
            if (s > 0) rgMbps = fileBytes / 1e6 / s;
        }
        if (c.Peers && haveGrep) {
            const double s =
                TimeTool({"grep", "-F", "-i", "-c", c.Query, index}, true, runs, index + ".count");
            if (s > 0) grepMbps = fileBytes / 1e6 / s;
        }
        char rgText[32] = "-", grepText[32] = "-", peerText[32] = "-";
        if (rgMbps > 0) snprintf(rgText, sizeof rgText, "%.2f", mbps / rgMbps);
        if (grepMbps > 0) snprintf(grepText, sizeof grepText, "%.2f", mbps / grepMbps);
        if (rgMbps > 0 || grepMbps > 0)
            snprintf(peerText, sizeof peerText, "%.0f/%.0f", rgMbps, grepMbps);
        printf("%-20s %10d %8d %9.0f %12.0f %10.0f %8.1f %9s %8s %8s\n", c.Name, fast.Total,
               fast.Results, mbps, fast.Total / fast.Seconds, baseMbps,
               plain.Seconds / fast.Seconds, peerText, rgText, grepText);
        char line[256];
        int n = snprintf(line, sizeof line, "case=%s lines=%d results=%d mbps=%.0f x_baseline=%.1f",
                         c.Name, fast.Total, fast.Results, mbps, plain.Seconds / fast.Seconds);
        if (rgMbps > 0) n += snprintf(line + n, sizeof line - n, " x_rg=%.2f", mbps / rgMbps);
        if (grepMbps > 0) snprintf(line + n, sizeof line - n, " x_grep=%.2f", mbps / grepMbps);
        machine.push_back(line);
        peakFast = std::max(peakFast, SearchPeakKiB(c, index.c_str(), false));
        peakLiteral = std::max(peakLiteral, SearchPeakKiB(c, index.c_str(), true));
    }
    printf("\npeak memory of one search process: %ld KiB (baseline %ld KiB)\n", peakFast,
           peakLiteral);
    if (haveRg && haveGrep)
        printf("peers: rg -F -i -c and LC_ALL=C grep -F -i -c on the same file (MB/s rg/grep)\n");
    printf("\n");
    for (const std::string& line : machine) printf("%s\n", line.c_str());
    printf("peak_kib=%ld agree=%s\n", peakFast, agree ? "yes" : "no");
    remove((index + ".count").c_str());
    if (generated && !keep) remove(index.c_str());
    return agree ? 0 : 1;
}
