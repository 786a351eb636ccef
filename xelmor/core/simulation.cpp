#include "xelmor/core/simulation.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <numbers>
#include <thread>
#include <utility>

#include "structfile/number_format.h"
#include "xelmor/core/film.h"
#include "xelmor/core/form_factors.h"
#include "xelmor/core/intensity.h"
#include "xelmor/core/simulation_tables.h"
#include "xelmor/core/spot_order.h"

namespace xelmor {

// The tables kept between runs in the result.
struct RunCache {
    std::unique_ptr<CrystalTables> crystal;
    std::unique_ptr<SpectrumTables> spectrum;
};

namespace {

// Reflections closer than this to grazing incidence or to exact back reflection are not tried.
constexpr double kSigmaMin = 0.0001;
constexpr double kSigmaMax = 0.9999;
// Truncation level of the first pass of a pattern that is not normalised yet.
constexpr double kFirstPassTruncation = 0.0001;
// Harmonic limit of a direction whose h index is 0 (before the k and l limits apply).
constexpr int kHarmonicLimitH0 = 999;

// The quick test that runs before the exact one may only let more reflections through, never
// fewer: its tolerances are far above the rounding differences of the two formulations.
constexpr double kQuickSigmaSlack = 1e-9; // relative, on sigma squared
constexpr double kQuickFilmSlack = 1e-6;  // 0.1 mm, plus kQuickFilmRelative of the position
constexpr double kQuickFilmRelative = 1e-9;
// An order is skipped unread when even the largest structure factor the atoms could give
// would leave it at or below the truncation level; the margin covers the rounding of the bound.
constexpr double kBoundSlack = 1e-6;
// Below this many index triples a run stays on the calling thread.
constexpr long kParallelTriples = 40000;

int Gcd(int a, int b) {
    while (b != 0) {
        const int t = a % b;
        a = b;
        b = t;
    }
    return a;
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

// What every reflection of one run reads.
struct RunTables {
    const CParameterSet& p;
    const SimulationResult& r;
    const FilmGeometry& film;
    const CrystalTables& crystal;
    const SpectrumTables& spectrum;
    int nSpectrum = 0;
    double wFirst = 0, wLast = 0;
};

// The spots that one block of the enumeration finds, in enumeration order.
struct BlockResult {
    std::vector<CDot> spots;
    double imax = 0;
};

// Works through the reflections of one h value at a time with fixed levels.
class Enumerator {
public:
    Enumerator(const RunTables& t, double itrunc) : t_(t), itrunc_(itrunc) {
        buffer_.reserve(std::max({t.p.m_Hmax, t.p.m_Kmax, t.p.m_Lmax, 1}));
    }

    // Every reduced triple with this h, inside it k and l ascending, each with its eight sign
    // variants in the fixed order.
    void Block(int h, BlockResult& out) {
        out_ = &out;
        const CParameterSet& p = t_.p;
        const Mat3& o = t_.r.orient;
        const Vec3 c1 = {o[0][0], o[1][0], o[2][0]};
        const Vec3 c2 = {o[0][1], o[1][1], o[2][1]};
        const Vec3 c3 = {o[0][2], o[1][2], o[2][2]};
        for (int k = 0; k <= p.m_Kmax; ++k) {
            const int ghk = Gcd(h, k);
            // G = (sh h) c1 + (sk k) c2 + (sl l) c3 for the four signs of h and k.
            Vec3 A[2][2];
            for (int sh = 0; sh < 2; ++sh)
                for (int sk = 0; sk < 2; ++sk)
                    for (int i = 0; i < 3; ++i)
                        A[sh][sk][i] = (sh ? -h : h) * c1[i] + (sk ? -k : k) * c2[i];
            for (int l = 0; l <= p.m_Lmax; ++l) {
                if ((h | k | l) == 0)
                    continue;
                // Reduced: no common factor, i.e. gcd(h, k, l) = 1.
                if (ghk != 1 && Gcd(ghk, l) != 1)
                    continue;
                const Vec3 L = {l * c3[0], l * c3[1], l * c3[2]};
                const int nMax = HarmonicLimit(h, k, l, p);
                Try(h, k, l, A[0][0], L, +1, nMax);
                if (h != 0)
                    Try(-h, k, l, A[1][0], L, +1, nMax);
                if (k != 0)
                    Try(h, -k, l, A[0][1], L, +1, nMax);
                if (l != 0)
                    Try(h, k, -l, A[0][0], L, -1, nMax);
                if (h != 0 && k != 0)
                    Try(-h, -k, l, A[1][1], L, +1, nMax);
                if (h != 0 && l != 0)
                    Try(-h, k, -l, A[1][0], L, -1, nMax);
                if (k != 0 && l != 0)
                    Try(h, -k, -l, A[0][1], L, -1, nMax);
                if (h != 0 && k != 0 && l != 0)
                    Try(-h, -k, -l, A[1][1], L, -1, nMax);
            }
        }
    }

private:
    // The quick test on G = A + sign L; only survivors are evaluated exactly.
    void Try(int h, int k, int l, const Vec3& A, const Vec3& L, int sign, int nMax) {
        const double gx = A[0] + sign * L[0], gy = A[1] + sign * L[1], gz = A[2] + sign * L[2];
        if (!(gz > 0))
            return;
        const double g2 = gx * gx + gy * gy + gz * gz;
        const double gz2 = gz * gz;
        if (gz2 < kSigmaMin * kSigmaMin * g2 * (1 - kQuickSigmaSlack) ||
            gz2 > kSigmaMax * kSigmaMax * g2 * (1 + kQuickSigmaSlack))
            return;
        // The diffracted direction times g^2, which leaves the film point unchanged.
        const Vec3 s = {2 * gz * gx, 2 * gz * gy, 2 * gz2 - g2};
        double x, y;
        if (!ProjectToFilm(t_.film, s, x, y))
            return;
        const double mx = kQuickFilmSlack + kQuickFilmRelative * std::fabs(x);
        const double my = kQuickFilmSlack + kQuickFilmRelative * std::fabs(y);
        if (x < t_.r.xMin - mx || x > t_.r.xMax + mx || y < t_.r.yMin - my || y > t_.r.yMax + my)
            return;
        if (t_.nSpectrum < 2)
            return;
        // Every order diffracts at lambda1 / n <= lambda1; none is in the spectrum when lambda1
        // is below it, and none can pass the truncation when the bound of the strongest
        // conceivable order does not.
        const double lambda1 = 2 * gz / g2;
        if (lambda1 < t_.wFirst * (1 - kQuickSigmaSlack))
            return;
        if (t_.crystal.boundValid) {
            const double sigma2 = gz2 / g2;
            const double longest = std::min(lambda1, t_.wLast);
            const double geometry =
                (1 - 2 * sigma2 + 2 * sigma2 * sigma2) / std::sqrt(sigma2 * (1 - sigma2));
            // s2 of order 1; the higher orders only lower the bound.
            const int cell = t_.crystal.Cell(g2 / 4);
            const double bound = t_.spectrum.MaxUpTo(longest) * t_.crystal.InPhaseBound(cell) *
                                 longest * longest * longest * geometry;
            if (bound * (1 + kBoundSlack) <= itrunc_)
                return;
        }
        Reflection(h, k, l, nMax);
    }

    // The exact evaluation of one signed reduced triple, as the run defines it.
    void Reflection(int h, int k, int l, int nMax) {
        const Vec3 G = LabVector(t_.r.orient, h, k, l);
        const double g = std::sqrt(Dot(G, G));
        const double sigma = G[2] / g;
        // Planes facing away from the beam, grazing, or reflecting straight back.
        if (!(sigma >= kSigmaMin && sigma <= kSigmaMax))
            return;
        const double ux = G[0] / g, uy = G[1] / g;
        // The incident direction -z' mirrored at the planes.
        const Vec3 s = {2 * sigma * ux, 2 * sigma * uy, 2 * sigma * sigma - 1};
        double x, y;
        if (!ProjectToFilm(t_.film, s, x, y))
            return;
        if (x < t_.r.xMin || x > t_.r.xMax || y < t_.r.yMin || y > t_.r.yMax)
            return;
        const double lambda1 = 2 * sigma / g;

        buffer_.clear();
        double total = 0;
        if (t_.nSpectrum >= 2)
            total = Harmonics(h, k, l, nMax, sigma, lambda1);
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
        out_->spots.push_back(std::move(dot));
        if (total > out_->imax)
            out_->imax = total;
    }

    // Keeps every order above the truncation level in buffer_ and returns their sum.
    double Harmonics(int h, int k, int l, int nMax, double sigma, double lambda1) {
        const double* w = t_.p.m_Wavelength.data();
        const double* spectrum = t_.p.m_Intensity.data();
        t_.crystal.Phases(h, k, l, first_);
        phase_ = first_;
        double total = 0;
        for (int n = 1; n <= nMax; ++n) {
            if (n > 1) {
                for (std::size_t a = 0; a < phase_.size(); ++a)
                    phase_[a] = Mul(phase_[a], first_[a]);
            }
            const double lambda = lambda1 / n;
            if (lambda < t_.wFirst)
                break; // every higher order is shorter still
            if (lambda > t_.wLast)
                continue;
            const double S = SpectrumIntensity(w, spectrum, t_.nSpectrum, lambda);
            const double sl = sigma / lambda;
            const double s2 = sl * sl;
            const int cell = t_.crystal.Cell(s2);
            if (t_.crystal.boundValid &&
                Negligible(OrderIntensity(sigma, lambda, t_.crystal.InPhaseBound(cell), S)))
                continue;
            GroupSums();
            if (t_.crystal.boundValid) {
                // The atoms' actual phases, each group at its largest possible |f|.
                double reach = 0;
                for (std::size_t g = 0; g < sums_.size(); ++g)
                    reach += t_.crystal.FormFactorBound(static_cast<int>(g), cell) *
                             std::sqrt(sums_[g].re * sums_[g].re + sums_[g].im * sums_[g].im);
                if (Negligible(OrderIntensity(sigma, lambda, reach * reach, S)))
                    continue;
            }
            const double F2 = StructureFactorSquared(s2);
            const double I = OrderIntensity(sigma, lambda, F2, S);
            if (I > itrunc_) {
                buffer_.push_back({n, F2, I});
                total += I;
            }
        }
        return total;
    }

    // Whether an order of at most this intensity is sure to be truncated.
    bool Negligible(double intensityBound) const {
        return intensityBound * (1 + kBoundSlack) <= itrunc_;
    }

    // The occupancy-weighted sums of the phases of each element group, into sums_.
    void GroupSums() {
        const CrystalTables& c = t_.crystal;
        sums_.resize(c.groupZ.size());
        int a = 0;
        for (std::size_t g = 0; g < c.groupZ.size(); ++g) {
            double re = 0, im = 0;
            for (const int end = c.groupEnd[g]; a < end; ++a) {
                re += c.occ[a] * phase_[a].re;
                im += c.occ[a] * phase_[a].im;
            }
            sums_[g] = {re, im};
        }
    }

    // |F|^2 of the current order from the group sums.
    double StructureFactorSquared(double s2) const {
        double re = 0, im = 0;
        for (std::size_t g = 0; g < sums_.size(); ++g) {
            const double f = FormFactor(t_.crystal.groupZ[g], s2);
            re += f * sums_[g].re;
            im += f * sums_[g].im;
        }
        return re * re + im * im;
    }

    const RunTables& t_;
    const double itrunc_;
    std::vector<Harmonic> buffer_;
    std::vector<Complex> first_, phase_, sums_;
    BlockResult* out_ = nullptr;
};

// One pass over all reflections with fixed levels. Large ranges are split by h over the cores;
// the blocks are joined in enumeration order, so the result does not depend on the split.
void Pass(const RunTables& t, double itrunc, std::vector<CDot>& spots, double& imax) {
    const int blocks = t.p.m_Hmax + 1;
    std::vector<BlockResult> results(blocks);
    std::atomic<int> next{0};
    auto work = [&] {
        Enumerator e(t, itrunc);
        for (int h = next++; h < blocks; h = next++)
            e.Block(h, results[h]);
    };
    const long triples = static_cast<long>(blocks) * (t.p.m_Kmax + 1) * (t.p.m_Lmax + 1);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const int helpers =
        triples < kParallelTriples ? 0 : static_cast<int>(std::min<unsigned>(cores, blocks)) - 1;
    std::vector<std::thread> threads;
    for (int i = 0; i < helpers; ++i)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();

    std::size_t count = 0;
    for (const BlockResult& b : results)
        count += b.spots.size();
    spots.reserve(count);
    for (BlockResult& b : results) {
        for (CDot& dot : b.spots)
            spots.push_back(std::move(dot));
        imax = std::max(imax, b.imax);
    }
}

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

    if (!r.cache)
        r.cache = std::make_shared<RunCache>();
    RunCache& cache = *r.cache;
    if (!cache.crystal || !cache.crystal->Fits(p))
        cache.crystal = std::make_unique<CrystalTables>(p);
    if (!cache.spectrum || !cache.spectrum->Fits(p))
        cache.spectrum = std::make_unique<SpectrumTables>(p);
    RunTables tables{p, r, film, *cache.crystal, *cache.spectrum};
    tables.nSpectrum = p.nSpectrum();
    if (tables.nSpectrum >= 2) {
        tables.wFirst = p.m_Wavelength.front();
        tables.wLast = p.m_Wavelength[tables.nSpectrum - 1];
    }
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
        Pass(tables, p.m_Itrunc, r.spots, p.m_Imax);
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
