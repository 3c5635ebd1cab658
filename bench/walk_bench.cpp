// The real index build over one folder, timed beside find on the same warm tree.
//
//   walk_bench DIR OUT    writes the index of DIR to OUT, and find's listing to OUT.find
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "index/build_job.h"
#include "index/index_progress.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Runs find DIR -printf '%s %p\n' > out; returns its time, or a negative value.
double TimeFind(const char* folder, const std::string& out) {
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        if (!std::freopen(out.c_str(), "w", stdout)) _exit(127);
        execlp("find", "find", folder, "-printf", "%s %p\n", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return -1;
    double seconds = Seconds(start);
    // find reports unreadable folders with status 1 and still lists the rest.
    return WIFEXITED(status) && WEXITSTATUS(status) <= 1 ? seconds : -1;
}

long CountLines(const std::string& file) {
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (!in) return -1;
    long lines = 0;
    char buffer[1 << 16];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        for (size_t i = 0; i < got; ++i) lines += buffer[i] == '\n';
    }
    std::fclose(in);
    return lines;
}

double TimeBuild(const char* folder, const char* out) {
    ClaimIndexBuild();
    ResetIndexProgress();
    auto start = std::chrono::steady_clock::now();
    std::thread worker([&] { BuildFolderIndex(folder, out); });
    worker.join();
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DIR OUT\n", argv[0]);
        return 2;
    }
    const char* folder = argv[1];
    const char* out = argv[2];
    const std::string findOut = std::string(out) + ".find";

    // One pass of each to warm the cache, then the best of three.
    TimeFind(folder, findOut);
    double build = 1e30, find = 1e30;
    for (int round = 0; round < 3; ++round) {
        build = std::min(build, TimeBuild(folder, out));
        if (IndexProgress.Failure != kBuildOk) {
            std::fprintf(stderr, "the build failed (%d)\n", int{IndexProgress.Failure});
            return 1;
        }
        double f = TimeFind(folder, findOut);
        if (f < 0) {
            std::fprintf(stderr, "find failed\n");
            return 1;
        }
        find = std::min(find, f);
    }
    const long entries = IndexProgress.EntryCount;
    const long findEntries = CountLines(findOut) - 1;  // find lists the folder itself too
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    const double rate = entries / build;
    const double findRate = findEntries / find;
    std::printf("entries:        %ld (find: %ld)\n", entries, findEntries);
    std::printf("build:          %.3f s, %.0f entries/s\n", build, rate);
    std::printf("find -printf:   %.3f s, %.0f entries/s\n", find, findRate);
    std::printf("ratio to find:  %.2f\n", rate / findRate);
    std::printf("peak memory:    %ld KB\n", usage.ru_maxrss);
    std::printf("case=walk entries=%ld entries_per_s=%.0f x_find=%.2f peak_kb=%ld\n", entries, rate,
                rate / findRate, usage.ru_maxrss);
    return 0;
}
