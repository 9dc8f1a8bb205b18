#pragma once
// What the file tests share, Qt-free: a scratch folder of the test's own and the
// whole bytes of a file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace tovarin::testing {

namespace fs = std::filesystem;

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A name in UTF-8, as the platform layer takes names, as a path of the system.
inline fs::path utf8Path(const std::string& name) {
    return fs::path(std::u8string(name.begin(), name.end()));
}

// A new empty folder of the test's own, removed after it.
class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && folder.empty(); ++attempt) {
            const fs::path candidate =
                fs::temp_directory_path() / ("tovarin-test-" + std::to_string(random()));
            if (fs::create_directory(candidate))
                folder = candidate;
        }
        ASSERT_FALSE(folder.empty());
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
};

} // namespace tovarin::testing
