#include "xelmor/core/simulation.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "structfile/number_format.h"
#include "xelmor/core/film.h"
#include "xelmor/core/intensity.h"
#include "xelmor/core/spot_order.h"

namespace xelmor {

namespace {

// Reflections closer than this to grazing incidence or to exact back reflection are not tried.
constexpr double kSigmaMin = 0.0001;
constexpr double kSigmaMax = 0.9999;
// Truncation level of the first pass of a pattern that is not normalised yet.
constexpr double kFirstPassTruncation = 0.0001;
// Harmonic limit of a direction whose h index is 0 (before the k and l limits apply).
constexpr int kHarmonicLimitH0 = 999;

int Gcd(int a, int b) {
    while (b != 0) {
        const int t = a % b;
        a = b;
        b = t;
    }
    return a;
}

// A triple is reduced when no prime divides all three indices (zero counts as divisible),
// which is the same as a greatest common divisor of 1.
bool IsReduced(int h, int k, int l) {
    return Gcd(Gcd(h, k), l) == 1;
}

// The largest order n for which (n h, n k, n l) stays within the index ranges.
int HarmonicLimit(int h, int k, int l, const CParameterSet& p) {
    int nMax = h == 0 ? kHarmonicLimitH0 : p.m_Hmax / h;
    if (k > 0)
        nMax = std::min(nMax, p.m_Kmax / k);
    if (l > 0)
        nMax = std::min(nMax, p.m_Lmax / l);
    return nMax;
}

// One pass over the reflections with fixed levels; appends the spots it finds.
class Pass {
public:
    Pass(const CParameterSet& p, const SimulationResult& r, const FilmGeometry& film)
        : p_(p), r_(r), film_(film), nSpectrum_(p.nSpectrum()) {
        if (nSpectrum_ >= 2) {
            wFirst_ = p.m_Wavelength.front();
            wLast_ = p.m_Wavelength[nSpectrum_ - 1];
        }
        buffer_.reserve(std::max({p.m_Hmax, p.m_Kmax, p.m_Lmax, 1}));
    }

    void Run(double itrunc, std::vector<CDot>& spots, double& imax) {
        itrunc_ = itrunc;
        spots_ = &spots;
        imax_ = &imax;
        for (int h = 0; h <= p_.m_Hmax; ++h)
            for (int k = 0; k <= p_.m_Kmax; ++k)
                for (int l = 0; l <= p_.m_Lmax; ++l) {
                    if ((h | k | l) == 0 || !IsReduced(h, k, l))
                        continue;
                    const int nMax = HarmonicLimit(h, k, l, p_);
                    // The eight sign variants, each distinct signed triple once.
                    Reflection(h, k, l, nMax);
                    if (h != 0)
                        Reflection(-h, k, l, nMax);
                    if (k != 0)
                        Reflection(h, -k, l, nMax);
                    if (l != 0)
                        Reflection(h, k, -l, nMax);
                    if (h != 0 && k != 0)
                        Reflection(-h, -k, l, nMax);
                    if (h != 0 && l != 0)
                        Reflection(-h, k, -l, nMax);
                    if (k != 0 && l != 0)
                        Reflection(h, -k, -l, nMax);
                    if (h != 0 && k != 0 && l != 0)
                        Reflection(-h, -k, -l, nMax);
                }
    }

private:
    void Reflection(int h, int k, int l, int nMax) {
        const Vec3 G = LabVector(r_.orient, h, k, l);
        const double g = std::sqrt(Dot(G, G));
        const double sigma = G[2] / g;
        // Planes facing away from the beam, grazing, or reflecting straight back.
        if (!(sigma >= kSigmaMin && sigma <= kSigmaMax))
            return;
        const double ux = G[0] / g, uy = G[1] / g;
        // The incident direction -z' mirrored at the planes.
        const Vec3 s = {2 * sigma * ux, 2 * sigma * uy, 2 * sigma * sigma - 1};
        double x, y;
        if (!ProjectToFilm(film_, s, x, y))
            return;
        if (x < r_.xMin || x > r_.xMax || y < r_.yMin || y > r_.yMax)
            return;
        const double lambda1 = 2 * sigma / g;

        buffer_.clear();
        double total = 0;
        if (nSpectrum_ >= 2) {
            const double* w = p_.m_Wavelength.data();
            const double* inten = p_.m_Intensity.data();
            for (int n = 1; n <= nMax; ++n) {
                const double lambda = lambda1 / n;
                if (lambda < wFirst_)
                    break; // every higher order is shorter still
                if (lambda > wLast_)
                    continue;
                const double sl = sigma / lambda;
                const double F2 = StructureFactor(p_.m_Elements, n * h, n * k, n * l, sl * sl).F2();
                const double S = SpectrumIntensity(w, inten, nSpectrum_, lambda);
                const double I = OrderIntensity(sigma, lambda, F2, S);
                if (I > itrunc_) {
                    buffer_.push_back({n, F2, I});
                    total += I;
                }
            }
        }
        if (!(total > itrunc_))
            return;
        CDot dot;
        dot.h = h;
        dot.k = k;
        dot.l = l;
        dot.x = x;
        dot.y = y;
        dot.lambda = lambda1;
        dot.intensity = total;
        dot.d = 1 / g;
        dot.harmonics = buffer_;
        spots_->push_back(std::move(dot));
        if (total > *imax_)
            *imax_ = total;
    }

    const CParameterSet& p_;
    const SimulationResult& r_;
    const FilmGeometry& film_;
    const int nSpectrum_;
    double wFirst_ = 0, wLast_ = 0;
    double itrunc_ = 0;
    std::vector<Harmonic> buffer_;
    std::vector<CDot>* spots_ = nullptr;
    double* imax_ = nullptr;
};

// Puts the spots strongest first, in the order the selection sort gives.
void SortStrongestFirst(std::vector<CDot>& spots) {
    if (spots.size() < 2)
        return;
    std::vector<double> intensities(spots.size());
    for (std::size_t i = 0; i < spots.size(); ++i)
        intensities[i] = spots[i].intensity;
    const std::vector<int> order = SelectionSortOrder(intensities);
    std::vector<CDot> sorted;
    sorted.reserve(spots.size());
    for (int index : order)
        sorted.push_back(std::move(spots[index]));
    spots = std::move(sorted);
}

} // namespace

bool RunSimulation(CParameterSet& p, SimulationResult& r) {
    // Film area and the direct beam.
    r.runShiftX = p.m_ShiftX;
    r.runShiftY = p.m_ShiftY;
    r.xMax = p.m_ShiftX + 0.5 * p.m_FilmWidth;
    r.xMin = r.xMax - p.m_FilmWidth;
    r.yMax = p.m_ShiftY + 0.5 * p.m_FilmHeight;
    r.yMin = r.yMax - p.m_FilmHeight;
    const FilmGeometry film = MakeFilmGeometry(p.m_TransOrBack, p.m_D, p.m_Tilt);
    r.cosTilt = film.cosTilt;
    r.sinTilt = film.sinTilt;
    Spot000(film, r.yMin, r.yMax, r.spot000X, r.spot000Y);

    if (p.m_bFixReflOpen == 0) {
        p.m_bMajorSpot = 0;
        p.m_bSecondSpot = 0;
    }
    r.orient = OrientationMatrix(p.m_Recip, p.m_H, p.m_K, p.m_L, p.m_h, p.m_k, p.m_l,
                                 p.m_RotCrystSeq, p.m_Rot1, p.m_Rot2, p.m_Rot3);

    Pass pass(p, r, film);
    bool levelsShown = false;
    for (int passNo = 1; passNo <= 2; ++passNo) {
        if (p.m_Isat > 0) {
            p.m_Isat = p.m_Imax * p.m_Saturate;
            p.m_Itrunc = p.m_Imax * p.m_Truncate;
        } else {
            p.m_Itrunc = kFirstPassTruncation;
        }
        r.spots.clear();
        p.m_Imax = 0;
        pass.Run(p.m_Itrunc, r.spots, p.m_Imax);
        if (r.spots.empty()) {
            p.m_Isat = -1;
            break;
        }
        if (p.m_Isat > 0 || passNo == 2) {
            p.m_Saturate = p.m_Isat / p.m_Imax;
            p.m_Truncate = p.m_Itrunc / p.m_Imax;
            levelsShown = true;
            break;
        }
        // First pass of a pattern that is not normalised: the second pass uses its maximum.
        p.m_Isat = p.m_Imax;
    }
    SortStrongestFirst(r.spots);
    return levelsShown;
}

std::string SaturatePercentText(double saturate) {
    return FormatNumber(100 * saturate, 2) + "%";
}

std::string TruncatePercentText(double truncate) {
    return FormatNumber(100 * truncate, 3) + "%";
}

std::string SpotCountText(int count) {
    return std::to_string(count) + " spots";
}

} // namespace xelmor
