// The folder queue: order, no cap, storage that follows what waits.
#include "index/folder_queue.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PathQueue, FirstInFirstOutWithEveryLength) {
    PathQueue queue;
    const std::string paths[] = {"c:", "", std::string(70000, 'x'), "c:\\a b", "d"};
    for (const std::string& p : paths) queue.Append(p.data(), p.size());
    EXPECT_EQ(queue.Waiting(), std::size(paths));
    std::string out;
    for (const std::string& p : paths) {
        ASSERT_TRUE(queue.Take(out));
        EXPECT_EQ(out, p);
    }
    EXPECT_FALSE(queue.Take(out));
    EXPECT_EQ(queue.Waiting(), 0u);
}

TEST(PathQueue, StorageFollowsWhatWaitsNotWhatWasFound) {
    PathQueue queue;
    std::string path(100, 'f');
    std::string out;
    size_t peak = 0;
    // Two million folders pass through, never more than a thousand waiting.
    for (int i = 0; i < 2000000; ++i) {
        path.replace(0, 8, std::to_string(10000000 + i));
        queue.Append(path.data(), path.size());
        if (queue.Waiting() > 1000) {
            ASSERT_TRUE(queue.Take(out));
        }
        peak = std::max(peak, queue.StorageBytes());
    }
    EXPECT_LT(peak, 512u * 1024) << "a thousand paths of 100 bytes";
    while (queue.Take(out)) {
    }
    EXPECT_EQ(out.substr(0, 8), std::to_string(10000000 + 1999999));
    EXPECT_LE(queue.StorageBytes(), 64u * 1024) << "an empty queue keeps one spare chunk";
}

TEST(PathQueue, MoreThanAMillionWaiting) {
    PathQueue queue;
    for (int i = 0; i < 1100000; ++i) {
        std::string p = std::to_string(i);
        queue.Append(p.data(), p.size());
    }
    EXPECT_EQ(queue.Waiting(), 1100000u);
    std::string out;
    for (int i = 0; i < 1100000; ++i) {
        ASSERT_TRUE(queue.Take(out));
        ASSERT_EQ(out, std::to_string(i));
    }
    queue.Append("again", 5);
    queue.Clear();
    EXPECT_FALSE(queue.Take(out));
    EXPECT_LE(queue.StorageBytes(), 64u * 1024);
}

}  // namespace
