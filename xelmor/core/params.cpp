#include "xelmor/core/params.h"

#include <array>
#include <utility>

namespace xelmor {

namespace {

constexpr int kHeaviestElement = 92; // uranium

} // namespace

std::vector<ElementGroup> GroupAtomsByElement(const std::vector<AtomSite>& atoms) {
    std::array<int, kHeaviestElement + 1> count{};
    for (const AtomSite& atom : atoms) {
        if (atom.Z >= 1 && atom.Z <= kHeaviestElement)
            ++count[atom.Z];
    }
    std::vector<ElementGroup> groups;
    for (int Z = 1; Z <= kHeaviestElement; ++Z) {
        if (count[Z] == 0)
            continue;
        ElementGroup group;
        group.Z = Z;
        group.positions.reserve(count[Z]);
        for (const AtomSite& atom : atoms) {
            if (atom.Z == Z)
                group.positions.push_back({atom.x, atom.y, atom.z, atom.occupancy});
        }
        groups.push_back(std::move(group));
    }
    return groups;
}

void TakeOverCrystal(CParameterSet& p, CrystalData crystal) {
    p.m_strCrystalName = std::move(crystal.name);
    p.m_a = crystal.a;
    p.m_b = crystal.b;
    p.m_c = crystal.c;
    p.m_alpha = crystal.alpha;
    p.m_beta = crystal.beta;
    p.m_gamma = crystal.gamma;
    p.m_Atoms = std::move(crystal.atoms);
    p.m_Elements = GroupAtomsByElement(p.m_Atoms);
    p.m_Recip = ReciprocalBasisFromCell(p.m_a, p.m_b, p.m_c, p.m_alpha, p.m_beta, p.m_gamma);
}

void MarkCrystalChanged(CParameterSet& p) {
    p.m_bGeometrySet = 0;
    p.m_Isat = -1.0;
}

void MarkGeometryConfirmed(CParameterSet& p) {
    p.m_bGeometrySet = 1;
    p.m_Isat = -1.0;
}

void FreeCrystal(CParameterSet& p) {
    p.m_Atoms.clear();
    p.m_Elements.clear();
}

void FreeSpectrum(CParameterSet& p) {
    p.m_Wavelength.clear();
    p.m_Intensity.clear();
    p.m_strSpectrumFile.clear();
    p.m_strSpectrumName.clear();
}

void SetZoomCalibration(CParameterSet& p, int calibZoom) {
    if (calibZoom <= 0) {
        ClearZoomCalibration(p);
        return;
    }
    p.m_nCalibZoom = calibZoom;
    p.m_bZoomCalibrated = 1;
    p.m_CalibFactor = 1000.0 / calibZoom;
}

void ClearZoomCalibration(CParameterSet& p) {
    p.m_nCalibZoom = kUncalibratedZoom;
    p.m_bZoomCalibrated = 0;
    p.m_CalibFactor = 1.0;
}

void ResetParameters(CParameterSet& p, const DocumentDefaults& defaults) {
    FreeSpectrum(p);
    FreeCrystal(p);
    p.m_Isat = -1.0;
    p.m_ShiftX = 0.0;
    p.m_ShiftY = 0.0;

    p.m_nZoom = kResetZoom;
    p.m_TransOrBack = defaults.transOrBack;
    p.m_D = defaults.D;
    p.m_RotCrystSeq = defaults.rotCrystSeq;
    p.m_Rot1 = 0.0;
    p.m_Rot2 = 0.0;
    p.m_Rot3 = 0.0;
    p.m_Tilt = 0.0;
    p.m_bTiltX = 0;
    p.m_Saturate = 1.0;
    p.m_Truncate = 0.01;
    p.m_FilmWidth = defaults.filmWidth;
    p.m_FilmHeight = defaults.filmHeight;
    p.m_SpotWidth = defaults.spotWidth;
    p.m_SpotHeight = defaults.spotHeight;
    p.m_bGeometrySet = 0;

    p.m_Recip = ReciprocalBasis{};
}

SimulateBlock CanSimulate(const CParameterSet& p) {
    if (p.nSpectrum() < 2)
        return SimulateBlock::NoSpectrum;
    if (p.nAtoms() < 1)
        return SimulateBlock::NoCrystal;
    if (p.m_bGeometrySet == 0)
        return SimulateBlock::NoGeometry;
    return SimulateBlock::None;
}

Message SimulateBlockMessage(SimulateBlock block) {
    const char* text = nullptr;
    switch (block) {
    case SimulateBlock::None:
        return Message{};
    case SimulateBlock::NoSpectrum:
        text = "Please import a spectrum.";
        break;
    case SimulateBlock::NoCrystal:
        text = "Please import a Crystal Structure.";
        break;
    case SimulateBlock::NoGeometry:
        text = "Please Set Diffraction Geometry.";
        break;
    }
    if (text == nullptr)
        return Message{};
    return Message{text, MsgIcon::Exclamation, MsgButtons::Ok, ""};
}

} // namespace xelmor
