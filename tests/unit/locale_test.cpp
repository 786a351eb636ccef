// Numbers in files and settings are written and read alike whatever the process locale: under a
// German locale the C library itself would write and read "2,5".
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "structfile/number_format.h"
#include "structfile/struct_file.h"
#include "xelmor/core/fix_refl.h"

namespace xelmor {
namespace {

class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            GTEST_SKIP() << "de_DE.UTF-8 locale not installed (scripts/install-deps makes it)";
    }
    void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }

private:
    std::string saved_;
};

TEST_F(GermanLocale, FormatterAndParsersKeepThePoint) {
    EXPECT_EQ(FormatNumber(2.5, 8), "2.5");
    EXPECT_EQ(FormatNumber(2.5e-5, 8), "2.5e-05");
    EXPECT_EQ(FormatNumber(-1234.125, 3), "-1234.125");
    EXPECT_DOUBLE_EQ(ParseDouble("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(ParseDouble("2,5"), 2.0); // a comma ends the number, as in the C locale
}

TEST_F(GermanLocale, CopiedLabPlanesKeepThePoint) {
    LabPlanes p;
    p.z = {1, 0.75, 0.25};
    EXPECT_EQ(LabPlanesText(p), "1, 0.75, 0.25\r\n0, 0, 0\r\n0, 0, 0");
    EXPECT_EQ(FormatG(1.5e-7), "1.5e-07");
}

TEST_F(GermanLocale, StructureFilesRoundTrip) {
    const char* text = "Test\n5.4309 6.25 7.5\n90 95.5 120\n1\nSi 0.25 0.5 0.125 0.75\n";
    const auto read = ParseStructure(text, StructDialect::Xelmor);
    ASSERT_TRUE(read.has_value());
    EXPECT_DOUBLE_EQ(read->a, 5.4309);
    EXPECT_DOUBLE_EQ(read->beta, 95.5);
    EXPECT_DOUBLE_EQ(read->atoms.at(0).occupancy, 0.75);
    const std::string written = FormatStructureXelmor(*read);
    EXPECT_NE(written.find("5.4309\t6.25\t7.5\t"), std::string::npos) << written;
    EXPECT_NE(written.find("Si\t0.25\t0.5\t0.125\t0.75\r\n"), std::string::npos) << written;
}

} // namespace
} // namespace xelmor
