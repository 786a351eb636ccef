#include "bench/cases.h"

#include <cmath>
#include <vector>

#include "xelmor/files/spectrum_file.h"

namespace xelmor {

namespace {

std::vector<AtomSite> Diamond(int Z) {
    std::vector<AtomSite> atoms;
    const double fcc[4][3] = {{0, 0, 0}, {0, 0.5, 0.5}, {0.5, 0, 0.5}, {0.5, 0.5, 0}};
    for (double shift : {0.0, 0.25})
        for (const auto& f : fcc)
            atoms.push_back({Z, f[0] + shift, f[1] + shift, f[2] + shift, 1.0});
    return atoms;
}

// Two elements at general positions, so that few reflections are systematically absent.
std::vector<AtomSite> LargeCellAtoms() {
    std::vector<AtomSite> atoms;
    for (int i = 0; i < 8; ++i) {
        atoms.push_back({26, std::fmod(0.11 * i, 1.0), std::fmod(0.23 * i + 0.05, 1.0),
                         std::fmod(0.37 * i + 0.02, 1.0), 1.0});
        atoms.push_back({8, std::fmod(0.5 + 0.07 * i, 1.0), std::fmod(0.19 * i + 0.3, 1.0),
                         std::fmod(0.61 * i + 0.15, 1.0), i % 3 == 0 ? 0.5 : 1.0});
    }
    return atoms;
}

} // namespace

CParameterSet SimulationCase(std::string_view name, const std::string& dataDir) {
    CParameterSet p;
    ResetParameters(p, DocumentDefaults{});
    const bool reference = name == "si_reference";
    if (name == "large_cell") {
        TakeOverCrystal(p, {"Large cell", 25, 25, 25, 90, 90, 90, LargeCellAtoms()});
        p.m_Hmax = p.m_Kmax = p.m_Lmax = 75;
        p.m_Rot1 = 10, p.m_Rot2 = 20, p.m_Rot3 = 30;
        p.m_RotCrystSeq = 0;
    } else {
        const double a = reference ? 5.431 : 5.4309;
        TakeOverCrystal(p, {"Silicon", a, a, a, 90, 90, 90, Diamond(14)});
        p.m_Hmax = p.m_Kmax = p.m_Lmax = reference ? 4 : 16;
    }
    if (reference) {
        for (int i = 0; i < 200; ++i) {
            p.m_Wavelength.push_back(0.2 + 0.01 * i);
            p.m_Intensity.push_back(1.0);
        }
    } else {
        SpectrumReadResult read = ReadSpctFile(dataDir + "/NSLS-BM.spct");
        if (read.spectrum)
            InstallSpectrum(p, std::move(*read.spectrum), dataDir + "/NSLS-BM.spct");
    }
    p.m_H = 0, p.m_K = 0, p.m_L = 1;
    p.m_h = 1, p.m_k = 0, p.m_l = 0;
    p.m_bGeometrySet = 1;
    p.m_Isat = -1;
    return p;
}

} // namespace xelmor
