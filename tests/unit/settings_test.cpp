#include "xelmor/files/settings_values.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace xelmor {

void PrintTo(const DocumentDefaults& d, std::ostream* os) {
    *os << "{" << d.transOrBack << ", " << d.D << ", " << d.rotCrystSeq << ", " << d.filmWidth
        << ", " << d.filmHeight << ", " << d.spotWidth << ", " << d.spotHeight << "}";
}

void PrintTo(const FramePlacement& f, std::ostream* os) {
    *os << "{max " << f.maximised << ", " << f.x << ", " << f.y << ", " << f.cx << ", " << f.cy
        << "}";
}

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kProgramDir = "/opt/xelmor";
const std::string kSeparator(1, static_cast<char>(std::filesystem::path::preferred_separator));

// One value put into the store before a read: an integer or a text.
struct Stored {
    const char* name;
    std::variant<int, const char*> value;
};

void Put(MemorySettingsStore& store, const std::vector<Stored>& values) {
    for (const Stored& v : values) {
        if (const int* i = std::get_if<int>(&v.value))
            store.WriteInt(kSection, v.name, *i);
        else
            store.WriteString(kSection, v.name, std::get<const char*>(v.value));
    }
}

TEST(SettingsDocumentDefaults, DefaultsAndSilentRangeReplacements) {
    struct Case {
        const char* label;
        std::vector<Stored> stored;
        DocumentDefaults expected; // transOrBack, D, rotCrystSeq, film w h, spot w h
    };
    const Case cases[] = {
        {"empty store", {}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"every value in range",
         {{"TransOrBack", 1},
          {"m_D", "812.5"},
          {"RotCrystSeq", 5},
          {"FilmWidth", "2500.25"},
          {"FilmHeight", "1800"},
          {"SpotWidth", "25"},
          {"SpotHeight", "0.1"}},
         {1, 812.5, 5, 2500.25, 1800, 25, 0.1}},
        {"film width below 200", {{"FilmWidth", "100"}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"film width upper bound kept", {{"FilmWidth", "50000"}}, {0, 500, 0, 50000, 1500, 30, 30}},
        {"film height above 50000", {{"FilmHeight", "50000.5"}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"film height lower bound kept", {{"FilmHeight", "200"}}, {0, 500, 0, 2000, 200, 30, 30}},
        {"spot height below 0.1", {{"SpotHeight", "0.05"}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"spot width above 200", {{"SpotWidth", "200.1"}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"spot width upper bound kept", {{"SpotWidth", "200"}}, {0, 500, 0, 2000, 1500, 200, 30}},
        {"distance 0", {{"m_D", "0"}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"distance 100000 kept", {{"m_D", "100000"}}, {0, 100000, 0, 2000, 1500, 30, 30}},
        {"distance 0.001 kept", {{"m_D", "0.001"}}, {0, 0.001, 0, 2000, 1500, 30, 30}},
        {"distance above 100000", {{"m_D", "100000.5"}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"distance negative", {{"m_D", "-600"}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"distance nan", {{"m_D", "nan"}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"distance garbage", {{"m_D", "fifty mm"}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"distance overflowing to infinity", {{"m_D", "1e999"}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"distance with trailing text read as atof",
         {{"m_D", "  750mm"}},
         {0, 750, 0, 2000, 1500, 30, 30}},
        {"distance empty text", {{"m_D", ""}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"geometry kind 2", {{"TransOrBack", 2}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"geometry kind -1", {{"TransOrBack", -1}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"rotation sequence 6", {{"RotCrystSeq", 6}}, {0, 500, 0, 2000, 1500, 30, 30}},
        {"rotation sequence -1", {{"RotCrystSeq", -1}}, {0, 500, 0, 2000, 1500, 30, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        MemorySettingsStore store;
        Put(store, c.stored);
        EXPECT_EQ(ReadDocumentDefaults(store), c.expected);
    }
}

TEST(SettingsDialogDefaults, RealsAreStoredAsFormattedTextAndReadBack) {
    MemorySettingsStore store;
    WriteRotCrystSeqDefault(store, 3);
    WriteFilmSizeDefault(store, 2500, 1234.5678);
    WriteSpotSizeDefault(store, 2.5 * 10, 0.1);

    EXPECT_EQ(store.ReadInt(kSection, "RotCrystSeq", -7), 3);
    EXPECT_EQ(store.ReadString(kSection, "FilmWidth", "?"), "2500");
    EXPECT_EQ(store.ReadString(kSection, "FilmHeight", "?"), "1234.5678");
    EXPECT_EQ(store.ReadString(kSection, "SpotWidth", "?"), "25");
    EXPECT_EQ(store.ReadString(kSection, "SpotHeight", "?"), "0.1");
    EXPECT_EQ(ReadDocumentDefaults(store), (DocumentDefaults{0, 500, 3, 2500, 1234.5678, 25, 0.1}));
}

// The exit write, once with a normal window and once maximised, over a store that already
// holds an older placement and older folders.
TEST(SettingsExitWrite, MaximisedKeepsTheLastNormalPlacement) {
    CParameterSet params;
    params.m_TransOrBack = 1;
    params.m_D = 1234.5;
    params.m_FontNoBmp = 1;
    params.m_FontHeightBmp = 24;
    params.m_FontXoffsetBmp = -4;
    params.m_FontYoffsetBmp = 6;

    struct Case {
        const char* label;
        FramePlacement frame;
        FramePlacement readBack;
    };
    const Case cases[] = {
        {"normal window", {false, 40, 50, 1024, 700}, {false, 40, 50, 1024, 700}},
        {"maximised window", {true, 0, 0, 1920, 1080}, {true, 10, 20, 800, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        MemorySettingsStore store;
        Put(store, {{"MainFrmMax", 0},
                    {"MainFrmX", 1},
                    {"MainFrmY", 2},
                    {"MainFrmCX", 300},
                    {"MainFrmCY", 400},
                    {"DirSpectrum", "/old/spectra"},
                    {"DirCrystal", "/old/crystals"}});

        WriteExitValues(store, c.frame, {"", "/new/crystals"}, params);

        EXPECT_EQ(ReadFramePlacement(store), c.readBack);
        if (c.frame.maximised) {
            EXPECT_EQ(store.ReadInt(kSection, "MainFrmX", -1), 1);
            EXPECT_EQ(store.ReadInt(kSection, "MainFrmY", -1), 2);
            EXPECT_EQ(store.ReadInt(kSection, "MainFrmCX", -1), 300);
            EXPECT_EQ(store.ReadInt(kSection, "MainFrmCY", -1), 400);
            // Restoring the window later starts from the older rectangle.
            store.WriteInt(kSection, "MainFrmMax", 0);
            EXPECT_EQ(ReadFramePlacement(store), (FramePlacement{false, 1, 2, 300, 400}));
        }
        // An empty folder is not written; the older one stays.
        EXPECT_EQ(ReadLastFolders(store, kProgramDir),
                  (LastFolders{"/old/spectra", "/new/crystals"}));
        EXPECT_EQ(store.ReadInt(kSection, "TransOrBack", -1), 1);
        EXPECT_EQ(store.ReadString(kSection, "m_D", "?"), "1234.5");
        EXPECT_EQ(store.ReadInt(kSection, "FontNoBmp", -1), 1);
        EXPECT_EQ(store.ReadInt(kSection, "FontHeightBMP", -1), 24);
        EXPECT_EQ(store.ReadInt(kSection, "FontXoffsetBMP", -1), -4);
        EXPECT_EQ(store.ReadInt(kSection, "FontYoffsetBMP", -1), 6);
    }

    // Maximised on a first run: no rectangle at all is written.
    MemorySettingsStore fresh;
    WriteExitValues(fresh, {true, 5, 5, 5, 5}, {"", ""}, params);
    EXPECT_EQ(fresh.ReadInt(kSection, "MainFrmMax", -1), 1);
    for (const char* name :
         {"MainFrmX", "MainFrmY", "MainFrmCX", "MainFrmCY", "DirSpectrum", "DirCrystal"}) {
        EXPECT_FALSE(fresh.Contains(kSection, name)) << name;
    }
}

TEST(SettingsStartUp, EmptyStoreGivesTheFirstRunValues) {
    const MemorySettingsStore store;
    EXPECT_EQ(ReadFramePlacement(store), (FramePlacement{false, 10, 20, 800, 600}));
    EXPECT_EQ(ReadLastFolders(store, kProgramDir), (LastFolders{kProgramDir, kProgramDir}));
    EXPECT_EQ(ReadDefaultSpectrumPath(store, kProgramDir),
              std::string(kProgramDir) + kSeparator + "NSLS-BM.spct");
    EXPECT_EQ(ReadDefaultImportBitmapWidth(store), "142");
    EXPECT_FALSE(ReadCalibZoom(store).has_value());
}

TEST(SettingsDefaultSpectrum, StoredPathWinsOverTheDeliveredFile) {
    MemorySettingsStore store;
    WriteDefaultSpectrumPath(store, "/home/u/spectra/mono.spct");
    EXPECT_EQ(ReadDefaultSpectrumPath(store, kProgramDir), "/home/u/spectra/mono.spct");
    WriteDefaultSpectrumPath(store, "");
    EXPECT_EQ(ReadDefaultSpectrumPath(store, kProgramDir),
              std::string(kProgramDir) + kSeparator + "NSLS-BM.spct");
}

TEST(SettingsPanelInit, CalibrationMissingOrPresentAndTheElevenFonts) {
    struct Case {
        const char* label;
        std::vector<Stored> stored;
        bool calibrated;
        int calibZoom;
        double factor;
    };
    const Case cases[] = {
        {"missing", {}, false, 1000, 1.0},
        {"stored 950", {{"CalibZoom", 950}}, true, 950, 1000.0 / 950},
        {"stored 1000", {{"CalibZoom", 1000}}, true, 1000, 1.0},
        {"stored as the missing marker", {{"CalibZoom", -1}}, false, 1000, 1.0},
        {"stored 0 cannot give a scale", {{"CalibZoom", 0}}, false, 1000, 1.0},
        {"stored negative cannot give a scale", {{"CalibZoom", -300}}, false, 1000, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        MemorySettingsStore store;
        Put(store, c.stored);
        CParameterSet params;
        SetZoomCalibration(params, 777); // a stale calibration must not survive
        ReadPanelSettings(store, params);
        EXPECT_EQ(params.m_bZoomCalibrated, c.calibrated ? 1 : 0);
        EXPECT_EQ(params.m_nCalibZoom, c.calibZoom);
        EXPECT_EQ(params.m_CalibFactor, c.factor);
        EXPECT_EQ(ReadCalibZoom(store).has_value(), c.calibrated);
    }

    // Every font value lands in its own member: defaults from an empty store, then distinct
    // stored values.
    CParameterSet params;
    params.m_FontHeightScreen = 99;
    params.m_FontYoffsetPrint = 99;
    params.m_FontHeightBmp = 99;
    ReadPanelSettings(MemorySettingsStore{}, params);
    EXPECT_EQ(
        (std::vector<int>{params.m_FontNoScreen, params.m_FontNoPrint, params.m_FontHeightScreen,
                          params.m_FontNoBmp, params.m_FontHeightBmp, params.m_FontXoffsetBmp,
                          params.m_FontYoffsetBmp, params.m_FontHeightPrint, params.m_FontXoffset,
                          params.m_FontYoffsetScreen, params.m_FontYoffsetPrint}),
        (std::vector<int>{0, 0, 32, 0, 20, -10, 0, 32, -10, 0, 3}));

    MemorySettingsStore store;
    Put(store, {{"FontNoScreen", 2},
                {"FontNoPrint", 1},
                {"FontHeightScreen", 41},
                {"FontNoBmp", 1},
                {"FontHeightBMP", 42},
                {"FontXoffsetBMP", 43},
                {"FontYoffsetBMP", 44},
                {"FontHeightPrint", 45},
                {"FontXoffset", 46},
                {"FontYoffsetScreen", 47},
                {"FontYoffsetPrint", 48}});
    ReadPanelSettings(store, params);
    EXPECT_EQ(
        (std::vector<int>{params.m_FontNoScreen, params.m_FontNoPrint, params.m_FontHeightScreen,
                          params.m_FontNoBmp, params.m_FontHeightBmp, params.m_FontXoffsetBmp,
                          params.m_FontYoffsetBmp, params.m_FontHeightPrint, params.m_FontXoffset,
                          params.m_FontYoffsetScreen, params.m_FontYoffsetPrint}),
        (std::vector<int>{2, 1, 41, 1, 42, 43, 44, 45, 46, 47, 48}));
}

TEST(SettingsCalibrationDialog, StoredLengthReadsBackAsTheSameCalibration) {
    MemorySettingsStore store;
    WriteCalibZoom(store, 950);
    EXPECT_EQ(store.ReadInt(kSection, "CalibZoom", 0), 950);
    CParameterSet params;
    ReadPanelSettings(store, params);
    EXPECT_EQ(params.m_CalibFactor, 1000.0 / 950);
}

TEST(SettingsIndexFonts, OnlyChangedValuesAreCopiedAndStored) {
    struct Case {
        const char* label;
        int IndexFontValues::*field;
        int value;
        const char* name;
        IndexFontChange change;
    };
    const Case cases[] = {
        {"screen font", &IndexFontValues::fontNoScreen, 1, "FontNoScreen", {true, false}},
        {"screen height", &IndexFontValues::heightScreen, 40, "FontHeightScreen", {true, false}},
        {"print font", &IndexFontValues::fontNoPrint, 1, "FontNoPrint", {false, true}},
        {"print height", &IndexFontValues::heightPrint, 28, "FontHeightPrint", {false, true}},
        {"screen y offset",
         &IndexFontValues::yOffsetScreen,
         5,
         "FontYoffsetScreen",
         {false, false}},
        {"print y offset", &IndexFontValues::yOffsetPrint, 7, "FontYoffsetPrint", {false, false}},
        {"x offset", &IndexFontValues::xOffset, -3, "FontXoffset", {false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        MemorySettingsStore store;
        CParameterSet params;
        IndexFontValues chosen = IndexFontsOf(params);
        chosen.*c.field = c.value;

        EXPECT_EQ(StoreChangedIndexFonts(store, params, chosen), c.change);
        EXPECT_EQ(store.Size(), 1u);
        EXPECT_EQ(store.ReadInt(kSection, c.name, -99), c.value);
        EXPECT_EQ(IndexFontsOf(params), chosen);
    }

    // "Reset" in the dialog (the defaults) and OK: only the two values that differed are
    // written.
    MemorySettingsStore store;
    CParameterSet params;
    params.m_FontHeightScreen = 50;
    params.m_FontXoffset = 4;
    EXPECT_EQ(StoreChangedIndexFonts(store, params, IndexFontValues{}),
              (IndexFontChange{true, false}));
    EXPECT_EQ(store.Size(), 2u);
    EXPECT_EQ(store.ReadInt(kSection, "FontHeightScreen", -99), 32);
    EXPECT_EQ(store.ReadInt(kSection, "FontXoffset", -99), -10);
    EXPECT_EQ(StoreChangedIndexFonts(store, params, IndexFontValues{}), IndexFontChange{});
    EXPECT_EQ(store.Size(), 2u);
}

TEST(SettingsImportBitmapWidth, OnlyWidthsAboveOneBecomeTheDefault) {
    struct Case {
        double width;
        bool stored;
        const char* text;
    };
    const Case cases[] = {
        {100, true, "100"},
        {1.5, true, "1.5"},
        {1, false, "142"},
        {0.5, false, "142"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        MemorySettingsStore store;
        EXPECT_EQ(StoreDefaultImportBitmapWidth(store, c.width), c.stored);
        EXPECT_EQ(ReadDefaultImportBitmapWidth(store), c.text);
    }
}

TEST(SettingsRecentFiles, EntriesAreNumberedFromOne) {
    EXPECT_EQ(kRecentFileSection, "Recent File List");
    EXPECT_EQ(kRecentFileCount, 4);
    EXPECT_EQ(RecentFileValueName(1), "File1");
    EXPECT_EQ(RecentFileValueName(4), "File4");
}

} // namespace
} // namespace xelmor
