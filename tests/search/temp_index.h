// An index file of a test's own, written byte for byte and removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

class TempIndex {
public:
    TempIndex() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::random_device device;
        const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
        std::string name = info ? info->name() : "index";
        for (char& c : name)
            if (c == '/' || c == '\\') c = '_';
        Path = ::testing::TempDir() + "zade_" + name + "_" +
               std::to_string(device() ^ static_cast<unsigned>(tick)) + ".txt";
    }
    ~TempIndex() { std::remove(Path.c_str()); }
    TempIndex(const TempIndex&) = delete;
    TempIndex& operator=(const TempIndex&) = delete;

    void Write(const std::string& bytes) const {
        FILE* file = std::fopen(Path.c_str(), "wb");
        ASSERT_NE(file, nullptr) << Path;
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
        std::fclose(file);
    }

    const char* c_str() const { return Path.c_str(); }

    std::string Path;
};
