// Pattern documents (*.ptn): the binary file of every simulation input, its writer and its
// reader, and opening a document as the program does (take-over and run, or the reset of an
// empty pattern when the file cannot be read).
#pragma once

#include "structfile/message.h"
#include "xelmor/core/params.h"
#include "xelmor/core/simulation.h"
#include "xelmor/files/settings.h"
#include "xelmor/files/spectrum_file.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xelmor {

// The first string of every pattern document, and that of the format before it.
inline constexpr std::string_view kPatternVersion = "Xelmor3.File";
inline constexpr std::string_view kPreviousPatternVersion = "Xelmorscope.File";

// A document may hold at most this many spectrum samples.
inline constexpr int kMaxPatternSpectrumSamples = 2000;

// The index ranges a document may hold, as the geometry dialog accepts them.
inline constexpr int kMaxPatternIndexRange = 999;

// Bytes of one atom record (Z, x, y, z, occupancy) and of one spectrum sample (wavelength,
// intensity).
inline constexpr int kPatternAtomBytes = 36;
inline constexpr int kPatternSampleBytes = 16;

// Everything a pattern document holds, in file order. Lengths in 0.1 mm, angles in degrees.
struct PatternDocument {
    CrystalData crystal;
    int transOrBack = 0;
    double D = 0;
    double H = 0, K = 0, L = 0;
    double h = 0, k = 0, l = 0;
    int Hmax = 0, Kmax = 0, Lmax = 0;
    int rotCrystSeq = 0;
    double rot1 = 0, rot2 = 0, rot3 = 0;
    int bTiltX = 0;
    double tilt = 0;
    double shiftY = 0, shiftX = 0; // the file holds y before x
    double saturate = 0, truncate = 0;
    double filmWidth = 0, filmHeight = 0;
    double spotWidth = 0, spotHeight = 0;
    double Isat = 0, Imax = 0, Itrunc = 0;
    int bCrossline = 0, bShowIndex = 0, bGrayScale = 0;
    Spectrum spectrum;
};

// The document of the parameter set's current values.
PatternDocument PatternDocumentOf(const CParameterSet& params);

// The bytes of the file: every field in order, little-endian, the strings in the wide form.
std::string FormatPatternDocument(const PatternDocument& doc);

// Writes the parameter set as a pattern document at `path`, replacing an existing file only
// once the new one is complete. Returns the message to show when the save failed.
std::optional<Message> SavePatternDocument(const std::string& path, const CParameterSet& params);

struct PatternParseResult {
    std::optional<PatternDocument> document; // the content, when the read succeeded
    std::vector<Message> messages;           // what a failed read shows, in order
};

// Interprets the bytes of a pattern document. Strings may come in the wide or the narrow form.
// The tilt-axis flag is read and then set to 0. A read fails with "Failed to open the file. An
// empty pattern is created." (stop icon), preceded by "No Version Two Files are allowed
// anymore!" (stop icon) for a file of the previous format, when
// - the version text is neither kPatternVersion nor kPreviousPatternVersion, or is the latter;
// - the data end before the last sample, or a count or string length asks for more bytes than
//   are left (nothing larger than the bytes left is ever allocated);
// - there are more than kMaxPatternSpectrumSamples samples;
// - an index range lies outside 0..kMaxPatternIndexRange (a run would take hours), an atom's Z
//   outside 1..92 (it indexes the form-factor table), or a real is not finite;
// - the wavelengths are not positive and strictly ascending, or an intensity is negative (the
//   run interpolates between neighbouring samples).
// A count of atoms or samples of 0 or less reads no records. Bytes after the last sample are
// ignored.
PatternParseResult ParsePatternDocument(std::string_view bytes);

// Takes a document over into the parameter set: every value it holds replaces the current one,
// the tilt-axis flag becomes 0, the spectrum comes without a file path, the atoms are regrouped
// and the reciprocal basis recomputed, the zoom becomes 100 and the geometry counts as set.
// Fonts, colours, the zoom calibration and the tool values stay as they are.
void TakeOverPatternDocument(CParameterSet& params, PatternDocument doc);

// The parameter-set and run side of a new, empty pattern: the spots of the last run, spot 000
// and the run's shift are cleared, the parameters are reset to the stored defaults and the
// default spectrum is loaded. Returns the default spectrum's read failure, if any. The merge
// slots, the selection and the recorded image belong to the document, which clears them.
std::optional<Message> ResetPattern(CParameterSet& params, SimulationResult& result,
                                    const SettingsStore& store, std::string_view programDir);

enum class PatternOpenStatus {
    Read,      // the document was taken over and simulated
    Reset,     // the content could not be read: the pattern was reset to an empty one
    NotOpened, // the file could not be opened; nothing changed
};

struct PatternOpenResult {
    PatternOpenStatus status = PatternOpenStatus::NotOpened;
    std::vector<Message> messages; // to show in order
    bool levelsShown = false;      // the run re-expressed the level fractions (see RunSimulation)
};

// Reads a document from its bytes as the program opens one: on success the content is taken
// over and the simulation is run; on failure the read's messages are followed by the reset of
// an empty pattern (and its default spectrum message, if any).
PatternOpenResult ReadPatternDocument(std::string_view bytes, CParameterSet& params,
                                      SimulationResult& result, const SettingsStore& store,
                                      std::string_view programDir);

// Opens the document file at `path` as ReadPatternDocument does. A file that cannot be opened
// changes nothing and gives "Failed to open " + path + "!" (stop icon).
PatternOpenResult OpenPatternDocument(const std::string& path, CParameterSet& params,
                                      SimulationResult& result, const SettingsStore& store,
                                      std::string_view programDir);

} // namespace xelmor
