// The density of a crystal from its cell and atoms: atomic masses, cell volume, density.
#pragma once

#include <optional>
#include <vector>

namespace xelmor::tessalune {

// The atomic mass of element Z in g/mol, 0 for a Z outside 1 to 92.
double AtomicMass(int Z);

// The volume of the cell with edges a, b, c (Angstrom) and angles alpha, beta, gamma
// (degrees), in Angstrom^3. Nothing when the three angles span no cell (the root of the
// volume formula would be of a negative or zero number).
std::optional<double> CellVolume(double a, double b, double c, double alpha, double beta,
                                 double gamma);

// The density in g/cm^3 of a cell of volume `volume` (Angstrom^3) holding one atom of each
// listed Z (the occupancy does not count): the summed mass over Avogadro's number.
double CrystalDensity(const std::vector<int>& atomZ, double volume);

} // namespace xelmor::tessalune
