// Crystal structure files (*.struct): the data of one unit cell, both readers and both writers.
#pragma once

#include "structfile/atom_site.h"
#include "structfile/message.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xelmor {

// The contents of a structure file.
struct StructureData {
    std::string name;                            // crystal name
    double a = 0.0, b = 0.0, c = 0.0;            // lattice constants (Angstrom)
    double alpha = 0.0, beta = 0.0, gamma = 0.0; // cell angles (degrees)
    std::vector<AtomSite> atoms;                 // in file order
    // Tessalune's Debye temperatures (K), one per kind of atom in ascending Z, for at most the
    // first kMaxTemperatureKinds kinds. Empty after a read in Xelmor's dialect.
    std::vector<double> temperatures;

    bool operator==(const StructureData&) const = default;
};

// The two programs read with different tolerances, write different files and report failures
// with different messages.
enum class StructDialect { Xelmor, Tessalune };

// Tessalune has temperature fields for this many kinds of atoms; the temperatures of further
// kinds are consumed when reading but neither kept nor written.
inline constexpr int kMaxTemperatureKinds = 6;

// The distinct atomic numbers among the atoms in ascending order: the kinds of atoms, to which
// the Debye temperatures belong in this order.
std::vector<int> AtomKinds(const std::vector<AtomSite>& atoms);

// Interprets the text of a structure file (UTF-8, LF or CR LF line ends; a leading byte order
// mark is skipped) with the dialect's tolerances. No value means the read failed: the text ends
// early, a value lies outside its accepted interval or is not finite, no atom was found, or in
// Tessalune's dialect a temperature line is missing.
std::optional<StructureData> ParseStructure(std::string_view text, StructDialect dialect);

struct StructReadResult {
    std::optional<StructureData> data; // the structure, when the read succeeded
    Message message;                   // the failure to show; empty text on success
};

// Opens, decodes and reads the structure file at `path` (as given, with native separators); on
// failure the result carries the dialect's open-failure or read-failure message.
StructReadResult ReadStructureFile(const std::string& path, StructDialect dialect);

// The file texts the two programs write (UTF-8, CR LF line ends). Atoms whose Z has no element
// symbol are left out, and the atom count written is that of the atom lines.
std::string FormatStructureXelmor(const StructureData& data);
std::string FormatStructureTessalune(const StructureData& data);

// Writes the structure as the program writes it, replacing the file at `path` safely. Returns
// the program's message when the save failed, nothing when it succeeded.
std::optional<Message> SaveStructureXelmor(const std::string& path, const StructureData& data);
std::optional<Message> SaveStructureTessalune(const std::string& path, const StructureData& data);

} // namespace xelmor
