// Tests of the pattern document file: its byte layout, the round trip through a saved file and
// the run after the read, the failures that leave an empty pattern, and the safe save.
#include "xelmor/files/pattern_doc.h"

#include "structfile/text_file.h"
#include "tests/unit/test_support.h"
#include "xelmor/files/archive.h"
#include "xelmor/files/settings_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace xelmor {
namespace {

using namespace std::string_literals;

const std::string kFlatSpectrum = XELMOR_TEST_DATA "/sim/flat-0.2-2.19.spct";

// Levels that went through one division and one multiplication may differ in the last bits.
constexpr double kLevelRounding = 1e-14;

const Message kReadFailure{"Failed to open the file. An empty pattern is created.", MsgIcon::Stop,
                           MsgButtons::Ok, ""};
const Message kPreviousVersion{"No Version Two Files are allowed anymore!", MsgIcon::Stop,
                               MsgButtons::Ok, ""};

std::vector<AtomSite> Diamond() {
    std::vector<AtomSite> atoms;
    const double fcc[4][3] = {{0, 0, 0}, {0, 0.5, 0.5}, {0.5, 0, 0.5}, {0.5, 0.5, 0}};
    for (double shift : {0.0, 0.25})
        for (const auto& f : fcc)
            atoms.push_back({14, f[0] + shift, f[1] + shift, f[2] + shift, 1.0});
    return atoms;
}

// Silicon a = 5.431 in transmission, surface (0 0 1), horizontal (1 0 0), ranges 4, a flat
// spectrum from 0.2 to 2.19 Angstrom, turned a little so that the spots are not symmetric.
CParameterSet SiliconPattern() {
    CParameterSet p;
    TakeOverCrystal(p, {"Silicon", 5.431, 5.431, 5.431, 90, 90, 90, Diamond()});
    Spectrum flat;
    flat.name = "flat";
    for (int i = 0; i < 200; ++i) {
        flat.wavelength.push_back(0.2 + 0.01 * i);
        flat.intensity.push_back(1.0);
    }
    InstallSpectrum(p, flat, kFlatSpectrum);
    p.m_H = 0, p.m_K = 0, p.m_L = 1;
    p.m_h = 1, p.m_k = 0, p.m_l = 0;
    p.m_Hmax = p.m_Kmax = p.m_Lmax = 4;
    p.m_Rot1 = 3.5, p.m_Rot2 = -2, p.m_Rot3 = 1.25;
    p.m_ShiftX = 120, p.m_ShiftY = -45;
    p.m_Tilt = 4;
    MarkGeometryConfirmed(p);
    return p;
}

// A pattern document as raw fields, written here in file order independently of the writer,
// so that a field may be given a value the writer would never produce.
struct RawDocument {
    std::string version = "\xFF\xFE\xFF\x0C"s + "X\0e\0l\0m\0o\0r\0003\0.\0F\0i\0l\0e\0"s;
    std::string crystalName = "Silicon";
    double cell[6] = {5.431, 5.431, 5.431, 90, 90, 90};
    std::int32_t atomCount = 8;
    std::vector<AtomSite> atoms = Diamond();
    std::int32_t transOrBack = 0;
    double D = 500, HKL[3] = {0, 0, 1}, hkl[3] = {1, 0, 0};
    std::int32_t ranges[3] = {4, 4, 4};
    std::int32_t sequence = 0;
    double rot[3] = {0, 0, 0};
    std::int32_t tiltX = 0;
    double tilt = 0, shiftY = 0, shiftX = 0, saturate = 1, truncate = 0.01;
    double film[2] = {2000, 1500}, spot[2] = {30, 30};
    double Isat = -1, Imax = 0, Itrunc = 0;
    std::int32_t switches[3] = {1, 0, 1};
    std::string spectrumName = "flat";
    std::int32_t sampleCount = 200;
    std::vector<double> wavelength, intensity;
    int lastField = 24; // the file ends after this field

    RawDocument() {
        for (int i = 0; i < 200; ++i) {
            wavelength.push_back(0.2 + 0.01 * i);
            intensity.push_back(1.0);
        }
    }

    std::string Bytes() const {
        ArchiveWriter w;
        std::string out = version;
        const auto field = [&](int number, const std::function<void()>& write) {
            if (number <= lastField)
                write();
        };
        field(2, [&] { w.WriteString(crystalName); });
        field(3, [&] {
            for (double v : cell)
                w.WriteDouble(v);
        });
        field(4, [&] { w.WriteInt32(atomCount); });
        field(5, [&] {
            for (const AtomSite& a : atoms) {
                w.WriteInt32(a.Z);
                for (double v : {a.x, a.y, a.z, a.occupancy})
                    w.WriteDouble(v);
            }
        });
        field(6, [&] { w.WriteInt32(transOrBack); });
        field(7, [&] { w.WriteDouble(D); });
        field(8, [&] {
            for (double v : HKL)
                w.WriteDouble(v);
        });
        field(9, [&] {
            for (double v : hkl)
                w.WriteDouble(v);
        });
        field(10, [&] {
            for (std::int32_t v : ranges)
                w.WriteInt32(v);
        });
        field(11, [&] { w.WriteInt32(sequence); });
        field(12, [&] {
            for (double v : rot)
                w.WriteDouble(v);
        });
        field(13, [&] { w.WriteInt32(tiltX); });
        field(14, [&] { w.WriteDouble(tilt); });
        field(15, [&] { w.WriteDouble(shiftY); });
        field(16, [&] { w.WriteDouble(shiftX); });
        field(17, [&] {
            w.WriteDouble(saturate);
            w.WriteDouble(truncate);
        });
        field(18, [&] {
            for (double v : film)
                w.WriteDouble(v);
        });
        field(19, [&] {
            for (double v : spot)
                w.WriteDouble(v);
        });
        field(20, [&] {
            for (double v : {Isat, Imax, Itrunc})
                w.WriteDouble(v);
        });
        field(21, [&] {
            for (std::int32_t v : switches)
                w.WriteInt32(v);
        });
        field(22, [&] { w.WriteString(spectrumName); });
        field(23, [&] { w.WriteInt32(sampleCount); });
        field(24, [&] {
            for (std::size_t i = 0; i < wavelength.size(); ++i) {
                w.WriteDouble(wavelength[i]);
                if (i < intensity.size()) // a shorter list ends the file inside a sample
                    w.WriteDouble(intensity[i]);
            }
        });
        return out + w.Bytes();
    }
};

// The stored defaults a reset reads, pointing the default spectrum at the flat test spectrum.
MemorySettingsStore ResetSettings(const std::string& spectrum = kFlatSpectrum) {
    MemorySettingsStore store;
    store.WriteString(kSettingsSection, setting::kDefaultSpectrum, spectrum);
    store.WriteString(kSettingsSection, setting::kD, "700");
    store.WriteInt(kSettingsSection, setting::kRotCrystSeq, 3);
    return store;
}

// Reads the bytes into a parameter set that already holds another pattern.
struct ReadOutcome {
    PatternOpenResult open;
    CParameterSet params;
    SimulationResult result;
};

ReadOutcome Read(const std::string& bytes, const SettingsStore& store) {
    ReadOutcome o;
    o.params = SiliconPattern();
    RunSimulation(o.params, o.result);
    o.params.m_nZoom = 400;
    o.open = ReadPatternDocument(bytes, o.params, o.result, store, "/nonexistent");
    return o;
}

TEST(PatternDocFile, WriterLaysOutEveryFieldInOrder) {
    // Every field has a value of its own, so that two swapped fields show.
    RawDocument raw;
    raw.crystalName = "Gallium arsenide \xC3\x85";
    const double cell[6] = {5.6, 5.7, 5.8, 89, 91, 92};
    std::copy(std::begin(cell), std::end(cell), raw.cell);
    raw.atomCount = 2;
    raw.atoms = {{31, 0.1, 0.2, 0.3, 0.9}, {33, 0.4, 0.5, 0.6, 0.8}};
    raw.transOrBack = 1;
    raw.D = 512.5;
    raw.HKL[0] = 1, raw.HKL[1] = 1, raw.HKL[2] = 2;
    raw.hkl[0] = 1, raw.hkl[1] = -1, raw.hkl[2] = 0;
    raw.ranges[0] = 7, raw.ranges[1] = 8, raw.ranges[2] = 9;
    raw.sequence = 4;
    raw.rot[0] = 10.5, raw.rot[1] = -20.25, raw.rot[2] = 359;
    raw.tilt = 3.5, raw.shiftY = -17, raw.shiftX = 23;
    raw.saturate = 0.6, raw.truncate = 0.02;
    raw.film[0] = 1000, raw.film[1] = 800;
    raw.spot[0] = 12, raw.spot[1] = 14;
    raw.Isat = 1234.5, raw.Imax = 2057.5, raw.Itrunc = 41.15;
    raw.switches[0] = 0, raw.switches[1] = 1, raw.switches[2] = 0;
    raw.spectrumName = "two samples";
    raw.sampleCount = 2;
    raw.wavelength = {0.5, 1.5};
    raw.intensity = {0.25, 1};

    CParameterSet p;
    TakeOverCrystal(p, {raw.crystalName, 5.6, 5.7, 5.8, 89, 91, 92, raw.atoms});
    p.m_TransOrBack = 1;
    p.m_D = 512.5;
    p.m_H = 1, p.m_K = 1, p.m_L = 2;
    p.m_h = 1, p.m_k = -1, p.m_l = 0;
    p.m_Hmax = 7, p.m_Kmax = 8, p.m_Lmax = 9;
    p.m_RotCrystSeq = 4;
    p.m_Rot1 = 10.5, p.m_Rot2 = -20.25, p.m_Rot3 = 359;
    p.m_Tilt = 3.5, p.m_ShiftY = -17, p.m_ShiftX = 23;
    p.m_Saturate = 0.6, p.m_Truncate = 0.02;
    p.m_FilmWidth = 1000, p.m_FilmHeight = 800;
    p.m_SpotWidth = 12, p.m_SpotHeight = 14;
    p.m_Isat = 1234.5, p.m_Imax = 2057.5, p.m_Itrunc = 41.15;
    p.m_bCrossline = 0, p.m_bShowIndex = 1, p.m_bGrayScale = 0;
    InstallSpectrum(p, {"two samples", {0.5, 1.5}, {0.25, 1}}, "/somewhere/two.spct");

    const std::string bytes = FormatPatternDocument(PatternDocumentOf(p));
    EXPECT_EQ(bytes.substr(0, 28), "\xFF\xFE\xFF\x0C"s + "X\0e\0l\0m\0o\0r\0003\0.\0F\0i\0l\0e\0"s);
    EXPECT_EQ(bytes, raw.Bytes());
}

TEST(PatternDocRoundTrip, SavedPatternGivesTheSameSpotsAndLevels) {
    struct Case {
        const char* what;
        double saturate; // the level set after the normalising run, as a fraction
    } const cases[] = {{"normalised levels", 0}, {"saturation set to 37 %", 0.37}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CParameterSet p = SiliconPattern();
        SimulationResult saved;
        RunSimulation(p, saved);
        if (c.saturate > 0) {
            p.m_Saturate = c.saturate;
            RunSimulation(p, saved);
        }
        ASSERT_GT(saved.spots.size(), 20u);
        const std::string bytes = FormatPatternDocument(PatternDocumentOf(p));
        const double savedIsat = p.m_Isat;
        // What pressing Update on the saved pattern gives: the reference for the read.
        CParameterSet again = p;
        SimulationResult rerun;
        RunSimulation(again, rerun);

        CParameterSet q;
        q.m_FontHeightScreen = 77;
        q.m_SpotColor = 0;
        q.m_nZoom = 300;
        q.m_bTiltX = 1;
        SimulationResult read;
        read.spots.resize(3);
        const PatternOpenResult open =
            ReadPatternDocument(bytes, q, read, MemorySettingsStore{}, "/nonexistent");
        ASSERT_EQ(open.status, PatternOpenStatus::Read);
        EXPECT_TRUE(open.messages.empty());
        EXPECT_EQ(read.spots, saved.spots);
        EXPECT_EQ(read.spots, rerun.spots);
        EXPECT_EQ(q.m_Isat, again.m_Isat);
        EXPECT_NEAR(q.m_Isat, savedIsat, kLevelRounding * savedIsat);
        EXPECT_EQ(SaturatePercentText(q.m_Saturate), SaturatePercentText(p.m_Saturate));
        EXPECT_EQ(TruncatePercentText(q.m_Truncate), TruncatePercentText(p.m_Truncate));
        EXPECT_EQ(read.orient, saved.orient);
        EXPECT_EQ(read.spot000Y, saved.spot000Y);
        // The read's own state: zoom 100, geometry set, no spectrum file, the rest untouched.
        EXPECT_EQ(q.m_nZoom, 100);
        EXPECT_EQ(q.m_bGeometrySet, 1);
        EXPECT_EQ(q.m_bTiltX, 0);
        EXPECT_EQ(q.m_strSpectrumFile, "");
        EXPECT_EQ(q.m_strSpectrumName, "flat");
        EXPECT_EQ(q.m_strCrystalName, "Silicon");
        EXPECT_EQ(q.m_Elements, p.m_Elements);
        EXPECT_EQ(q.m_Recip.cz, p.m_Recip.cz);
        EXPECT_EQ(q.m_FontHeightScreen, 77);
        EXPECT_EQ(q.m_SpotColor, 0);
        // Written again, the read document gives the same bytes.
        EXPECT_EQ(FormatPatternDocument(PatternDocumentOf(q)),
                  FormatPatternDocument(PatternDocumentOf(again)));
    }
}

TEST(PatternDocRead, AcceptedVariants) {
    struct Case {
        const char* what;
        std::function<void(RawDocument&)> change;
        std::size_t spots;
    } const cases[] = {
        {"the reference pattern", [](RawDocument&) {}, 20},
        {"narrow version text", [](RawDocument& r) { r.version = "\x0C"s + "Xelmor3.File"; }, 20},
        {"exactly 2000 samples",
         [](RawDocument& r) {
             r.sampleCount = 2000;
             r.wavelength.clear();
             r.intensity.assign(2000, 1.0);
             for (int i = 0; i < 2000; ++i)
                 r.wavelength.push_back(0.2 + 0.001 * i);
         },
         20},
        {"zero atoms and zero samples",
         [](RawDocument& r) {
             r.atomCount = 0;
             r.atoms.clear();
             r.sampleCount = 0;
             r.wavelength.clear();
             r.intensity.clear();
         },
         0},
        {"negative counts read no records",
         [](RawDocument& r) {
             r.atomCount = -8;
             r.atoms.clear();
             r.sampleCount = -1;
             r.wavelength.clear();
             r.intensity.clear();
         },
         0},
        {"one sample",
         [](RawDocument& r) {
             r.sampleCount = 1;
             r.wavelength.resize(1);
             r.intensity.resize(1);
         },
         0},
        {"legacy flag written as 1", [](RawDocument& r) { r.tiltX = 1; }, 20},
        {"index ranges at the limits 0 and 999",
         [](RawDocument& r) {
             r.ranges[0] = 0, r.ranges[1] = 999, r.ranges[2] = 0;
             r.atomCount = 0;
             r.atoms.clear();
         },
         0},
    };
    const MemorySettingsStore store = ResetSettings();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RawDocument raw;
        c.change(raw);
        const ReadOutcome o = Read(raw.Bytes() + "trailing bytes are ignored", store);
        EXPECT_EQ(o.open.status, PatternOpenStatus::Read);
        EXPECT_TRUE(o.open.messages.empty());
        EXPECT_EQ(o.result.spots.size(), c.spots);
        EXPECT_EQ(SpotCountText(static_cast<int>(o.result.spots.size())),
                  std::to_string(c.spots) + " spots");
        EXPECT_EQ(o.params.m_bTiltX, 0);
        EXPECT_EQ(o.params.m_nZoom, 100);
        EXPECT_EQ(o.params.m_bGeometrySet, 1);
        EXPECT_EQ(o.params.nSpectrum(), std::max(0, raw.sampleCount));
        EXPECT_EQ(o.params.nAtoms(), std::max(0, raw.atomCount));
        if (c.spots == 0) {
            EXPECT_EQ(o.params.m_Isat, -1);
        }
    }
}

TEST(PatternDocRead, FailuresLeaveAnEmptyPattern) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        std::function<void(RawDocument&)> change;
        bool previousVersion = false;
    } const cases[] = {
        {"previous format", [](RawDocument& r) { r.version = "\x10"s + "Xelmorscope.File"; }, true},
        {"previous format, wide",
         [](RawDocument& r) {
             r.version = "\xFF\xFE\xFF\x10"s;
             for (char ch : "Xelmorscope.File"s)
                 r.version += std::string{ch, '\0'};
         },
         true},
        {"other version text", [](RawDocument& r) { r.version = "\x0C"s + "xelmor3.file"; }},
        {"empty file",
         [](RawDocument& r) {
             r.version.clear();
             r.lastField = 1;
         }},
        {"2001 samples",
         [](RawDocument& r) {
             r.sampleCount = 2001;
             r.wavelength.clear();
             r.intensity.assign(2001, 1.0);
             for (int i = 0; i < 2001; ++i)
                 r.wavelength.push_back(0.2 + 0.001 * i);
         }},
        {"file ends after field 20", [](RawDocument& r) { r.lastField = 20; }},
        {"file ends in the last sample", [](RawDocument& r) { r.intensity.pop_back(); }},
        {"atom count beyond the file", [](RawDocument& r) { r.atomCount = 0x7FFFFFFF; }},
        {"one atom more than written", [](RawDocument& r) { r.atomCount = 9; }},
        {"sample count beyond the file", [](RawDocument& r) { r.sampleCount = 1999; }},
        {"crystal name longer than the file",
         [](RawDocument& r) {
             r.crystalName.clear();
             r.lastField = 1;
             r.version += "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F"s;
         }},
        {"Hmax 1000", [](RawDocument& r) { r.ranges[0] = 1000; }},
        {"Lmax -1", [](RawDocument& r) { r.ranges[2] = -1; }},
        {"atomic number 0", [](RawDocument& r) { r.atoms[3].Z = 0; }},
        {"atomic number 93", [](RawDocument& r) { r.atoms[7].Z = 93; }},
        {"wavelengths not ascending", [](RawDocument& r) { r.wavelength[10] = r.wavelength[9]; }},
        {"wavelength 0", [](RawDocument& r) { r.wavelength[0] = 0; }},
        {"negative intensity", [](RawDocument& r) { r.intensity[5] = -1; }},
        {"NaN wavelength", [nan](RawDocument& r) { r.wavelength[100] = nan; }},
        {"NaN distance", [nan](RawDocument& r) { r.D = nan; }},
        {"NaN atom position", [nan](RawDocument& r) { r.atoms[0].y = nan; }},
        {"infinite Imax", [inf](RawDocument& r) { r.Imax = inf; }},
        {"NaN cell angle", [nan](RawDocument& r) { r.cell[4] = nan; }},
    };
    const MemorySettingsStore store = ResetSettings();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RawDocument raw;
        c.change(raw);
        const ReadOutcome o = Read(raw.Bytes(), store);
        EXPECT_EQ(o.open.status, PatternOpenStatus::Reset);
        std::vector<Message> expected;
        if (c.previousVersion)
            expected.push_back(kPreviousVersion);
        expected.push_back(kReadFailure);
        EXPECT_EQ(o.open.messages, expected);
        // The empty pattern of a reset, with the stored defaults and the default spectrum.
        EXPECT_TRUE(o.result.spots.empty());
        EXPECT_EQ(o.result.spot000X, 0);
        EXPECT_EQ(o.result.runShiftX, 0);
        EXPECT_EQ(o.params.nAtoms(), 0);
        EXPECT_EQ(o.params.nElements(), 0);
        EXPECT_EQ(o.params.m_nZoom, 200);
        EXPECT_EQ(o.params.m_D, 700);
        EXPECT_EQ(o.params.m_RotCrystSeq, 3);
        EXPECT_EQ(o.params.m_ShiftX, 0);
        EXPECT_EQ(o.params.m_Isat, -1);
        EXPECT_EQ(o.params.m_bGeometrySet, 0);
        EXPECT_EQ(o.params.m_strSpectrumFile, kFlatSpectrum);
        EXPECT_EQ(o.params.nSpectrum(), 200);
        EXPECT_EQ(o.params.m_Recip.cz, 1);
    }
}

TEST(PatternDocRead, ResetShowsTheDefaultSpectrumFailureLast) {
    RawDocument raw;
    raw.lastField = 20;
    const ReadOutcome o = Read(raw.Bytes(), ResetSettings("/nonexistent/gone.spct"));
    EXPECT_EQ(o.open.status, PatternOpenStatus::Reset);
    const std::vector<Message> expected = {
        kReadFailure, MakeMessage("Spectrum /nonexistent/gone.spct not found!", MsgIcon::Stop)};
    EXPECT_EQ(o.open.messages, expected);
    EXPECT_EQ(o.params.nSpectrum(), 0);
}

using PatternDocFiles = test::TempFolderTest;

TEST_F(PatternDocFiles, OpenReadsTheFileOrChangesNothing) {
    CParameterSet p = SiliconPattern();
    SimulationResult saved;
    RunSimulation(p, saved);
    const std::string path = Path("silicon.ptn");
    ASSERT_EQ(SavePatternDocument(path, p), std::nullopt);

    CParameterSet q;
    SimulationResult read;
    const MemorySettingsStore store;
    PatternOpenResult open = OpenPatternDocument(path, q, read, store, "/nonexistent");
    EXPECT_EQ(open.status, PatternOpenStatus::Read);
    EXPECT_EQ(read.spots, saved.spots);

    const std::string missing = Path("missing.ptn");
    open = OpenPatternDocument(missing, q, read, store, "/nonexistent");
    EXPECT_EQ(open.status, PatternOpenStatus::NotOpened);
    const std::vector<Message> expected = {
        MakeMessage("Failed to open " + missing + "!", MsgIcon::Stop)};
    EXPECT_EQ(open.messages, expected);
    EXPECT_EQ(read.spots, saved.spots);
    EXPECT_EQ(q.nAtoms(), 8);
}

TEST_F(PatternDocFiles, FailedSaveKeepsTheOldFile) {
    struct Case {
        FileWriteFault fault;
        const char* text; // before the path
    } const cases[] = {
        {FileWriteFault::Create, "Failed to open "},
        {FileWriteFault::Write, "Failed to write "},
        {FileWriteFault::Rename, "Failed to write "},
    };
    CParameterSet p = SiliconPattern();
    const std::string path = Put("old.ptn", "the old document");
    for (const Case& c : cases) {
        FileWriteFaultForTesting fault(c.fault);
        EXPECT_EQ(SavePatternDocument(path, p), MakeMessage(c.text + path + "!", MsgIcon::Stop));
        EXPECT_TRUE(fault.Triggered());
        EXPECT_EQ(test::FileBytes(path), "the old document");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_),
                                std::filesystem::directory_iterator()),
                  1)
            << "a temporary file was left behind";
    }
    ASSERT_EQ(SavePatternDocument(path, p), std::nullopt);
    EXPECT_EQ(test::FileBytes(path), FormatPatternDocument(PatternDocumentOf(p)));
}

} // namespace
} // namespace xelmor
