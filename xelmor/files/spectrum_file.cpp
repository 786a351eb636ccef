#include "xelmor/files/spectrum_file.h"

#include "structfile/number_format.h"
#include "structfile/text.h"
#include "structfile/text_file.h"
#include "xelmor/files/archive.h"
#include "xelmor/files/settings_values.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace xelmor {

namespace {

constexpr std::string_view kNameTag = "Name:";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kObsoleteExtension = ".spectrum";
constexpr int kSpctDecimals = 8;

bool IsWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view TrimLeft(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsWhite(s[i]))
        ++i;
    return s.substr(i);
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    std::size_t n = s.size();
    while (n > 0 && IsWhite(s[n - 1]))
        --n;
    return s.substr(0, n);
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (LowerAscii(s[i]) != LowerAscii(prefix[i]))
            return false;
    }
    return true;
}

bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() &&
           StartsWithNoCase(s.substr(s.size() - suffix.size()), suffix);
}

// The name of a name line, or nothing when the line is none. A line holding a comment marker is
// cut there and trimmed first; otherwise the tag must stand in the first column.
std::optional<std::string> NameOfLine(std::string_view line) {
    const std::size_t comment = line.find_first_of("!#");
    if (comment != std::string_view::npos)
        line = Trim(line.substr(0, comment));
    if (!StartsWithNoCase(line, kNameTag))
        return std::nullopt;
    return std::string(TrimLeft(line.substr(kNameTag.size())));
}

SpectrumReadResult Failure(Message message) {
    SpectrumReadResult result;
    result.message = std::move(message);
    return result;
}

} // namespace

std::optional<Spectrum> ParseSpct(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    Spectrum s;
    double maximum = 0.0;
    bool nameSearch = true;
    for (std::string_view line : SplitLines(text)) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (nameSearch) {
            if (std::optional<std::string> name = NameOfLine(line)) {
                s.name = std::move(*name);
                nameSearch = false;
                continue;
            }
        }
        const std::string cleaned = CleanLine(line);
        if (cleaned.find(' ') == std::string::npos)
            continue;
        const std::vector<std::string> tokens = SplitTokens(cleaned, 2);
        const double wavelength = ParseDouble(tokens[0]);
        const double intensity = ParseDouble(tokens[1]);
        // A number too large for a double reads as infinity: an infinite wavelength would end
        // the table for good and an infinite intensity would turn the normalised ones into NaN.
        if (!std::isfinite(wavelength) || !std::isfinite(intensity))
            continue;
        if (!s.wavelength.empty() && s.wavelength.back() >= wavelength)
            continue;
        if (!(wavelength > 0.0) || intensity < 0.0)
            continue;
        s.wavelength.push_back(wavelength);
        s.intensity.push_back(intensity);
        maximum = std::max(maximum, intensity);
        if (s.Count() >= kMaxSpctSamples)
            break;
    }
    if (s.Count() < 2 || !(maximum > 0.0))
        return std::nullopt;
    for (double& v : s.intensity)
        v /= maximum;
    return s;
}

std::optional<Spectrum> ParseObsoleteSpectrum(std::string_view bytes) {
    ArchiveReader in(bytes);
    if (in.ReadString() != kObsoleteSpectrumTag || !in.Ok())
        return std::nullopt;
    Spectrum s;
    s.wavelength.reserve(kObsoleteSpectrumSamples);
    s.intensity.reserve(kObsoleteSpectrumSamples);
    for (int i = 0; i < kObsoleteSpectrumSamples; ++i) {
        const double intensity = in.ReadDouble();
        // The simulation weighs reflections by these values: a negative or non-finite one would
        // give negative or NaN spot intensities.
        if (!in.Ok() || !std::isfinite(intensity) || intensity < 0.0)
            return std::nullopt;
        s.wavelength.push_back(i * kObsoleteSpectrumStep);
        s.intensity.push_back(intensity);
    }
    return s;
}

SpectrumReadResult ReadSpctFile(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return Failure(MakeMessage("Spectrum " + path + " not found!", MsgIcon::Stop));
    SpectrumReadResult result;
    result.spectrum = ParseSpct(DecodeText(bytes));
    if (!result.spectrum) {
        result.message = MakeMessage(
            "No (enough) valid data in " + path + ". Please check the file format.", MsgIcon::None);
    }
    return result;
}

SpectrumReadResult ReadObsoleteSpectrumFile(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return Failure(MakeMessage(path + " not found!", MsgIcon::Stop));
    SpectrumReadResult result;
    result.spectrum = ParseObsoleteSpectrum(bytes);
    if (!result.spectrum)
        result.message = MakeMessage("Failed to load the file!", MsgIcon::Stop);
    return result;
}

bool IsObsoleteSpectrumPath(std::string_view path) {
    return EndsWithNoCase(path, kObsoleteExtension);
}

SpectrumReadResult ReadSpectrumFile(const std::string& path) {
    return IsObsoleteSpectrumPath(path) ? ReadObsoleteSpectrumFile(path) : ReadSpctFile(path);
}

std::string FormatSpct(const Spectrum& spectrum) {
    std::string name = spectrum.name;
    for (char& c : name) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    std::string out;
    AppendLine(out, "Name: " + name);
    AppendLine(out, "! Wavelength(A)\tIntensity");
    const int count = spectrum.Count();
    for (int i = 0; i < count; ++i) {
        out += FormatNumber(spectrum.wavelength[i], kSpctDecimals);
        out += '\t';
        out += FormatNumber(spectrum.intensity[i], kSpctDecimals);
        out += kLineEnd;
    }
    return out;
}

std::optional<Message> CheckSpectrumLoaded(const Spectrum& spectrum) {
    if (spectrum.Count() <= 1)
        return MakeMessage("No Spectrum Loaded Yet.", MsgIcon::None);
    return std::nullopt;
}

std::optional<Message> SaveSpectrumFile(const std::string& path, const Spectrum& spectrum) {
    if (std::optional<Message> none = CheckSpectrumLoaded(spectrum))
        return none;
    if (IsObsoleteSpectrumPath(path)) {
        return MakeMessage("*.Spectrum file is out of date. Use *.spct or other extensions.",
                           MsgIcon::None);
    }
    return SaveFile(path, FormatSpct(spectrum));
}

Message SetDefaultSpectrum(SettingsStore& store, const Spectrum& spectrum,
                           const std::string& file) {
    if (std::optional<Message> none = CheckSpectrumLoaded(spectrum))
        return *none;
    if (file.empty())
        return MakeMessage("First save the spectrum as a file please.", MsgIcon::None);
    WriteDefaultSpectrumPath(store, file);
    return MakeMessage("Current spectrum has been set as the default spectrum.",
                       MsgIcon::Information);
}

Spectrum SpectrumOf(const CParameterSet& params) {
    return {params.m_strSpectrumName, params.m_Wavelength, params.m_Intensity};
}

void InstallSpectrum(CParameterSet& params, Spectrum spectrum, std::string file) {
    FreeSpectrum(params);
    const auto count = static_cast<std::size_t>(spectrum.Count());
    spectrum.wavelength.resize(count);
    spectrum.intensity.resize(count);
    params.m_strSpectrumName = std::move(spectrum.name);
    params.m_strSpectrumFile = std::move(file);
    params.m_Wavelength = std::move(spectrum.wavelength);
    params.m_Intensity = std::move(spectrum.intensity);
}

std::optional<Message> LoadDefaultSpectrum(CParameterSet& params, const SettingsStore& store,
                                           std::string_view programDir) {
    std::string path = ReadDefaultSpectrumPath(store, programDir);
    SpectrumReadResult read = ReadSpectrumFile(path);
    if (read.spectrum && read.spectrum->Count() >= 2) {
        InstallSpectrum(params, std::move(*read.spectrum), std::move(path));
        return std::nullopt;
    }
    FreeSpectrum(params);
    if (read.message.text.empty())
        return std::nullopt;
    return read.message;
}

} // namespace xelmor
