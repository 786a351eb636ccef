// Tests of installing a spectrum into the parameter set, the load of the default spectrum with
// its fallback to the delivered file, and the data files delivered in the program folder.
#include "xelmor/files/spectrum_file.h"

#include "structfile/struct_file.h"
#include "structfile/text_file.h"
#include "tests/unit/test_support.h"
#include "xelmor/files/archive.h"
#include "xelmor/files/settings_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace xelmor {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

// The delivered data files in the source tree (the build copies them into the program folder).
const std::string kDataDir = std::string(XELMOR_TEST_DATA) + "/../../data/";
const std::string kDeliveredName = "NSLS bending magnet, Ec = 7.1 keV";
constexpr int kDeliveredSamples = 291;

// The wavelength grid of the delivered spectrum is printed from 0.1 + i * 0.01.
constexpr double kGridStep = 0.01;
constexpr double kGridTolerance = 1e-12;

Message Msg(std::string text, MsgIcon icon) {
    Message m;
    m.text = std::move(text);
    m.icon = icon;
    return m;
}

using test::FileBytes;

// A program folder of its own for each test, holding a copy of the delivered spectrum.
class SpectrumDefaultLoad : public test::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        fs::copy_file(kDataDir + "NSLS-BM.spct", dir_ / "NSLS-BM.spct");
        // Every load starts from a parameter set that holds another spectrum.
        InstallSpectrum(params_, Spectrum{"Previous", {0.3, 0.4}, {1, 0.5}}, "/old/prev.spct");
    }

    std::string ProgramDir() const { return dir_.string(); }

    CParameterSet params_;
    MemorySettingsStore store_;
};

TEST_F(SpectrumDefaultLoad, WithoutAStoredPathTheDeliveredSpectrumIsLoaded) {
    const std::string delivered = DeliveredSpectrumPath(ProgramDir());
    EXPECT_EQ(LoadDefaultSpectrum(params_, store_, ProgramDir()), std::nullopt);
    EXPECT_EQ(params_.m_strSpectrumFile, delivered);
    EXPECT_EQ(params_.m_strSpectrumName, kDeliveredName);
    EXPECT_EQ(params_.nSpectrum(), kDeliveredSamples);

    // An empty stored path counts as none.
    WriteDefaultSpectrumPath(store_, "");
    InstallSpectrum(params_, Spectrum{"Previous", {0.3, 0.4}, {1, 0.5}}, "/old/prev.spct");
    EXPECT_EQ(LoadDefaultSpectrum(params_, store_, ProgramDir()), std::nullopt);
    EXPECT_EQ(params_.m_strSpectrumFile, delivered);
    EXPECT_EQ(params_.nSpectrum(), kDeliveredSamples);
}

TEST_F(SpectrumDefaultLoad, StoredFilesAreReadByTheirKind) {
    ArchiveWriter obsolete;
    obsolete.WriteString("Xelmorscope.Spectrum");
    for (int i = 0; i < kObsoleteSpectrumSamples; ++i)
        obsolete.WriteDouble(2.0);
    struct Case {
        std::string name;
        std::string bytes;
        Spectrum expectedHead; // name and the first two samples
        int count;
    };
    const Case cases[] = {
        {"mine.spct", "Name: Mine\r\n0.5 2\r\n0.6 4\r\n", {"Mine", {0.5, 0.6}, {0.5, 1}}, 2},
        {"tube.txt", "Name: Tube\r\n0.5 2\r\n0.6 4\r\n", {"Tube", {0.5, 0.6}, {0.5, 1}}, 2},
        {"old.Spectrum", obsolete.Bytes(), {"", {0, 0.01}, {2, 2}}, kObsoleteSpectrumSamples},
    };
    for (const Case& c : cases) {
        const std::string path = Put(c.name, c.bytes);
        WriteDefaultSpectrumPath(store_, path);
        EXPECT_EQ(LoadDefaultSpectrum(params_, store_, ProgramDir()), std::nullopt) << c.name;
        EXPECT_EQ(params_.m_strSpectrumFile, path);
        ASSERT_EQ(params_.nSpectrum(), c.count) << c.name;
        Spectrum head = SpectrumOf(params_);
        head.wavelength.resize(2);
        head.intensity.resize(2);
        EXPECT_EQ(head, c.expectedHead) << c.name;
    }
}

TEST_F(SpectrumDefaultLoad, AFailedLoadLeavesNoSpectrumAndDoesNotFallBack) {
    const std::string missingSpct = Path("gone.spct");
    const std::string missingObsolete = Path("gone.SPECTRUM");
    const std::string invalid = Put("invalid.spct", "Name: Flat\r\n0.1 0\r\n0.2 0\r\n");
    const std::string broken = Put("broken.spectrum", "\x14"s + "Xelmorscope.Spectrum");
    struct Case {
        std::string stored;
        Message message;
    };
    const Case cases[] = {
        {missingSpct, Msg("Spectrum " + missingSpct + " not found!", MsgIcon::Stop)},
        {missingObsolete, Msg(missingObsolete + " not found!", MsgIcon::Stop)},
        {invalid, Msg("No (enough) valid data in " + invalid + ". Please check the file format.",
                      MsgIcon::None)},
        {broken, Msg("Failed to load the file!", MsgIcon::Stop)},
    };
    for (const Case& c : cases) {
        InstallSpectrum(params_, Spectrum{"Previous", {0.3, 0.4}, {1, 0.5}}, "/old/prev.spct");
        WriteDefaultSpectrumPath(store_, c.stored);
        // The delivered file lies in the program folder, yet a stored path that fails is not
        // replaced by it: the pattern starts without a spectrum.
        EXPECT_EQ(LoadDefaultSpectrum(params_, store_, ProgramDir()), c.message) << c.stored;
        EXPECT_EQ(params_.nSpectrum(), 0) << c.stored;
        EXPECT_TRUE(params_.m_Wavelength.empty() && params_.m_Intensity.empty()) << c.stored;
        EXPECT_EQ(params_.m_strSpectrumName, "") << c.stored;
        EXPECT_EQ(params_.m_strSpectrumFile, "") << c.stored;
    }
}

TEST_F(SpectrumDefaultLoad, MissingDeliveredFileIsReported) {
    fs::remove(dir_ / "NSLS-BM.spct");
    const std::string delivered = DeliveredSpectrumPath(ProgramDir());
    EXPECT_EQ(LoadDefaultSpectrum(params_, store_, ProgramDir()),
              Msg("Spectrum " + delivered + " not found!", MsgIcon::Stop));
    EXPECT_EQ(params_.nSpectrum(), 0);
    EXPECT_EQ(params_.m_strSpectrumFile, "");
}

TEST(SpectrumInstall, ReplacesTheWholeSpectrumOfTheParameterSet) {
    CParameterSet p;
    InstallSpectrum(p, Spectrum{"First", {0.1, 0.2, 0.3}, {1, 0.5, 0.25}}, "/a/first.spct");
    // Arrays of unequal length are cut to the shorter, so that they stay in step.
    InstallSpectrum(p, Spectrum{"Second", {0.5, 0.6, 0.7}, {0.2, 1}}, "/b/second.spct");
    EXPECT_EQ(p.m_strSpectrumName, "Second");
    EXPECT_EQ(p.m_strSpectrumFile, "/b/second.spct");
    EXPECT_EQ(p.m_Wavelength, (std::vector<double>{0.5, 0.6}));
    EXPECT_EQ(p.m_Intensity, (std::vector<double>{0.2, 1}));
    EXPECT_EQ(SpectrumOf(p), (Spectrum{"Second", {0.5, 0.6}, {0.2, 1}}));
}

TEST(SpectrumDeliveredData, NslsBendingMagnetSpectrumReadsAndRewritesByteForByte) {
    const std::string path = kDataDir + "NSLS-BM.spct";
    const SpectrumReadResult r = ReadSpctFile(path);
    ASSERT_TRUE(r.spectrum) << r.message.text;
    const Spectrum& s = *r.spectrum;
    EXPECT_EQ(s.name, kDeliveredName);
    ASSERT_EQ(s.Count(), kDeliveredSamples);
    EXPECT_EQ(*std::max_element(s.intensity.begin(), s.intensity.end()), 1.0);
    EXPECT_EQ(s.wavelength.front(), 0.1);
    EXPECT_EQ(s.wavelength.back(), 3.0);
    for (int i = 1; i < s.Count(); ++i) {
        ASSERT_NEAR(s.wavelength[i] - s.wavelength[i - 1], kGridStep, kGridTolerance) << i;
        ASSERT_GT(s.intensity[i], 0.0) << i;
    }
    EXPECT_EQ(FormatSpct(s), FileBytes(path));
}

TEST(SpectrumDeliveredData, GaAsStructureIsTessalunesOwnOutput) {
    const std::string path = kDataDir + "GaAs.struct";
    const StructReadResult r = ReadStructureFile(path, StructDialect::Tessalune);
    ASSERT_TRUE(r.data) << r.message.text;
    EXPECT_EQ(FormatStructureTessalune(*r.data), FileBytes(path));

    constexpr int kGa = 31, kAs = 33;
    constexpr double kA = 5.6533;
    const std::vector<AtomSite> atoms = {
        {kGa, 0, 0, 0, 1},          {kGa, 0, 0.5, 0.5, 1},      {kGa, 0.5, 0, 0.5, 1},
        {kGa, 0.5, 0.5, 0, 1},      {kAs, 0.25, 0.25, 0.25, 1}, {kAs, 0.25, 0.75, 0.75, 1},
        {kAs, 0.75, 0.25, 0.75, 1}, {kAs, 0.75, 0.75, 0.25, 1},
    };
    const StructureData expected{"GaAs", kA, kA, kA, 90, 90, 90, atoms, {360, 360}};
    EXPECT_EQ(*r.data, expected);

    // Xelmor reads the same file (without the temperatures).
    const StructReadResult x = ReadStructureFile(path, StructDialect::Xelmor);
    ASSERT_TRUE(x.data) << x.message.text;
    EXPECT_EQ(x.data->atoms, atoms);
}

} // namespace
} // namespace xelmor
