// A real build of one folder, started on a worker as the progress window does.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "../indexer/test_files.h"
#include "index/build_job.h"
#include "index/index_progress.h"

inline void BuildOnWorker(const std::string& root, const fs::path& index) {
    ASSERT_TRUE(ClaimIndexBuild());
    ResetIndexProgress();
    std::thread worker([&] { BuildFolderIndex(root.c_str(), index.string().c_str()); });
    worker.join();
    EXPECT_EQ(IndexProgress.Done, 1);
    EXPECT_FALSE(IndexBuildRunning());
}

// The paths of an index (size field dropped), '?' left as written.
inline std::vector<std::string> IndexPaths(const fs::path& index) {
    std::vector<std::string> paths;
    for (const std::string& line : IndexLines(index)) {
        EXPECT_GT(line.size(), 9u);
        EXPECT_EQ(line[8], ' ') << line;
        paths.push_back(line.substr(9));
    }
    return paths;
}

inline void ExpectNoRepeats(const std::vector<std::string>& paths) {
    std::set<std::string> seen;
    for (const std::string& p : paths) EXPECT_TRUE(seen.insert(p).second) << "twice: " << p;
}

inline size_t Depth(const std::string& path) {
    size_t depth = 0;
    for (char c : path) depth += c == '/';
    return depth;
}
