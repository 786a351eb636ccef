#include "xelmor/files/pattern_doc.h"

#include "structfile/elements.h"
#include "structfile/text_file.h"
#include "xelmor/files/archive.h"
#include "xelmor/files/settings_values.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace xelmor {

namespace {

constexpr int kDocumentZoom = 100; // percent, the zoom a read document is shown at

Message ReadFailureMessage() {
    return MakeMessage("Failed to open the file. An empty pattern is created.", MsgIcon::Stop);
}

Message PreviousVersionMessage() {
    return MakeMessage("No Version Two Files are allowed anymore!", MsgIcon::Stop);
}

// The archive reader with the document's own checks on top: a real must be finite, and a
// record count must be covered by the bytes still unread before anything is allocated for it.
class DocumentReader {
public:
    explicit DocumentReader(std::string_view bytes) : in_(bytes) {}

    bool Ok() const { return in_.Ok() && valid_; }
    void Refuse() { valid_ = false; }

    std::string String() { return in_.ReadString(); }
    int Int() { return in_.ReadInt32(); }

    double Real() {
        const double v = in_.ReadDouble();
        if (!std::isfinite(v))
            valid_ = false;
        return v;
    }

    // The number of records to read for a count read from the file: none for 0 or less; a
    // count whose records would not fit into the bytes left fails the read.
    std::size_t Records(int count, std::size_t recordBytes) {
        if (!Ok() || count <= 0)
            return 0;
        const auto n = static_cast<std::size_t>(count);
        if (n > in_.Remaining() / recordBytes) {
            valid_ = false;
            return 0;
        }
        return n;
    }

private:
    ArchiveReader in_;
    bool valid_ = true;
};

bool IndexRangeIsValid(int range) {
    return range >= 0 && range <= kMaxPatternIndexRange;
}

// The run interpolates the spectrum between neighbouring samples and searches it by bisection:
// the wavelengths must be positive and strictly ascending, the intensities not negative.
bool SpectrumIsUsable(const Spectrum& s) {
    for (std::size_t i = 0; i < s.wavelength.size(); ++i) {
        if (!(s.wavelength[i] > 0.0) || s.intensity[i] < 0.0)
            return false;
        if (i > 0 && !(s.wavelength[i] > s.wavelength[i - 1]))
            return false;
    }
    return true;
}

PatternParseResult Failed(bool previousVersion = false) {
    PatternParseResult result;
    if (previousVersion)
        result.messages.push_back(PreviousVersionMessage());
    result.messages.push_back(ReadFailureMessage());
    return result;
}

} // namespace

PatternDocument PatternDocumentOf(const CParameterSet& p) {
    PatternDocument d;
    d.crystal = {p.m_strCrystalName, p.m_a,    p.m_b,     p.m_c,
                 p.m_alpha,          p.m_beta, p.m_gamma, p.m_Atoms};
    d.transOrBack = p.m_TransOrBack;
    d.D = p.m_D;
    d.H = p.m_H, d.K = p.m_K, d.L = p.m_L;
    d.h = p.m_h, d.k = p.m_k, d.l = p.m_l;
    d.Hmax = p.m_Hmax, d.Kmax = p.m_Kmax, d.Lmax = p.m_Lmax;
    d.rotCrystSeq = p.m_RotCrystSeq;
    d.rot1 = p.m_Rot1, d.rot2 = p.m_Rot2, d.rot3 = p.m_Rot3;
    d.bTiltX = p.m_bTiltX;
    d.tilt = p.m_Tilt;
    d.shiftY = p.m_ShiftY;
    d.shiftX = p.m_ShiftX;
    d.saturate = p.m_Saturate, d.truncate = p.m_Truncate;
    d.filmWidth = p.m_FilmWidth, d.filmHeight = p.m_FilmHeight;
    d.spotWidth = p.m_SpotWidth, d.spotHeight = p.m_SpotHeight;
    d.Isat = p.m_Isat, d.Imax = p.m_Imax, d.Itrunc = p.m_Itrunc;
    d.bCrossline = p.m_bCrossline, d.bShowIndex = p.m_bShowIndex, d.bGrayScale = p.m_bGrayScale;
    d.spectrum = SpectrumOf(p);
    return d;
}

std::string FormatPatternDocument(const PatternDocument& d) {
    ArchiveWriter out;
    out.WriteString(kPatternVersion);
    const CrystalData& c = d.crystal;
    out.WriteString(c.name);
    for (double v : {c.a, c.b, c.c, c.alpha, c.beta, c.gamma})
        out.WriteDouble(v);
    out.WriteInt32(static_cast<std::int32_t>(c.atoms.size()));
    for (const AtomSite& atom : c.atoms) {
        out.WriteInt32(atom.Z);
        for (double v : {atom.x, atom.y, atom.z, atom.occupancy})
            out.WriteDouble(v);
    }
    out.WriteInt32(d.transOrBack);
    for (double v : {d.D, d.H, d.K, d.L, d.h, d.k, d.l})
        out.WriteDouble(v);
    for (int v : {d.Hmax, d.Kmax, d.Lmax, d.rotCrystSeq})
        out.WriteInt32(v);
    for (double v : {d.rot1, d.rot2, d.rot3})
        out.WriteDouble(v);
    out.WriteInt32(d.bTiltX);
    for (double v : {d.tilt, d.shiftY, d.shiftX, d.saturate, d.truncate, d.filmWidth, d.filmHeight,
                     d.spotWidth, d.spotHeight, d.Isat, d.Imax, d.Itrunc})
        out.WriteDouble(v);
    for (int v : {d.bCrossline, d.bShowIndex, d.bGrayScale})
        out.WriteInt32(v);
    out.WriteString(d.spectrum.name);
    const int count = d.spectrum.Count();
    out.WriteInt32(count);
    for (int i = 0; i < count; ++i) {
        out.WriteDouble(d.spectrum.wavelength[i]);
        out.WriteDouble(d.spectrum.intensity[i]);
    }
    return out.Bytes();
}

std::optional<Message> SavePatternDocument(const std::string& path, const CParameterSet& params) {
    return SaveFile(path, FormatPatternDocument(PatternDocumentOf(params)));
}

PatternParseResult ParsePatternDocument(std::string_view bytes) {
    DocumentReader in(bytes);
    const std::string version = in.String();
    if (!in.Ok())
        return Failed();
    if (version == kPreviousPatternVersion)
        return Failed(true);
    if (version != kPatternVersion)
        return Failed();

    PatternDocument d;
    CrystalData& c = d.crystal;
    c.name = in.String();
    c.a = in.Real(), c.b = in.Real(), c.c = in.Real();
    c.alpha = in.Real(), c.beta = in.Real(), c.gamma = in.Real();
    const std::size_t nAtoms = in.Records(in.Int(), kPatternAtomBytes);
    c.atoms.reserve(nAtoms);
    for (std::size_t i = 0; i < nAtoms; ++i) {
        AtomSite atom;
        atom.Z = in.Int();
        atom.x = in.Real(), atom.y = in.Real(), atom.z = in.Real();
        atom.occupancy = in.Real();
        if (atom.Z < 1 || atom.Z > kElementCount)
            in.Refuse();
        c.atoms.push_back(atom);
    }

    d.transOrBack = in.Int();
    d.D = in.Real();
    d.H = in.Real(), d.K = in.Real(), d.L = in.Real();
    d.h = in.Real(), d.k = in.Real(), d.l = in.Real();
    d.Hmax = in.Int(), d.Kmax = in.Int(), d.Lmax = in.Int();
    if (!IndexRangeIsValid(d.Hmax) || !IndexRangeIsValid(d.Kmax) || !IndexRangeIsValid(d.Lmax))
        in.Refuse();
    d.rotCrystSeq = in.Int();
    d.rot1 = in.Real(), d.rot2 = in.Real(), d.rot3 = in.Real();
    in.Int(); // the legacy tilt-axis flag: whatever was written, it is not used
    d.bTiltX = 0;
    d.tilt = in.Real();
    d.shiftY = in.Real();
    d.shiftX = in.Real();
    d.saturate = in.Real(), d.truncate = in.Real();
    d.filmWidth = in.Real(), d.filmHeight = in.Real();
    d.spotWidth = in.Real(), d.spotHeight = in.Real();
    d.Isat = in.Real(), d.Imax = in.Real(), d.Itrunc = in.Real();
    d.bCrossline = in.Int(), d.bShowIndex = in.Int(), d.bGrayScale = in.Int();

    d.spectrum.name = in.String();
    const int samples = in.Int();
    if (samples > kMaxPatternSpectrumSamples)
        in.Refuse();
    const std::size_t nSamples = in.Records(samples, kPatternSampleBytes);
    d.spectrum.wavelength.reserve(nSamples);
    d.spectrum.intensity.reserve(nSamples);
    for (std::size_t i = 0; i < nSamples; ++i) {
        d.spectrum.wavelength.push_back(in.Real());
        d.spectrum.intensity.push_back(in.Real());
    }
    if (!in.Ok() || !SpectrumIsUsable(d.spectrum))
        return Failed();

    PatternParseResult result;
    result.document = std::move(d);
    return result;
}

void TakeOverPatternDocument(CParameterSet& p, PatternDocument d) {
    p.m_nZoom = kDocumentZoom;
    TakeOverCrystal(p, std::move(d.crystal));
    p.m_TransOrBack = d.transOrBack;
    p.m_D = d.D;
    p.m_H = d.H, p.m_K = d.K, p.m_L = d.L;
    p.m_h = d.h, p.m_k = d.k, p.m_l = d.l;
    p.m_Hmax = d.Hmax, p.m_Kmax = d.Kmax, p.m_Lmax = d.Lmax;
    p.m_RotCrystSeq = d.rotCrystSeq;
    p.m_Rot1 = d.rot1, p.m_Rot2 = d.rot2, p.m_Rot3 = d.rot3;
    p.m_bTiltX = 0;
    p.m_Tilt = d.tilt;
    p.m_ShiftY = d.shiftY;
    p.m_ShiftX = d.shiftX;
    p.m_Saturate = d.saturate, p.m_Truncate = d.truncate;
    p.m_FilmWidth = d.filmWidth, p.m_FilmHeight = d.filmHeight;
    p.m_SpotWidth = d.spotWidth, p.m_SpotHeight = d.spotHeight;
    p.m_Isat = d.Isat, p.m_Imax = d.Imax, p.m_Itrunc = d.Itrunc;
    p.m_bCrossline = d.bCrossline, p.m_bShowIndex = d.bShowIndex, p.m_bGrayScale = d.bGrayScale;
    InstallSpectrum(p, std::move(d.spectrum), std::string());
    p.m_bGeometrySet = 1;
}

std::optional<Message> ResetPattern(CParameterSet& params, SimulationResult& result,
                                    const SettingsStore& store, std::string_view programDir) {
    result.spots.clear();
    result.spot000X = result.spot000Y = 0;
    result.runShiftX = result.runShiftY = 0;
    ResetParameters(params, ReadDocumentDefaults(store));
    return LoadDefaultSpectrum(params, store, programDir);
}

PatternOpenResult ReadPatternDocument(std::string_view bytes, CParameterSet& params,
                                      SimulationResult& result, const SettingsStore& store,
                                      std::string_view programDir) {
    PatternParseResult parsed = ParsePatternDocument(bytes);
    PatternOpenResult open;
    open.messages = std::move(parsed.messages);
    if (!parsed.document) {
        open.status = PatternOpenStatus::Reset;
        if (std::optional<Message> spectrum = ResetPattern(params, result, store, programDir))
            open.messages.push_back(std::move(*spectrum));
        return open;
    }
    result.spots.clear();
    TakeOverPatternDocument(params, std::move(*parsed.document));
    open.status = PatternOpenStatus::Read;
    open.levelsShown = RunSimulation(params, result);
    return open;
}

PatternOpenResult OpenPatternDocument(const std::string& path, CParameterSet& params,
                                      SimulationResult& result, const SettingsStore& store,
                                      std::string_view programDir) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        PatternOpenResult open;
        open.messages.push_back(MakeMessage("Failed to open " + path + "!", MsgIcon::Stop));
        return open;
    }
    return ReadPatternDocument(bytes, params, result, store, programDir);
}

} // namespace xelmor
