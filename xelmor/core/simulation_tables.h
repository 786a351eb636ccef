// Tables a simulation run computes once and every reflection reads: phase factors of the atoms,
// bounds of the form factors and of the spectrum. Kept between runs while the crystal, the
// index ranges and the spectrum stay the same.
#pragma once

#include <vector>

#include "xelmor/core/lattice.h"
#include "xelmor/core/params.h"

namespace xelmor {

struct Complex {
    double re, im;
};

inline Complex Mul(Complex a, Complex b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

// The atoms with their phase factors e^(2 pi i m x), e^(2 pi i m y), e^(2 pi i m z) for every
// index m of the ranges, and for each element group an upper bound of |f(s2)| on a grid of s2.
class CrystalTables {
public:
    explicit CrystalTables(const CParameterSet& p);

    // Whether the tables were made for this crystal and these index ranges.
    bool Fits(const CParameterSet& p) const;

    // e^(2 pi i (h x + k y + l z)) of every atom, in group order.
    void Phases(int h, int k, int l, std::vector<Complex>& phase) const {
        const int atoms = static_cast<int>(occ.size());
        phase.resize(atoms);
        for (int a = 0; a < atoms; ++a)
            phase[a] = Mul(Mul(ex[a * strideH_ + h + H_], ey[a * strideK_ + k + K_]),
                           ez[a * strideL_ + l + L_]);
    }

    // Grid cell of s2 whose bounds hold for every s2' >= s2 up to the next cell.
    int Cell(double s2) const {
        const double j = s2 / step_;
        return j < cells_ ? static_cast<int>(j) : cells_;
    }
    // Number of grid cells and the s2 where a cell starts.
    int Cells() const { return cells_; }
    double CellStart(int cell) const { return cell * step_; }
    // Upper bound of |f| of group g anywhere from the start of cell j on.
    double FormFactorBound(int g, int cell) const { return fBound_[g * (cells_ + 1) + cell]; }
    // Upper bound of |F|^2 with every atom in phase, from the start of cell j on.
    double InPhaseBound(int cell) const { return inPhase_[cell]; }

    std::vector<int> groupZ;   // element of each group, ascending
    std::vector<int> groupEnd; // one past the last atom of each group
    std::vector<double> occ;   // occupancy of every atom, in group order
    bool boundValid = true;    // false when a form factor could grow with s2

private:
    std::vector<ElementGroup> elements_;
    int H_ = 0, K_ = 0, L_ = 0;
    double aStar_ = 0, bStar_ = 0, cStar_ = 0;
    int strideH_ = 1, strideK_ = 1, strideL_ = 1;
    std::vector<Complex> ex, ey, ez;
    int cells_ = 0;
    double step_ = 1;
    std::vector<double> fBound_, inPhase_;
};

// The spectrum's largest intensity up to each wavelength, on a uniform grid.
class SpectrumTables {
public:
    explicit SpectrumTables(const CParameterSet& p);
    bool Fits(const CParameterSet& p) const;

    // No intensity of the spectrum at wavelengths up to lambda exceeds this.
    double MaxUpTo(double lambda) const {
        const double j = (lambda - first_) / step_ + 1;
        if (!(j < cells_))
            return maxUpTo_.back();
        return j < 0 ? maxUpTo_.front() : maxUpTo_[static_cast<int>(j)];
    }

    // The interval index of lambda (wFirst <= lambda <= wLast) that the spectrum search finds,
    // i = 1 .. n-1 with w[i-1] <= lambda < w[i] (the last interval for lambda = wLast), found
    // from a grid instead of bisection.
    int Index(double lambda) const {
        const double j = (lambda - first_) / step_ - 1;
        int i = j < 1 ? 1 : j < cells_ ? firstAbove_[static_cast<int>(j)] : firstAbove_[cells_];
        const int last = count_ - 1;
        while (i < last && !(wavelength_[i] > lambda))
            ++i;
        return i;
    }

private:
    std::vector<double> wavelength_, intensity_;
    int count_ = 0; // samples in use
    double first_ = 0, step_ = 1;
    int cells_ = 0;
    std::vector<double> maxUpTo_;
    std::vector<int>
        firstAbove_; // per cell: the first index >= 1 whose sample lies above its start
};

} // namespace xelmor
