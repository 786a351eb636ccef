#include "tessalune/crystal_density.h"

#include <cmath>
#include <numbers>

namespace xelmor::tessalune {

namespace {

// g/mol, indexed by Z; entry 0 stands for no element.
constexpr double kAtomicMass[93] = {
    0,          1.00794,    4.0026,     6.94099998, 9.01218033, 10.8100004, 12.0109997, 14.0066996,
    15.9994001, 18.9983997, 20.1790009, 22.9897995, 24.3050003, 26.9815006, 28.0855007, 30.9738007,
    32.0600014, 35.4529991, 39.9480019, 39.0983009, 40.0800018, 44.9558983, 47.8800011, 50.9415016,
    51.9959984, 54.9379997, 55.8470001, 58.9332008, 58.6899986, 63.5460014, 65.3799973, 69.7200012,
    72.5899963, 74.9216003, 78.9599991, 79.9039993, 83.8000031, 85.4677963, 87.6200027, 88.905899,
    91.2200012, 92.9064026, 95.9400024, 98,         101.07,     102.905502, 106.419998, 107.868202,
    112.410004, 114.82,     118.690002, 121.75,     127.599998, 126.904503, 131.289993, 132.905396,
    137.330002, 138.905502, 140.119995, 140.9077,   144.240005, 145,        150.360001, 151.960007,
    157.25,     158.9254,   162.5,      164.930405, 167.259995, 168.934204, 173.039993, 174.966995,
    178.490005, 180.947906, 183.850006, 186.207001, 190.199997, 192.220001, 195.080002, 196.966507,
    200.589996, 204.382996, 207.199997, 208.980392, 209,        210,        222,        223,
    226.025406, 227.027802, 232.038101, 231.035904, 238.0289,
};

// Avogadro's number times 1e-24: turns g/mol per Angstrom^3 into g/cm^3.
constexpr double kAvogadroPerCubicAngstrom = 0.60221367;

} // namespace

double AtomicMass(int Z) {
    if (Z < 1 || Z > 92)
        return 0.0;
    return kAtomicMass[Z];
}

std::optional<double> CellVolume(double a, double b, double c, double alpha, double beta,
                                 double gamma) {
    const double rad = std::numbers::pi / 180.0;
    const double ca = std::cos(alpha * rad);
    const double cb = std::cos(beta * rad);
    const double cg = std::cos(gamma * rad);
    const double root = 1.0 + 2.0 * ca * cb * cg - ca * ca - cb * cb - cg * cg;
    if (!(root > 0.0))
        return std::nullopt;
    const double volume = a * b * c * std::sqrt(root);
    if (!(volume > 0.0) || !std::isfinite(volume))
        return std::nullopt;
    return volume;
}

double CrystalDensity(const std::vector<int>& atomZ, double volume) {
    double mass = 0.0;
    for (int Z : atomZ)
        mass += AtomicMass(Z);
    return mass / kAvogadroPerCubicAngstrom / volume;
}

} // namespace xelmor::tessalune
