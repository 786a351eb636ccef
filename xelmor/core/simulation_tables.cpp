#include "xelmor/core/simulation_tables.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "xelmor/core/form_factors.h"

namespace xelmor {

namespace {

constexpr int kFormFactorCells = 2048;
constexpr int kSpectrumCells = 1024;

void AppendPhases(std::vector<Complex>& table, double x, int range) {
    for (int m = -range; m <= range; ++m) {
        const double phi = 2 * std::numbers::pi * m * x;
        table.push_back({std::cos(phi), std::sin(phi)});
    }
}

double Length(double x, double y, double z) {
    return std::sqrt(x * x + y * y + z * z);
}

} // namespace

CrystalTables::CrystalTables(const CParameterSet& p)
    : elements_(p.m_Elements), H_(p.m_Hmax), K_(p.m_Kmax), L_(p.m_Lmax) {
    const ReciprocalBasis& rb = p.m_Recip;
    aStar_ = Length(rb.ax, rb.ay, rb.az);
    bStar_ = Length(0, rb.by, rb.bz);
    cStar_ = rb.cz;
    strideH_ = 2 * H_ + 1, strideK_ = 2 * K_ + 1, strideL_ = 2 * L_ + 1;
    std::vector<double> groupOccupancy;
    for (const ElementGroup& group : p.m_Elements) {
        groupZ.push_back(group.Z);
        const FormFactorCoefficients& c = FormFactorRow(group.Z);
        for (double b : {c.b1, c.b2, c.b3, c.b4})
            if (!(b >= 0))
                boundValid = false;
        double occupancy = 0;
        for (const Position& atom : group.positions) {
            occupancy += std::fabs(atom.occupancy);
            occ.push_back(atom.occupancy);
            AppendPhases(ex, atom.x, H_);
            AppendPhases(ey, atom.y, K_);
            AppendPhases(ez, atom.z, L_);
        }
        groupEnd.push_back(static_cast<int>(occ.size()));
        groupOccupancy.push_back(occupancy);
    }

    // s2 = |G|^2 / 4 of every order within the ranges stays below that of the box corner.
    const double gMax = H_ * aStar_ + K_ * bStar_ + L_ * std::fabs(cStar_);
    const double s2Max = gMax * gMax / 4;
    cells_ = kFormFactorCells;
    step_ = s2Max > 0 ? s2Max / cells_ : 1;
    const std::size_t groups = groupZ.size();
    fBound_.assign(groups * (cells_ + 1), 0.0);
    inPhase_.assign(cells_ + 1, 0.0);
    // A decreasing bound: the value at the start of each cell covers the cell.
    for (int j = 0; j <= cells_; ++j) {
        const double s2 = j * step_;
        double sum = 0;
        for (std::size_t g = 0; g < groups; ++g) {
            const FormFactorCoefficients& c = FormFactorRow(groupZ[g]);
            const double f = std::fabs(c.a1) * std::exp(-c.b1 * s2) +
                             std::fabs(c.a2) * std::exp(-c.b2 * s2) +
                             std::fabs(c.a3) * std::exp(-c.b3 * s2) +
                             std::fabs(c.a4) * std::exp(-c.b4 * s2) + std::fabs(c.c);
            fBound_[g * (cells_ + 1) + j] = f;
            sum += groupOccupancy[g] * f;
        }
        inPhase_[j] = sum * sum;
    }
}

bool CrystalTables::Fits(const CParameterSet& p) const {
    const ReciprocalBasis& rb = p.m_Recip;
    return p.m_Hmax == H_ && p.m_Kmax == K_ && p.m_Lmax == L_ &&
           Length(rb.ax, rb.ay, rb.az) == aStar_ && Length(0, rb.by, rb.bz) == bStar_ &&
           rb.cz == cStar_ && p.m_Elements == elements_;
}

SpectrumTables::SpectrumTables(const CParameterSet& p)
    : wavelength_(p.m_Wavelength), intensity_(p.m_Intensity) {
    const int n = p.nSpectrum();
    count_ = n;
    if (n < 2) {
        maxUpTo_.assign(1, 0.0);
        return;
    }
    const double* w = p.m_Wavelength.data();
    const double* s = p.m_Intensity.data();
    first_ = w[0];
    cells_ = kSpectrumCells;
    step_ = (w[n - 1] - w[0]) / cells_;
    if (!(step_ > 0))
        step_ = 1;
    // Between two samples the interpolation stays below the larger of them, so the largest
    // intensity up to the end of a cell is that of every sample up to the first one at or
    // beyond the cell's end.
    maxUpTo_.resize(cells_ + 1);
    double running = s[0];
    int i = 0;
    for (int j = 0; j <= cells_; ++j) {
        const double end = first_ + (j + 1) * step_;
        while (i < n && w[i] < end)
            running = std::max(running, s[i++]);
        maxUpTo_[j] = i < n ? std::max(running, s[i]) : running;
    }
    firstAbove_.resize(cells_ + 1);
    int above = 1;
    for (int j = 0; j <= cells_; ++j) {
        const double start = first_ + j * step_;
        while (above < n - 1 && !(w[above] > start))
            ++above;
        firstAbove_[j] = above;
    }
}

bool SpectrumTables::Fits(const CParameterSet& p) const {
    return p.m_Wavelength == wavelength_ && p.m_Intensity == intensity_;
}

} // namespace xelmor
