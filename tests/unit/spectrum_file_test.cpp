// Tests of the spectrum files: the .spct reader and writer with their messages, the obsolete
// .spectrum reader and the "Set as Default Spectrum" step.
#include "xelmor/files/spectrum_file.h"

#include "structfile/text_file.h"
#include "tests/unit/test_support.h"
#include "xelmor/files/archive.h"
#include "xelmor/files/settings_values.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace xelmor {

void PrintTo(const Spectrum& s, std::ostream* os) {
    *os << "{\"" << s.name << "\",";
    for (int i = 0; i < s.Count(); ++i)
        *os << " (" << s.wavelength[i] << ", " << s.intensity[i] << ")";
    *os << "}";
}

namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

const std::string kFixtures = std::string(XELMOR_TEST_DATA) + "/spectrum/";

Message Msg(std::string text, MsgIcon icon) {
    Message m;
    m.text = std::move(text);
    m.icon = icon;
    return m;
}

using SpectrumFiles = test::TempFolderTest;
using test::FileBytes;

// An obsolete spectrum file: the tag as given (already in its archive form) and the doubles.
std::string ObsoleteFile(const std::string& tag, const std::vector<double>& values) {
    ArchiveWriter doubles;
    for (double v : values)
        doubles.WriteDouble(v);
    return tag + doubles.Bytes();
}

// The tag in the narrow form (length byte, 8-bit text) and in the wide form (FF FE FF, length
// byte, UTF-16LE), written out byte by byte.
const std::string kNarrowTag = "\x14"s + "Xelmorscope.Spectrum";
const std::string kWideTag =
    "\xFF\xFE\xFF\x14"s + "X\0e\0l\0m\0o\0r\0s\0c\0o\0p\0e\0.\0S\0p\0e\0c\0t\0r\0u\0m\0"s;

// 301 intensities that are not normalised: the reader must keep them as they are.
std::vector<double> ObsoleteIntensities() {
    std::vector<double> v(kObsoleteSpectrumSamples);
    for (int i = 0; i < kObsoleteSpectrumSamples; ++i)
        v[i] = 5.0 * i / (kObsoleteSpectrumSamples - 1);
    return v;
}

TEST(SpectrumParse, ListedExampleDropsDisorderedAndNegativeSamplesAndNormalises) {
    const SpectrumReadResult r = ReadSpctFile(kFixtures + "edge_cases.spct");
    ASSERT_TRUE(r.spectrum) << r.message.text;
    EXPECT_EQ(r.message, Message{});
    const Spectrum expected{"Bending magnet", {0.2, 0.3, 0.5}, {0.25, 1.0, 0.5}};
    EXPECT_EQ(*r.spectrum, expected);
}

TEST(SpectrumParse, NameLines) {
    struct Case {
        const char* label;
        std::string text;
        std::string name;
    };
    const Case cases[] = {
        {"tag in the first column", "Name: Bending magnet\n", "Bending magnet"},
        {"any letter case, no blank", "nAmE:X-ray tube\n", "X-ray tube"},
        {"leading TABs of the name removed, trailing blanks kept", "Name:\t  X  \n", "X  "},
        {"leading blanks and no comment: not a name line", "   Name: X\n", ""},
        {"leading blanks and a comment: cut and trimmed", "   Name: X ! beam\n", "X"},
        {"comment with '#'", "Name: Si 111 # monochromator\n", "Si 111"},
        {"commas stay in the name", "Name: NSLS, X17\n", "NSLS, X17"},
        {"only the first name line counts", "Name: A\nName: B\n", "A"},
        {"data lines before the name line", "0.05 1\nName: Late\n", "Late"},
        {"a comment line is no name line", "! Name: X\n", ""},
        {"CR LF line end not part of the name", "Name: X\r\n", "X"},
        {"a stray CR before the line end stripped", "Name: X\r\r\n", "X"},
        {"byte order mark before the tag", "\xEF\xBB\xBFName: X\n", "X"},
        {"empty name", "Name:\n", ""},
    };
    for (const Case& c : cases) {
        const std::optional<Spectrum> s = ParseSpct(c.text + "0.1 1\n0.2 2\n");
        ASSERT_TRUE(s) << c.label;
        EXPECT_EQ(s->name, c.name) << c.label;
        EXPECT_EQ(s->wavelength.back(), 0.2) << c.label;
    }
}

TEST(SpectrumParse, DataLineAcceptance) {
    // Each text follows the accepted sample (0.1, 1); the kept samples are listed.
    struct Case {
        const char* label;
        std::string lines;
        std::vector<double> wavelengths;
        std::vector<double> intensities; // after normalisation
    };
    const Case cases[] = {
        {"TABs, commas and a comment", "0.2,\t4 ! peak\n", {0.1, 0.2}, {0.25, 1.0}},
        {"third column ignored", "0.2 2 99\n", {0.1, 0.2}, {0.5, 1.0}},
        {"trailing text of a number ignored", "0.2A 2counts\n", {0.1, 0.2}, {0.5, 1.0}},
        {"no blank: skipped", "0.2\n0.3 2\n", {0.1, 0.3}, {0.5, 1.0}},
        {"equal wavelength skipped", "0.1 5\n0.2 2\n", {0.1, 0.2}, {0.5, 1.0}},
        {"zero intensity kept", "0.2 0\n0.3 2\n", {0.1, 0.2, 0.3}, {0.5, 0.0, 1.0}},
        {"negative intensity skipped", "0.2 -0.5\n0.3 2\n", {0.1, 0.3}, {0.5, 1.0}},
        {"non-numeric wavelength reads 0", "peak 2\n0.3 2\n", {0.1, 0.3}, {0.5, 1.0}},
        {"nan and inf read as 0",
         "nan 2\ninf 3\n0.3 nan\n0.4 2\n",
         {0.1, 0.3, 0.4},
         {0.5, 0.0, 1.0}},
        {"overflowing wavelength skipped, the table goes on",
         "1e999 2\n0.3 2\n",
         {0.1, 0.3},
         {0.5, 1.0}},
        {"overflowing intensity skipped", "0.2 1e999\n0.3 2\n", {0.1, 0.3}, {0.5, 1.0}},
        {"a name line after the name is a data line", "Name: B\n0.3 2\n", {0.1, 0.3}, {0.5, 1.0}},
    };
    for (const Case& c : cases) {
        const std::optional<Spectrum> s = ParseSpct("Name: N\n0.1 1\n" + c.lines);
        ASSERT_TRUE(s) << c.label;
        EXPECT_EQ(s->wavelength, c.wavelengths) << c.label;
        EXPECT_EQ(s->intensity, c.intensities) << c.label;
    }
}

TEST(SpectrumParse, TooFewValidSamplesGiveNoSpectrum) {
    const std::string garbage = "\x00\xFF\x01 \x89PNG\r\n\x1A\n\xFE\xFE 0 0\n"s;
    const std::string cases[] = {
        "",
        "Name: Empty\n",
        "Name: One sample\n0.5 1\n",
        "Name: Zeros\n0.1 0\n0.2 0\n0.3 0\n",
        "Name: One after the order check\n0.5 1\n0.4 1\n0.3 1\n",
        "Name: Negative wavelengths\n-0.1 1\n-0.05 1\n0 1\n",
        garbage,
        "0.1 1\n" + std::string(1 << 20, 'x') + " 2\n",
    };
    for (const std::string& text : cases)
        EXPECT_EQ(ParseSpct(text), std::nullopt) << text.substr(0, 40);
}

TEST(SpectrumParse, KeepsTheFirst2000SamplesAndNormalisesByTheirMaximum) {
    // Intensities rise with the wavelength: sample 2001 on would raise the maximum.
    std::string text = "Name: Long\n";
    for (int i = 1; i <= 2500; ++i)
        text += std::to_string(i) + " " + std::to_string(i) + "\n";
    const std::optional<Spectrum> s = ParseSpct(text);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->Count(), kMaxSpctSamples);
    EXPECT_EQ(s->wavelength.front(), 1.0);
    EXPECT_EQ(s->wavelength.back(), 2000.0);
    EXPECT_EQ(s->intensity.back(), 1.0);
    EXPECT_EQ(s->intensity.front(), 1.0 / 2000.0);
}

TEST(SpectrumParse, MaximumBecomesExactlyOne) {
    const std::optional<Spectrum> s = ParseSpct("0.1 0.3\n0.2 0.7\n0.3 0.1\n");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->intensity[1], 1.0);
    EXPECT_EQ(s->intensity[0], 0.3 / 0.7);
}

TEST_F(SpectrumFiles, ReaderMessages) {
    const std::string missing = Path("missing.spct");
    const std::string bad = Put("bad.spct", "Name: Bad\n0.5 1\n");
    struct Case {
        std::string path;
        Message message;
    };
    const Case cases[] = {
        {missing, Msg("Spectrum " + missing + " not found!", MsgIcon::Stop)},
        {dir_.string(), Msg("Spectrum " + dir_.string() + " not found!", MsgIcon::Stop)},
        {bad, Msg("No (enough) valid data in " + bad + ". Please check the file format.",
                  MsgIcon::None)},
    };
    for (const Case& c : cases) {
        const SpectrumReadResult r = ReadSpctFile(c.path);
        EXPECT_EQ(r.spectrum, std::nullopt) << c.path;
        EXPECT_EQ(r.message, c.message);
    }
}

TEST(SpectrumParse, WindowsCodePageNameIsDecoded) {
    const SpectrumReadResult r = ReadSpctFile(kFixtures + "ansi_name.spct");
    ASSERT_TRUE(r.spectrum) << r.message.text;
    EXPECT_EQ(r.spectrum->name, "Mo tube, 1 \xC3\x85 Al filter");
    EXPECT_EQ(r.spectrum->intensity, (std::vector<double>{0.25, 1.0}));
}

TEST(SpectrumWrite, TextIsWrittenLineByLineWithTheNumberFormatter) {
    const Spectrum s{"Test beam", {0.1, 0.25, 2.0, 3.123456789}, {1.234e-05, 1, 0.5, 0.123456789}};
    EXPECT_EQ(FormatSpct(s), "Name: Test beam\r\n"
                             "! Wavelength(A)\tIntensity\r\n"
                             "0.1\t1.234e-05\r\n"
                             "0.25\t1\r\n"
                             "2\t0.5\r\n"
                             "3.12345679\t0.12345679\r\n");
}

TEST(SpectrumWrite, LineBreaksInTheNameStayOnTheNameLine) {
    // A name taken from a pattern document may hold line breaks; written as they are, the second
    // part would be read back as a sample.
    const Spectrum s{"Beam\r\n0.05 9", {0.1, 0.2}, {0.5, 1}};
    const std::string text = FormatSpct(s);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "Name: Beam  0.05 9");
    const std::optional<Spectrum> back = ParseSpct(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, "Beam  0.05 9");
    EXPECT_EQ(back->wavelength, s.wavelength);
}

TEST_F(SpectrumFiles, SaveThenReadGivesTheSameSpectrumAndTheSameBytes) {
    const Spectrum s{
        "Rotating anode, W \xC3\xA9", {0.2, 0.35, 0.5, 1.25}, {0.00001, 1, 0.125, 0.5}};
    const std::string path = Path("saved.spct");
    EXPECT_EQ(SaveSpectrumFile(path, s), std::nullopt);
    const std::string bytes = FileBytes(path);
    EXPECT_EQ(bytes, FormatSpct(s));
    const SpectrumReadResult r = ReadSpctFile(path);
    ASSERT_TRUE(r.spectrum) << r.message.text;
    EXPECT_EQ(*r.spectrum, s);
    EXPECT_EQ(FormatSpct(*r.spectrum), bytes);
}

TEST_F(SpectrumFiles, SaveRefusals) {
    const Spectrum loaded{"S", {0.1, 0.2}, {1, 0.5}};
    const Message outOfDate =
        Msg("*.Spectrum file is out of date. Use *.spct or other extensions.", MsgIcon::None);
    const Message noSpectrum = Msg("No Spectrum Loaded Yet.", MsgIcon::None);
    struct Case {
        std::string name;
        Spectrum spectrum;
        std::optional<Message> message;
    };
    const Case cases[] = {
        {"a.SPECTRUM", loaded, outOfDate},
        {"a.spectrum", loaded, outOfDate},
        {"a.Spectrum", loaded, outOfDate},
        {"none.spct", Spectrum{}, noSpectrum},
        {"one.spct", Spectrum{"one", {0.1}, {1}}, noSpectrum},
        {"a.spectrum.spct", loaded, std::nullopt},
        {"a.txt", loaded, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::string path = Path(c.name);
        EXPECT_EQ(SaveSpectrumFile(path, c.spectrum), c.message) << c.name;
        EXPECT_EQ(fs::exists(path), !c.message) << c.name;
    }
    EXPECT_EQ(CheckSpectrumLoaded(loaded), std::nullopt);
    EXPECT_EQ(CheckSpectrumLoaded(Spectrum{}), noSpectrum);
}

TEST_F(SpectrumFiles, FailedSavesReportAndKeepTheOldFile) {
    const Spectrum s{"S", {0.1, 0.2}, {1, 0.5}};
    const std::string path = Put("old.spct", "previous\r\n");
    struct Case {
        FileWriteFault fault;
        Message message;
    };
    const Case cases[] = {
        {FileWriteFault::Create, Msg("Failed to open " + path + "!", MsgIcon::Stop)},
        {FileWriteFault::Write, Msg("Failed to write " + path + "!", MsgIcon::Stop)},
        {FileWriteFault::Rename, Msg("Failed to write " + path + "!", MsgIcon::Stop)},
    };
    for (const Case& c : cases) {
        FileWriteFaultForTesting fault(c.fault);
        EXPECT_EQ(SaveSpectrumFile(path, s), c.message);
        EXPECT_TRUE(fault.Triggered());
        EXPECT_EQ(FileBytes(path), "previous\r\n");
    }
    const std::string noFolder = Path("no/such/folder.spct");
    EXPECT_EQ(SaveSpectrumFile(noFolder, s),
              Msg("Failed to open " + noFolder + "!", MsgIcon::Stop));
}

TEST_F(SpectrumFiles, ObsoleteFileInBothStringForms) {
    const std::vector<double> values = ObsoleteIntensities();
    for (const std::string& tag : {kNarrowTag, kWideTag}) {
        // Bytes after the last double are not looked at.
        const std::string path = Put("old.spectrum", ObsoleteFile(tag, values) + "trailer");
        const SpectrumReadResult r = ReadObsoleteSpectrumFile(path);
        ASSERT_TRUE(r.spectrum) << r.message.text;
        EXPECT_EQ(r.message, Message{});
        EXPECT_EQ(r.spectrum->name, "");
        ASSERT_EQ(r.spectrum->Count(), kObsoleteSpectrumSamples);
        EXPECT_EQ(r.spectrum->intensity, values); // not normalised
        for (int i = 0; i < kObsoleteSpectrumSamples; ++i)
            ASSERT_EQ(r.spectrum->wavelength[i], i * 0.01) << i;
    }
}

TEST_F(SpectrumFiles, ObsoleteFileFailures) {
    const std::vector<double> values = ObsoleteIntensities();
    const Message failed = Msg("Failed to load the file!", MsgIcon::Stop);
    std::vector<double> withNan = values, withInf = values, withNegative = values;
    withNan[7] = std::numeric_limits<double>::quiet_NaN();
    withInf[300] = std::numeric_limits<double>::infinity();
    withNegative[0] = -0.5;
    const std::string full = ObsoleteFile(kWideTag, values);
    struct Case {
        const char* label;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"tag in another case", ObsoleteFile("\x14"s + "xelmorscope.spectrum", values)},
        {"document version text", ObsoleteFile("\x0C"s + "Xelmor3.File", values)},
        {"tag with a trailing blank", ObsoleteFile("\x15"s + "Xelmorscope.Spectrum ", values)},
        {"300 doubles", full.substr(0, full.size() - 8)},
        {"last double cut", full.substr(0, full.size() - 1)},
        {"tag cut", kWideTag.substr(0, 10)},
        {"huge tag length", "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F"s + "X\0"s},
        {"NaN intensity", ObsoleteFile(kNarrowTag, withNan)},
        {"infinite intensity", ObsoleteFile(kNarrowTag, withInf)},
        {"negative intensity", ObsoleteFile(kNarrowTag, withNegative)},
        {"text file", "Name: Not binary\r\n0.1 1\r\n0.2 1\r\n"},
    };
    for (const Case& c : cases) {
        const std::string path = Put("bad.spectrum", c.bytes);
        const SpectrumReadResult r = ReadObsoleteSpectrumFile(path);
        EXPECT_EQ(r.spectrum, std::nullopt) << c.label;
        EXPECT_EQ(r.message, failed) << c.label;
    }
    const std::string missing = Path("missing.spectrum");
    EXPECT_EQ(ReadObsoleteSpectrumFile(missing).message,
              Msg(missing + " not found!", MsgIcon::Stop));
}

TEST_F(SpectrumFiles, ReaderIsChosenByTheFileName) {
    const std::string obsolete = ObsoleteFile(kNarrowTag, ObsoleteIntensities());
    const std::string text = "Name: T\r\n0.1 1\r\n0.2 2\r\n";
    struct Case {
        std::string name;
        std::string bytes;
        int count;
    };
    const Case cases[] = {
        {"a.spectrum", obsolete, kObsoleteSpectrumSamples},
        {"B.SPECTRUM", obsolete, kObsoleteSpectrumSamples},
        {"c.spct", text, 2},
        {"d.txt", text, 2},
        {"e.spectrum.txt", text, 2},
    };
    for (const Case& c : cases) {
        const SpectrumReadResult r = ReadSpectrumFile(Put(c.name, c.bytes));
        ASSERT_TRUE(r.spectrum) << c.name << ": " << r.message.text;
        EXPECT_EQ(r.spectrum->Count(), c.count) << c.name;
    }
    // An obsolete file under a text name is read as text and has no valid line.
    const std::string misnamed = Put("f.spct", obsolete);
    EXPECT_EQ(ReadSpectrumFile(misnamed).message,
              Msg("No (enough) valid data in " + misnamed + ". Please check the file format.",
                  MsgIcon::None));
}

TEST_F(SpectrumFiles, SetAsDefaultStoresThePathOfTheSavedFile) {
    const Spectrum s{"S", {0.1, 0.2}, {1, 0.5}};
    MemorySettingsStore store;
    struct Case {
        Spectrum spectrum;
        std::string file;
        Message message;
    };
    const Case refused[] = {
        {Spectrum{}, "/data/a.spct", Msg("No Spectrum Loaded Yet.", MsgIcon::None)},
        {s, "", Msg("First save the spectrum as a file please.", MsgIcon::None)},
    };
    for (const Case& c : refused) {
        EXPECT_EQ(SetDefaultSpectrum(store, c.spectrum, c.file), c.message);
        EXPECT_EQ(store.Size(), 0u);
    }

    const std::string path = Path("mine.spct");
    ASSERT_EQ(SaveSpectrumFile(path, s), std::nullopt);
    EXPECT_EQ(SetDefaultSpectrum(store, s, path),
              Msg("Current spectrum has been set as the default spectrum.", MsgIcon::Information));
    EXPECT_EQ(ReadDefaultSpectrumPath(store, "/opt/xelmor"), path);
}

} // namespace
} // namespace xelmor
