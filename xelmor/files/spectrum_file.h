// Spectra of the incident beam: the .spct text files (reader and writer), the obsolete binary
// .spectrum files (reader), installing a spectrum into the parameter set and the load of the
// default spectrum with every new pattern.
#pragma once

#include "structfile/message.h"
#include "xelmor/core/params.h"
#include "xelmor/files/settings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xelmor {

// A table of wavelengths (Angstrom) and intensities, the two arrays in step.
struct Spectrum {
    std::string name;
    std::vector<double> wavelength;
    std::vector<double> intensity;

    // Number of samples (of the shorter array); fewer than 2 means no spectrum.
    int Count() const {
        return static_cast<int>(wavelength.size() < intensity.size() ? wavelength.size()
                                                                     : intensity.size());
    }

    bool operator==(const Spectrum&) const = default;
};

// A .spct file keeps at most this many samples; reading stops at the last of them.
inline constexpr int kMaxSpctSamples = 2000;

// An obsolete .spectrum file holds this many intensities, at the wavelengths 0, 0.01, ... 3.00.
inline constexpr int kObsoleteSpectrumSamples = 301;
inline constexpr double kObsoleteSpectrumStep = 0.01;
// The text an obsolete file starts with.
inline constexpr std::string_view kObsoleteSpectrumTag = "Xelmorscope.Spectrum";

// Interprets the text of a .spct file (UTF-8, LF or CR LF line ends):
// - until a name line is found, a line holding '!' or '#' is cut there and trimmed; a line that
//   then begins with "Name:" (any case) gives the name (the rest, leading white space removed);
// - every other line is cleaned as structure file lines are; one without a blank is skipped;
//   the text before the first blank is the wavelength, the rest gives the intensity;
// - a sample is kept when its wavelength is greater than 0 and than the previous kept one, its
//   intensity is at least 0 and both are finite; reading stops at kMaxSpctSamples samples;
// - the intensities are divided by their maximum, which becomes exactly 1.
// No value when fewer than 2 samples were kept or all intensities are 0.
std::optional<Spectrum> ParseSpct(std::string_view text);

// Interprets an obsolete .spectrum file: the archive string kObsoleteSpectrumTag (narrow or wide
// form, exact case) and kObsoleteSpectrumSamples little-endian doubles, the intensities as they
// are (the name is empty). No value when the string differs, the data end early or an intensity
// is negative or not finite. Bytes after the last double are ignored.
std::optional<Spectrum> ParseObsoleteSpectrum(std::string_view bytes);

struct SpectrumReadResult {
    std::optional<Spectrum> spectrum; // the spectrum, when the read succeeded
    Message message;                  // the failure to show; empty text on success
};

// Reads the .spct file at `path`. Failures: "Spectrum " + path + " not found!" (stop icon) when
// it cannot be opened, "No (enough) valid data in " + path + ". Please check the file format."
// (no icon) when too few samples are valid.
SpectrumReadResult ReadSpctFile(const std::string& path);

// Reads the obsolete .spectrum file at `path`. Failures: path + " not found!" (stop icon) when
// it cannot be opened, "Failed to load the file!" (stop icon) when its content is not valid.
SpectrumReadResult ReadObsoleteSpectrumFile(const std::string& path);

// Whether the path names an obsolete spectrum file: it ends with ".spectrum" in any case.
bool IsObsoleteSpectrumPath(std::string_view path);

// Reads the file as an obsolete spectrum or as a .spct file, as its name says.
SpectrumReadResult ReadSpectrumFile(const std::string& path);

// The text of a .spct file as the program writes it (CR LF line ends): "Name: " + name, the
// column heading, then per sample wavelength and intensity at 8 decimals joined by a TAB. Line
// breaks in the name are written as blanks, so that the name stays one line.
std::string FormatSpct(const Spectrum& spectrum);

// The checks before a spectrum is saved or made the default: "No Spectrum Loaded Yet." (no
// icon) when it has fewer than 2 samples.
std::optional<Message> CheckSpectrumLoaded(const Spectrum& spectrum);

// Saves the spectrum as a .spct file at `path`, replacing an existing file safely. Returns the
// message to show when nothing was saved: no spectrum (as CheckSpectrumLoaded), a path with the
// extension of the obsolete files ("*.Spectrum file is out of date. Use *.spct or other
// extensions.", no icon), "Failed to open " + path + "!" (stop icon) when the file cannot be
// created and "Failed to write " + path + "!" (stop icon) when writing it failed.
std::optional<Message> SaveSpectrumFile(const std::string& path, const Spectrum& spectrum);

// "Set as Default Spectrum": stores `file` as the default spectrum and returns "Current spectrum
// has been set as the default spectrum." (information icon); without a spectrum it returns the
// message of CheckSpectrumLoaded, without a file "First save the spectrum as a file please.",
// and stores nothing.
Message SetDefaultSpectrum(SettingsStore& store, const Spectrum& spectrum, const std::string& file);

// The parameter set's spectrum as a value (a copy of its name and samples).
Spectrum SpectrumOf(const CParameterSet& params);

// Replaces the parameter set's spectrum wholesale: name, the file it came from and the samples.
void InstallSpectrum(CParameterSet& params, Spectrum spectrum, std::string file);

// The last step of every document reset: reads the stored default spectrum (or the delivered one
// in the program folder when none is stored), as an obsolete file when its name ends with
// ".spectrum", else as a .spct file, and installs it with its path. When the read gives no
// spectrum the parameter set is left without one (no samples, no name, no path). Returns the
// reader's message when the read failed.
std::optional<Message> LoadDefaultSpectrum(CParameterSet& params, const SettingsStore& store,
                                           std::string_view programDir);

} // namespace xelmor
