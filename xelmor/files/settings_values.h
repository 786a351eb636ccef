// The stored settings of Xelmor: section and value names, defaults and accepted ranges, and the
// readers and writers used at start-up, at every document reset, by the dialogs and at exit.
#pragma once

#include "xelmor/core/lattice.h"
#include "xelmor/core/params.h"
#include "xelmor/files/settings.h"

#include <optional>
#include <string>
#include <string_view>

namespace xelmor {

// Section of every value of the program's own.
inline constexpr std::string_view kSettingsSection = "Settings";

// The recent-document list: values "File1" .. "File4" in their own section.
inline constexpr std::string_view kRecentFileSection = "Recent File List";
inline constexpr char kRecentFileValueFormat[] = "File%d";
inline constexpr int kRecentFileCount = 4;

// Name of entry `index` (1 .. kRecentFileCount) of the recent-document list.
std::string RecentFileValueName(int index);

// Value names in the section "Settings".
namespace setting {
inline constexpr std::string_view kDirSpectrum = "DirSpectrum";
inline constexpr std::string_view kDirCrystal = "DirCrystal";
inline constexpr std::string_view kMainFrmMax = "MainFrmMax";
inline constexpr std::string_view kMainFrmX = "MainFrmX";
inline constexpr std::string_view kMainFrmY = "MainFrmY";
inline constexpr std::string_view kMainFrmCX = "MainFrmCX";
inline constexpr std::string_view kMainFrmCY = "MainFrmCY";
inline constexpr std::string_view kCalibZoom = "CalibZoom";
inline constexpr std::string_view kTransOrBack = "TransOrBack";
inline constexpr std::string_view kD = "m_D";
inline constexpr std::string_view kRotCrystSeq = "RotCrystSeq";
inline constexpr std::string_view kFilmWidth = "FilmWidth";
inline constexpr std::string_view kFilmHeight = "FilmHeight";
inline constexpr std::string_view kSpotWidth = "SpotWidth";
inline constexpr std::string_view kSpotHeight = "SpotHeight";
inline constexpr std::string_view kDefaultSpectrum = "DefaultSpectrum";
inline constexpr std::string_view kDefaultImportBitmapWidth = "DefaultImportBitmapWidth";
inline constexpr std::string_view kFontNoScreen = "FontNoScreen";
inline constexpr std::string_view kFontHeightScreen = "FontHeightScreen";
inline constexpr std::string_view kFontXoffset = "FontXoffset";
inline constexpr std::string_view kFontYoffsetScreen = "FontYoffsetScreen";
inline constexpr std::string_view kFontNoPrint = "FontNoPrint";
inline constexpr std::string_view kFontHeightPrint = "FontHeightPrint";
inline constexpr std::string_view kFontYoffsetPrint = "FontYoffsetPrint";
inline constexpr std::string_view kFontNoBmp = "FontNoBmp";
inline constexpr std::string_view kFontHeightBmp = "FontHeightBMP";
inline constexpr std::string_view kFontXoffsetBmp = "FontXoffsetBMP";
inline constexpr std::string_view kFontYoffsetBmp = "FontYoffsetBMP";
} // namespace setting

// An integer setting whose stored value must lie in [min, max]; anything else (and a missing
// value) reads as the fallback.
struct IntSetting {
    std::string_view name;
    int fallback;
    int min;
    int max;
};

// A real setting stored as text; the text is read as atof reads it (unparsable text gives 0)
// and any value outside [min, max], NaN included, reads as the fallback.
struct RealSetting {
    std::string_view name;
    double fallback;
    double min;
    double max;
};

// The values a document reset reads (lengths in 0.1 mm).
inline constexpr IntSetting kTransOrBackSetting{setting::kTransOrBack, kStartTransOrBack, 0, 1};
inline constexpr RealSetting kDSetting{setting::kD, kStartD, 0.001, 100000.0};
inline constexpr IntSetting kRotCrystSeqSetting{setting::kRotCrystSeq, kStartRotCrystSeq, 0,
                                                kRotationSequenceCount - 1};
inline constexpr RealSetting kFilmWidthSetting{setting::kFilmWidth, kStartFilmWidth, 200.0,
                                               50000.0};
inline constexpr RealSetting kFilmHeightSetting{setting::kFilmHeight, kStartFilmHeight, 200.0,
                                                50000.0};
inline constexpr RealSetting kSpotWidthSetting{setting::kSpotWidth, kStartSpotWidth, 0.1, 200.0};
inline constexpr RealSetting kSpotHeightSetting{setting::kSpotHeight, kStartSpotHeight, 0.1, 200.0};

// Placement of the main window when none is stored (screen pixels).
inline constexpr int kDefaultFrameX = 10;
inline constexpr int kDefaultFrameY = 20;
inline constexpr int kDefaultFrameCX = 800;
inline constexpr int kDefaultFrameCY = 600;

// "CalibZoom" reads as this when the screen was never calibrated.
inline constexpr int kCalibZoomMissing = -1;

// File name of the spectrum delivered in the program folder, the default spectrum when none is
// stored.
inline constexpr std::string_view kDefaultSpectrumFileName = "NSLS-BM.spct";

// Default real width in mm of an imported recorded image, as text.
inline constexpr std::string_view kDefaultImportBitmapWidthText = "142";

// Readers of one checked value.
int ReadCheckedInt(const SettingsStore& store, const IntSetting& setting);
double ReadCheckedReal(const SettingsStore& store, const RealSetting& setting);

// Stores a real as text with the shared number formatter at 8 decimals (25 -> "25").
void WriteReal(SettingsStore& store, std::string_view name, double value);

// The geometry kind, distance, rotation sequence, film and spot sizes a new pattern starts
// from, each checked against its range.
DocumentDefaults ReadDocumentDefaults(const SettingsStore& store);

// The file of the delivered spectrum: the program folder, the native separator and its name.
std::string DeliveredSpectrumPath(std::string_view programDir);

// The spectrum loaded with every new pattern: the stored path, or the delivered spectrum when
// none (or an empty one) is stored.
std::string ReadDefaultSpectrumPath(const SettingsStore& store, std::string_view programDir);
void WriteDefaultSpectrumPath(SettingsStore& store, std::string_view path);

// The folders last used for spectrum and crystal structure files.
struct LastFolders {
    std::string spectrum;
    std::string crystal;

    bool operator==(const LastFolders&) const = default;
};

// Both folders, each defaulting to the program folder when missing.
LastFolders ReadLastFolders(const SettingsStore& store, std::string_view programDir);

// Placement of the main window. When maximised the rectangle is the one of the last normal
// placement (not read again from the store).
struct FramePlacement {
    bool maximised = false;
    int x = kDefaultFrameX;
    int y = kDefaultFrameY;
    int cx = kDefaultFrameCX;
    int cy = kDefaultFrameCY;

    bool operator==(const FramePlacement&) const = default;
};

// "MainFrmMax" = 1 gives a maximised window and the default rectangle; otherwise the stored
// rectangle with the defaults for missing values.
FramePlacement ReadFramePlacement(const SettingsStore& store);

// What the main window stores when it closes: the placement (maximised: only "MainFrmMax" = 1,
// so the last normal rectangle survives; otherwise 0 and the rectangle of the restored
// window), the two folders (each only when not empty), the geometry kind, the distance and the
// four label values of exported images.
void WriteExitValues(SettingsStore& store, const FramePlacement& frame, const LastFolders& folders,
                     const CParameterSet& params);

// The measured length of the calibration bar in 0.1 mm, or nothing when the screen was never
// calibrated. A stored value of 0 or less cannot give a scale and counts as never calibrated.
std::optional<int> ReadCalibZoom(const SettingsStore& store);

// What the control panel reads once when it is created: the zoom calibration and the eleven
// label font values.
void ReadPanelSettings(const SettingsStore& store, CParameterSet& params);

// The calibration dialog's OK.
void WriteCalibZoom(SettingsStore& store, int calibZoom);

// The "Set as Default" buttons of the rotation-sequence, detector-size and spot-size dialogs
// (sizes in 0.1 mm).
void WriteRotCrystSeqDefault(SettingsStore& store, int sequence);
void WriteFilmSizeDefault(SettingsStore& store, double width, double height);
void WriteSpotSizeDefault(SettingsStore& store, double width, double height);

// The default real width of an imported recorded image, as the text the dialog shows.
std::string ReadDefaultImportBitmapWidth(const SettingsStore& store);

// Stores the width (mm) of an accepted recorded image as the new default, only when it is
// greater than 1; returns whether it was stored.
bool StoreDefaultImportBitmapWidth(SettingsStore& store, double widthMm);

// The values the index font dialog edits (heights and offsets in 0.1 mm).
struct IndexFontValues {
    int fontNoScreen = kStartFontNoScreen;
    int fontNoPrint = kStartFontNoPrint;
    int heightScreen = kStartFontHeightScreen;
    int heightPrint = kStartFontHeightPrint;
    int yOffsetScreen = kStartFontYoffsetScreen;
    int yOffsetPrint = kStartFontYoffsetPrint;
    int xOffset = kStartFontXoffset;

    bool operator==(const IndexFontValues&) const = default;
};

// The dialog's values as the parameter set holds them.
IndexFontValues IndexFontsOf(const CParameterSet& params);

// Which label fonts must be rebuilt after the index font dialog.
struct IndexFontChange {
    bool screenFont = false; // its font index or height changed
    bool printFont = false;

    bool operator==(const IndexFontChange&) const = default;
};

// The index font dialog's OK: every value that differs from the parameter set's is copied into
// it and stored under its own name; the others are neither copied nor written.
IndexFontChange StoreChangedIndexFonts(SettingsStore& store, CParameterSet& params,
                                       const IndexFontValues& chosen);

} // namespace xelmor
