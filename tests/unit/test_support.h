// Fixtures shared by several unit test files: a fresh temporary folder per test with small file
// helpers, and the spots of cubic silicon in the unrotated transmission set-up.
#pragma once

#include "structfile/text_file.h"
#include "xelmor/core/spot.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace xelmor::test {

// The whole content of a file; a file that cannot be read fails the test and gives "".
inline std::string FileBytes(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
    return bytes;
}

// Gives every test a fresh folder of its own and removes it afterwards. The folder name holds
// the suite, the test and a clock reading, so that no two tests share one.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        dir_ =
            std::filesystem::temp_directory_path() / (std::string(info->test_suite_name()) + "_" +
                                                      info->name() + "_" + std::to_string(ticks));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    // The path of `name` inside the folder.
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    // Writes `bytes` unchanged into the file `name` of the folder and returns its path.
    std::string Put(const std::string& name, const std::string& bytes) const {
        std::ofstream out(dir_ / name, std::ios::binary);
        out << bytes;
        return Path(name);
    }

    std::filesystem::path dir_;
};

inline constexpr double kSiliconA = 5.431; // cubic lattice constant, Angstrom
inline constexpr double kDistance = 500.0; // crystal to film, 0.1 mm

// The spot of the reduced reflection (h k l) of cubic silicon in the unrotated transmission
// set-up (surface 0 0 1, horizontal 1 0 0), with the given kept harmonics and total intensity.
inline CDot SiliconSpot(int h, int k, int l, std::vector<Harmonic> harmonics, double intensity) {
    const double gx = h / kSiliconA, gy = k / kSiliconA, gz = l / kSiliconA;
    const double g = std::sqrt(gx * gx + gy * gy + gz * gz);
    const double sigma = gz / g;
    const double sx = 2 * sigma * gx / g, sy = 2 * sigma * gy / g, sz = 2 * sigma * sigma - 1;
    CDot s;
    s.h = h;
    s.k = k;
    s.l = l;
    s.x = sx * kDistance / std::fabs(sz);
    s.y = sy * kDistance / std::fabs(sz);
    s.lambda = 2 * sigma / g;
    s.d = 1 / g;
    s.intensity = intensity;
    s.harmonics = std::move(harmonics);
    return s;
}

} // namespace xelmor::test
