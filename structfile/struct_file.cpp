#include "structfile/struct_file.h"

#include "structfile/elements.h"
#include "structfile/number_format.h"
#include "structfile/text.h"
#include "structfile/text_file.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace xelmor {

namespace {

// Accepted intervals of the two readers.
constexpr double kTessaluneLengthMin = 0.001;
constexpr double kTessaluneLengthMax = 5000.0;
constexpr double kTessaluneAngleMin = 0.001;
constexpr double kTessaluneAngleMax = 179.999;
constexpr int kTessaluneCountMax = 9999;
constexpr double kTessaluneOccupancyMin = 1e-30;
constexpr double kXelmorAngleMax = 180.0;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Hands out the lines of a text one at a time, without copying the text.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : rest_(text) {}

    // The next line, cleaned; false when the text is exhausted.
    bool Next(std::string& cleaned) {
        if (rest_.empty())
            return false;
        std::size_t end = rest_.find('\n');
        std::string_view line;
        if (end == std::string_view::npos) {
            line = rest_;
            rest_ = std::string_view();
        } else {
            line = rest_.substr(0, end);
            rest_ = rest_.substr(end + 1);
        }
        cleaned = CleanLine(line);
        return true;
    }

    // The next line that is not blank after cleaning; false when the text ends before one.
    bool NextMeaningful(std::string& cleaned) {
        while (Next(cleaned)) {
            if (!cleaned.empty())
                return true;
        }
        return false;
    }

private:
    std::string_view rest_;
};

bool LengthAccepted(double v, StructDialect dialect) {
    if (dialect == StructDialect::Tessalune)
        return v >= kTessaluneLengthMin && v <= kTessaluneLengthMax;
    // Greater than 0 alone would let an overflowing "1e999" through as infinity.
    return v > 0.0 && std::isfinite(v);
}

bool AngleAccepted(double v, StructDialect dialect) {
    if (dialect == StructDialect::Tessalune)
        return v >= kTessaluneAngleMin && v <= kTessaluneAngleMax;
    return v > 0.0 && v < kXelmorAngleMax;
}

bool CountAccepted(int n, StructDialect dialect) {
    if (dialect == StructDialect::Tessalune)
        return n >= 1 && n <= kTessaluneCountMax;
    return n >= 1;
}

bool OccupancyKept(double v, StructDialect dialect) {
    if (dialect == StructDialect::Tessalune)
        return v >= kTessaluneOccupancyMin && v <= 1.0;
    return v > 0.0 && v <= 1.0;
}

// Reads the next meaningful line as three numbers checked by `accepted`.
template <typename Check>
bool ReadTriple(LineCursor& lines, double& p, double& q, double& r, Check accepted) {
    std::string cleaned;
    if (!lines.NextMeaningful(cleaned))
        return false;
    const std::vector<std::string> tokens = SplitTokens(cleaned, 3);
    p = ParseDouble(tokens[0]);
    q = ParseDouble(tokens[1]);
    r = ParseDouble(tokens[2]);
    return accepted(p) && accepted(q) && accepted(r);
}

std::string_view FileNameOf(std::string_view path) {
#ifdef _WIN32
    const std::size_t slash = path.find_last_of("\\/:");
#else
    const std::size_t slash = path.find_last_of('/');
#endif
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// A line break inside the name would split the name line and break the file's structure.
std::string NameForLine(const std::string& name) {
    std::string out = name;
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    return out;
}

std::string Num(double v) {
    return FormatNumber(v, 8);
}

// The atom lines and their number: atoms without an element symbol are left out.
std::string AtomLines(const std::vector<AtomSite>& atoms, int& count) {
    std::string out;
    count = 0;
    for (const AtomSite& atom : atoms) {
        const char* symbol = ElementSymbol(atom.Z);
        if (symbol == nullptr)
            continue;
        ++count;
        AppendLine(out, std::string(symbol) + "\t" + Num(atom.x) + "\t" + Num(atom.y) + "\t" +
                            Num(atom.z) + "\t" + Num(atom.occupancy));
    }
    return out;
}

std::string CellLines(const StructureData& d, std::string_view lengthUnit) {
    std::string out;
    AppendLine(out, NameForLine(d.name) + "\t\t\t! Crystal Name");
    AppendLine(out, Num(d.a) + "\t" + Num(d.b) + "\t" + Num(d.c) +
                        "\t! Lattice constants a, b, c (" + std::string(lengthUnit) + ")");
    AppendLine(out, Num(d.alpha) + "\t" + Num(d.beta) + "\t" + Num(d.gamma) +
                        "\t! alpha, beta, gamma (degrees)");
    out += kLineEnd;
    return out;
}

Message OpenFailure(const std::string& path, StructDialect dialect) {
    if (dialect == StructDialect::Tessalune)
        return MakeMessage("Failed to open file '" + path + "' !    ", MsgIcon::Stop);
    return MakeMessage("Cannot open the file  " + std::string(FileNameOf(path)) + "! ",
                       MsgIcon::None);
}

Message ReadFailure(const std::string& path, StructDialect dialect) {
    if (dialect == StructDialect::Tessalune)
        return MakeMessage(
            "Failed to read the file.\n\nPlease use Notepad to correct this file.   \n"
            "See \"Silicon.struct\" for correct format.",
            MsgIcon::Exclamation, "Error in Reading Structure File");
    return MakeMessage("Cannot read " + path +
                           ".\nRefer to \"\\Silicon.struct\" for correct text format.",
                       MsgIcon::Exclamation);
}

} // namespace

std::vector<int> AtomKinds(const std::vector<AtomSite>& atoms) {
    bool present[kElementCount + 1] = {};
    for (const AtomSite& atom : atoms) {
        if (atom.Z >= 1 && atom.Z <= kElementCount)
            present[atom.Z] = true;
    }
    std::vector<int> kinds;
    for (int Z = 1; Z <= kElementCount; ++Z) {
        if (present[Z])
            kinds.push_back(Z);
    }
    return kinds;
}

std::optional<StructureData> ParseStructure(std::string_view text, StructDialect dialect) {
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    LineCursor lines(text);
    StructureData d;
    std::string cleaned;

    if (!lines.NextMeaningful(cleaned))
        return std::nullopt;
    d.name = cleaned;

    if (!ReadTriple(lines, d.a, d.b, d.c, [&](double v) { return LengthAccepted(v, dialect); }))
        return std::nullopt;
    if (!ReadTriple(lines, d.alpha, d.beta, d.gamma,
                    [&](double v) { return AngleAccepted(v, dialect); }))
        return std::nullopt;

    if (!lines.NextMeaningful(cleaned))
        return std::nullopt;
    const int count = ParseInt(cleaned);
    if (!CountAccepted(count, dialect))
        return std::nullopt;

    // Atoms are appended as they are read: the count is only an upper bound, never a size to
    // allocate, so a huge count in a small file costs nothing.
    const auto wanted = static_cast<std::size_t>(count);
    while (d.atoms.size() < wanted && lines.Next(cleaned)) {
        if (cleaned.empty())
            continue;
        const std::vector<std::string> tokens = SplitTokens(cleaned, 5);
        const int Z = FindElement(tokens[0]);
        if (Z == 0)
            continue;
        AtomSite atom;
        atom.Z = Z;
        atom.x = ParseDouble(tokens[1]);
        atom.y = ParseDouble(tokens[2]);
        atom.z = ParseDouble(tokens[3]);
        if (!std::isfinite(atom.x) || !std::isfinite(atom.y) || !std::isfinite(atom.z))
            return std::nullopt;
        const double occupancy = ParseDouble(tokens[4]);
        atom.occupancy = OccupancyKept(occupancy, dialect) ? occupancy : 1.0;
        d.atoms.push_back(atom);
    }
    if (d.atoms.empty())
        return std::nullopt;

    if (dialect == StructDialect::Tessalune) {
        const std::size_t kinds = AtomKinds(d.atoms).size();
        for (std::size_t i = 0; i < kinds; ++i) {
            if (!lines.NextMeaningful(cleaned))
                return std::nullopt;
            if (i < static_cast<std::size_t>(kMaxTemperatureKinds))
                d.temperatures.push_back(ParseDouble(cleaned));
        }
    }
    return d;
}

StructReadResult ReadStructureFile(const std::string& path, StructDialect dialect) {
    StructReadResult result;
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        result.message = OpenFailure(path, dialect);
        return result;
    }
    result.data = ParseStructure(DecodeText(bytes), dialect);
    if (!result.data)
        result.message = ReadFailure(path, dialect);
    return result;
}

std::string FormatStructureXelmor(const StructureData& data) {
    int count = 0;
    const std::string atoms = AtomLines(data.atoms, count);
    std::string out;
    AppendLine(out, "! Crystal Structure File");
    out += kLineEnd;
    out += CellLines(data, "Angstrom");
    AppendLine(out, std::to_string(count) + "\t! Totoal number of atoms in Unit cell");
    out += kLineEnd;
    AppendLine(out, "! Atoms\tX\tY\tZ\tOccupancy");
    out += atoms;
    return out;
}

std::string FormatStructureTessalune(const StructureData& data) {
    int count = 0;
    const std::string atoms = AtomLines(data.atoms, count);
    std::string out;
    AppendLine(out, "! Crystal Structure File");
    AppendLine(out, "! Version 3.1");
    out += kLineEnd;
    out += CellLines(data, "A");
    AppendLine(out, std::to_string(count) + "\t! Total number of atoms in unit cell");
    out += kLineEnd;
    AppendLine(out, "! Atom\tX\tY\tZ\tOccupancy");
    out += atoms;
    out += kLineEnd;
    // Temperature lines only for the kinds the editor has fields for; a kind whose temperature
    // is not given gets 0, the value that stands for "not known".
    const std::vector<int> kinds = AtomKinds(data.atoms);
    const std::size_t held = std::min(kinds.size(), static_cast<std::size_t>(kMaxTemperatureKinds));
    for (std::size_t i = 0; i < held; ++i) {
        const double t = i < data.temperatures.size() ? data.temperatures[i] : 0.0;
        AppendLine(out,
                   Num(t) + "\t! " + ElementSymbol(kinds[i]) + ", Debye-Waller temperature(K)");
    }
    out += kLineEnd;
    AppendLine(out, "! You can add any references below.");
    return out;
}

std::optional<Message> SaveStructureXelmor(const std::string& path, const StructureData& data) {
    return SaveFile(path, FormatStructureXelmor(data));
}

std::optional<Message> SaveStructureTessalune(const std::string& path, const StructureData& data) {
    switch (WriteFileReplacing(path, FormatStructureTessalune(data))) {
    case WriteResult::Ok:
        return std::nullopt;
    case WriteResult::CannotCreate:
        return MakeMessage("Pellucidor cannot create the file \"" + path + "\" !", MsgIcon::Stop);
    case WriteResult::WriteError:
        break;
    }
    return MakeMessage("Error occurred in saving the structure into file\n\n " + path + " !   ",
                       MsgIcon::Stop);
}

} // namespace xelmor
