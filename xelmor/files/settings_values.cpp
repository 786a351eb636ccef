#include "xelmor/files/settings_values.h"

#include "structfile/number_format.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace xelmor {

namespace {

// Which label font a changed value makes stale.
enum class FontRebuild { None, Screen, Print };

// A label font value: its name, the default and where it lives in the parameter set.
struct FontSetting {
    std::string_view name;
    int fallback;
    int CParameterSet::*member;
};

// The values of the index font dialog, with the dialog's field and the font they affect.
struct IndexFontSetting {
    FontSetting value;
    int IndexFontValues::*field;
    FontRebuild rebuild;
};

constexpr std::array<IndexFontSetting, 7> kIndexFontSettings{{
    {{setting::kFontNoScreen, kStartFontNoScreen, &CParameterSet::m_FontNoScreen},
     &IndexFontValues::fontNoScreen,
     FontRebuild::Screen},
    {{setting::kFontNoPrint, kStartFontNoPrint, &CParameterSet::m_FontNoPrint},
     &IndexFontValues::fontNoPrint,
     FontRebuild::Print},
    {{setting::kFontHeightScreen, kStartFontHeightScreen, &CParameterSet::m_FontHeightScreen},
     &IndexFontValues::heightScreen,
     FontRebuild::Screen},
    {{setting::kFontHeightPrint, kStartFontHeightPrint, &CParameterSet::m_FontHeightPrint},
     &IndexFontValues::heightPrint,
     FontRebuild::Print},
    {{setting::kFontYoffsetScreen, kStartFontYoffsetScreen, &CParameterSet::m_FontYoffsetScreen},
     &IndexFontValues::yOffsetScreen,
     FontRebuild::None},
    {{setting::kFontYoffsetPrint, kStartFontYoffsetPrint, &CParameterSet::m_FontYoffsetPrint},
     &IndexFontValues::yOffsetPrint,
     FontRebuild::None},
    {{setting::kFontXoffset, kStartFontXoffset, &CParameterSet::m_FontXoffset},
     &IndexFontValues::xOffset,
     FontRebuild::None},
}};

// The label values of exported images, kept in memory by the export dialog and stored at exit.
constexpr std::array<FontSetting, 4> kBmpFontSettings{{
    {setting::kFontNoBmp, kStartFontNoBmp, &CParameterSet::m_FontNoBmp},
    {setting::kFontHeightBmp, kStartFontHeightBmp, &CParameterSet::m_FontHeightBmp},
    {setting::kFontXoffsetBmp, kStartFontXoffsetBmp, &CParameterSet::m_FontXoffsetBmp},
    {setting::kFontYoffsetBmp, kStartFontYoffsetBmp, &CParameterSet::m_FontYoffsetBmp},
}};

int ReadInt(const SettingsStore& store, std::string_view name, int def) {
    return store.ReadInt(kSettingsSection, name, def);
}

void WriteInt(SettingsStore& store, std::string_view name, int value) {
    store.WriteInt(kSettingsSection, name, value);
}

} // namespace

std::string RecentFileValueName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, kRecentFileValueFormat, index);
    return name;
}

int ReadCheckedInt(const SettingsStore& store, const IntSetting& setting) {
    const int value = ReadInt(store, setting.name, setting.fallback);
    return value >= setting.min && value <= setting.max ? value : setting.fallback;
}

double ReadCheckedReal(const SettingsStore& store, const RealSetting& setting) {
    const double value = ParseDouble(store.ReadString(kSettingsSection, setting.name, ""));
    // Written so that NaN fails the check as well.
    return value >= setting.min && value <= setting.max ? value : setting.fallback;
}

void WriteReal(SettingsStore& store, std::string_view name, double value) {
    store.WriteString(kSettingsSection, name, FormatNumber(value, 8));
}

DocumentDefaults ReadDocumentDefaults(const SettingsStore& store) {
    DocumentDefaults d;
    d.transOrBack = ReadCheckedInt(store, kTransOrBackSetting);
    d.D = ReadCheckedReal(store, kDSetting);
    d.rotCrystSeq = ReadCheckedInt(store, kRotCrystSeqSetting);
    d.filmWidth = ReadCheckedReal(store, kFilmWidthSetting);
    d.filmHeight = ReadCheckedReal(store, kFilmHeightSetting);
    d.spotWidth = ReadCheckedReal(store, kSpotWidthSetting);
    d.spotHeight = ReadCheckedReal(store, kSpotHeightSetting);
    return d;
}

std::string DeliveredSpectrumPath(std::string_view programDir) {
    std::string path(programDir);
    path += static_cast<char>(std::filesystem::path::preferred_separator);
    path += kDefaultSpectrumFileName;
    return path;
}

std::string ReadDefaultSpectrumPath(const SettingsStore& store, std::string_view programDir) {
    std::string path = store.ReadString(kSettingsSection, setting::kDefaultSpectrum, "");
    if (path.empty())
        return DeliveredSpectrumPath(programDir);
    return path;
}

void WriteDefaultSpectrumPath(SettingsStore& store, std::string_view path) {
    store.WriteString(kSettingsSection, setting::kDefaultSpectrum, path);
}

LastFolders ReadLastFolders(const SettingsStore& store, std::string_view programDir) {
    return {store.ReadString(kSettingsSection, setting::kDirSpectrum, programDir),
            store.ReadString(kSettingsSection, setting::kDirCrystal, programDir)};
}

FramePlacement ReadFramePlacement(const SettingsStore& store) {
    FramePlacement frame;
    if (ReadInt(store, setting::kMainFrmMax, 0) == 1) {
        frame.maximised = true;
        return frame;
    }
    frame.x = ReadInt(store, setting::kMainFrmX, kDefaultFrameX);
    frame.y = ReadInt(store, setting::kMainFrmY, kDefaultFrameY);
    frame.cx = ReadInt(store, setting::kMainFrmCX, kDefaultFrameCX);
    frame.cy = ReadInt(store, setting::kMainFrmCY, kDefaultFrameCY);
    return frame;
}

void WriteExitValues(SettingsStore& store, const FramePlacement& frame, const LastFolders& folders,
                     const CParameterSet& params) {
    if (frame.maximised) {
        WriteInt(store, setting::kMainFrmMax, 1);
    } else {
        WriteInt(store, setting::kMainFrmMax, 0);
        WriteInt(store, setting::kMainFrmX, frame.x);
        WriteInt(store, setting::kMainFrmY, frame.y);
        WriteInt(store, setting::kMainFrmCX, frame.cx);
        WriteInt(store, setting::kMainFrmCY, frame.cy);
    }
    if (!folders.spectrum.empty())
        store.WriteString(kSettingsSection, setting::kDirSpectrum, folders.spectrum);
    if (!folders.crystal.empty())
        store.WriteString(kSettingsSection, setting::kDirCrystal, folders.crystal);
    WriteInt(store, setting::kTransOrBack, params.m_TransOrBack);
    WriteReal(store, setting::kD, params.m_D);
    for (const FontSetting& font : kBmpFontSettings)
        WriteInt(store, font.name, params.*font.member);
}

std::optional<int> ReadCalibZoom(const SettingsStore& store) {
    const int value = ReadInt(store, setting::kCalibZoom, kCalibZoomMissing);
    if (value <= 0)
        return std::nullopt;
    return value;
}

void ReadPanelSettings(const SettingsStore& store, CParameterSet& params) {
    if (const std::optional<int> calibZoom = ReadCalibZoom(store))
        SetZoomCalibration(params, *calibZoom);
    else
        ClearZoomCalibration(params);
    for (const IndexFontSetting& font : kIndexFontSettings)
        params.*font.value.member = ReadInt(store, font.value.name, font.value.fallback);
    for (const FontSetting& font : kBmpFontSettings)
        params.*font.member = ReadInt(store, font.name, font.fallback);
}

void WriteCalibZoom(SettingsStore& store, int calibZoom) {
    WriteInt(store, setting::kCalibZoom, calibZoom);
}

void WriteRotCrystSeqDefault(SettingsStore& store, int sequence) {
    WriteInt(store, setting::kRotCrystSeq, sequence);
}

void WriteFilmSizeDefault(SettingsStore& store, double width, double height) {
    WriteReal(store, setting::kFilmWidth, width);
    WriteReal(store, setting::kFilmHeight, height);
}

void WriteSpotSizeDefault(SettingsStore& store, double width, double height) {
    WriteReal(store, setting::kSpotWidth, width);
    WriteReal(store, setting::kSpotHeight, height);
}

std::string ReadDefaultImportBitmapWidth(const SettingsStore& store) {
    return store.ReadString(kSettingsSection, setting::kDefaultImportBitmapWidth,
                            kDefaultImportBitmapWidthText);
}

bool StoreDefaultImportBitmapWidth(SettingsStore& store, double widthMm) {
    if (!(widthMm > 1.0) || !std::isfinite(widthMm))
        return false;
    WriteReal(store, setting::kDefaultImportBitmapWidth, widthMm);
    return true;
}

IndexFontValues IndexFontsOf(const CParameterSet& params) {
    IndexFontValues values;
    for (const IndexFontSetting& font : kIndexFontSettings)
        values.*font.field = params.*font.value.member;
    return values;
}

IndexFontChange StoreChangedIndexFonts(SettingsStore& store, CParameterSet& params,
                                       const IndexFontValues& chosen) {
    IndexFontChange change;
    for (const IndexFontSetting& font : kIndexFontSettings) {
        const int value = chosen.*font.field;
        int& current = params.*font.value.member;
        if (value == current)
            continue;
        current = value;
        WriteInt(store, font.value.name, value);
        if (font.rebuild == FontRebuild::Screen)
            change.screenFont = true;
        else if (font.rebuild == FontRebuild::Print)
            change.printFont = true;
    }
    return change;
}

} // namespace xelmor
