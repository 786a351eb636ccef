#include "xelmor/core/simulation.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <numbers>
#include <utility>

#include "structfile/number_format.h"
#include "xelmor/core/film.h"
#include "xelmor/core/form_factors.h"
#include "xelmor/core/intensity.h"
#include "xelmor/core/simulation_tables.h"
#include "xelmor/core/spot_order.h"
#include "xelmor/core/worker_pool.h"

namespace xelmor {

// The tables kept between runs in the result.
struct RunCache {
    std::unique_ptr<CrystalTables> crystal;
    std::unique_ptr<SpectrumTables> spectrum;
    std::unique_ptr<WorkerPool> pool; // made for the first run large enough to share out
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
constexpr long kParallelTriples = 2000;

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

// The quick test in the form the vector loop wants: the conditions of the exact test on
// sigma, the film plane, the film area and the spectrum, each widened by a slack far above the
// rounding differences between the two formulations, so it never rejects a reflection that the
// exact test would keep.
struct QuickTest {
    bool back = false;
    double cosTilt = 1, sinTilt = 0, D = 0;
    double xLo = 0, xHi = 0, yLo = 0, yHi = 0;
    double sigmaMin2 = 0, sigmaMax2 = 0;
    double lambdaMin = 0; // no order of a shorter lambda1 lies in the spectrum
    double g2Cut = std::numeric_limits<double>::infinity(); // no longer G can pass truncation
};

// An upper bound of sigma^2 over every ray that reaches the film area: sigma^2 = (1 + sz) / 2 for
// the diffracted direction s, and sz is largest at a film point of largest lab z' over the
// smallest distance (the film point's distance is at least D).
double SigmaSquaredBound(const RunTables& t) {
    const FilmGeometry& f = t.film;
    const double sign = f.transOrBack == kTransmission ? -1 : 1;
    // Lab z' of the film point (x, y) is sign D cos t + (transmission: +, back: -) y sin t,
    // linear in y, so largest at one of the two film edges.
    double zMax = -std::numeric_limits<double>::infinity();
    for (double y : {t.r.yMin, t.r.yMax})
        zMax = std::max(zMax, sign * f.D * f.cosTilt - sign * y * f.sinTilt);
    const double x2 = std::max(t.r.xMin * t.r.xMin, t.r.xMax * t.r.xMax);
    const double y2 = std::max(t.r.yMin * t.r.yMin, t.r.yMax * t.r.yMax);
    const double farthest = std::sqrt(x2 + y2 + f.D * f.D);
    const double szMax = zMax <= 0 ? zMax / farthest : zMax / f.D;
    return std::min(kSigmaMax * kSigmaMax, (1 + szMax) / 2 * (1 + kQuickSigmaSlack));
}

// The length of G beyond which no order of a reflection can pass the truncation level: with
// lambda <= lambda1 = 2 sigma / g, |F|^2 at most the in-phase bound at s2 = g^2 / 4 and the
// spectrum at most its maximum, an order's intensity is below
//     Smax B(g^2 / 4) 8 sigma^2 P / (g^3 sqrt(1 - sigma^2)),
// which falls with g. Returns the square of the first tabulated g from which on it stays below.
double G2Cut(const RunTables& t, double itrunc) {
    const CrystalTables& c = t.crystal;
    if (!c.boundValid || t.nSpectrum < 2 || !(itrunc > 0))
        return std::numeric_limits<double>::infinity();
    const double s2 = SigmaSquaredBound(t);
    const double geometry = 8 * s2 / std::sqrt(1 - s2); // P <= 1
    const double spectrumMax = t.spectrum.MaxUpTo(t.wLast);
    for (int cell = 1; cell <= c.Cells(); ++cell) {
        const double g2 = 4 * c.CellStart(cell);
        const double g = std::sqrt(g2);
        if (spectrumMax * c.InPhaseBound(cell) * geometry / (g2 * g) * (1 + kBoundSlack) <= itrunc)
            return g2;
    }
    return std::numeric_limits<double>::infinity();
}

// The part lLo .. lHi of the row l = 0 .. lMax, G = base + sign l c, where G_z > 0 and
// |G|^2 <= g2Cut; widened by one l on either side against rounding (the quick test itself
// checks every l it is given). Empty when lLo > lHi.
void RowRange(const double* base, const double* c, int sign, int lMax, double g2Cut, int& lLo,
              int& lHi) {
    // In terms of m = sign l.
    double lo = -std::numeric_limits<double>::infinity();
    double hi = std::numeric_limits<double>::infinity();
    const double cz = c[2];
    if (cz > 0)
        lo = -base[2] / cz;
    else if (cz < 0)
        hi = -base[2] / cz;
    else if (!(base[2] > 0))
        lo = hi = std::numeric_limits<double>::quiet_NaN();
    if (std::isfinite(g2Cut)) {
        // |base + m c|^2 = cc m^2 + 2 bc m + bb <= g2Cut.
        const double cc = c[0] * c[0] + c[1] * c[1] + c[2] * c[2];
        const double bc = base[0] * c[0] + base[1] * c[1] + base[2] * c[2];
        const double bb = base[0] * base[0] + base[1] * base[1] + base[2] * base[2];
        const double disc = bc * bc - cc * (bb - g2Cut);
        if (!(disc >= 0) || !(cc > 0)) {
            lLo = 1, lHi = 0;
            return;
        }
        const double root = std::sqrt(disc);
        lo = std::max(lo, (-bc - root) / cc);
        hi = std::min(hi, (-bc + root) / cc);
    }
    if (!(lo <= hi)) {
        lLo = 1, lHi = 0;
        return;
    }
    const double lFrom = sign > 0 ? lo : -hi, lTo = sign > 0 ? hi : -lo;
    lLo = lFrom <= 0 ? 0 : lFrom > lMax ? lMax + 1 : static_cast<int>(std::floor(lFrom)) - 1;
    lHi = lTo >= lMax ? lMax : lTo < 0 ? -1 : static_cast<int>(std::ceil(lTo)) + 1;
    lLo = std::max(lLo, 0);
    lHi = std::min(lHi, lMax);
}

QuickTest MakeQuickTest(const RunTables& t, double itrunc) {
    QuickTest q;
    q.g2Cut = G2Cut(t, itrunc) * (1 + kQuickSigmaSlack);
    q.back = t.film.transOrBack != kTransmission;
    q.cosTilt = t.film.cosTilt;
    q.sinTilt = t.film.sinTilt;
    q.D = t.film.D;
    const double mx =
        kQuickFilmSlack + kQuickFilmRelative * std::max(std::fabs(t.r.xMin), std::fabs(t.r.xMax));
    const double my =
        kQuickFilmSlack + kQuickFilmRelative * std::max(std::fabs(t.r.yMin), std::fabs(t.r.yMax));
    q.xLo = t.r.xMin - mx, q.xHi = t.r.xMax + mx;
    q.yLo = t.r.yMin - my, q.yHi = t.r.yMax + my;
    q.sigmaMin2 = kSigmaMin * kSigmaMin * (1 - kQuickSigmaSlack);
    q.sigmaMax2 = kSigmaMax * kSigmaMax * (1 + kQuickSigmaSlack);
    // Without a spectrum no order counts: a lambda1 that no reflection reaches.
    q.lambdaMin = t.nSpectrum >= 2 ? t.wFirst * (1 - kQuickSigmaSlack)
                                   : std::numeric_limits<double>::infinity();
    return q;
}

// Marks with `bit` every l = 0 .. count - 1 of a row G = base + sign l c whose reflection passes
// the quick test. Written without branches so that it runs in vector registers.
template <bool Back>
inline void QuickRowOf(const QuickTest& q, const double* base, const double* c, double sign,
                       int from, int to, std::uint8_t bit, std::uint8_t* __restrict mask) {
    const double ct = q.cosTilt, st = q.sinTilt, D = Back ? q.D : -q.D;
    const double bx = base[0], by = base[1], bz = base[2];
    const double cx = sign * c[0], cy = sign * c[1], cz = sign * c[2];
    for (int l = from; l <= to; ++l) {
        const double m = l;
        const double gx = bx + m * cx, gy = by + m * cy, gz = bz + m * cz;
        const double g2 = gx * gx + gy * gy + gz * gz;
        const double gz2 = gz * gz;
        // The diffracted direction times g^2, which leaves the film point unchanged.
        const double sx = 2 * gz * gx, sy = 2 * gz * gy, sz = 2 * gz2 - g2;
        const double n = Back ? ct * sz + st * sy : ct * sz - st * sy;
        const double u = D / n;
        const double x = Back ? -sx * u : sx * u;
        const double y = Back ? (ct * sy - st * sz) * u : (st * sz + ct * sy) * u;
        const bool reaches = Back ? n > 0 : n < 0;
        const bool ok = (gz > 0) & (g2 <= q.g2Cut) & (gz2 >= q.sigmaMin2 * g2) &
                        (gz2 <= q.sigmaMax2 * g2) & reaches & (x >= q.xLo) & (x <= q.xHi) &
                        (y >= q.yLo) & (y <= q.yHi) & (2 * gz >= q.lambdaMin * g2);
        mask[l] |= static_cast<std::uint8_t>(ok * bit);
    }
}

// The vector unit of the machine is chosen when the program starts.
__attribute__((target_clones("avx2", "default"))) void
QuickRow(const QuickTest& q, const double* base, const double* c, int sign, int from, int to,
         std::uint8_t bit, std::uint8_t* mask) {
    if (q.back)
        QuickRowOf<true>(q, base, c, sign, from, to, bit, mask);
    else
        QuickRowOf<false>(q, base, c, sign, from, to, bit, mask);
}

// The spots that one block of the enumeration finds, in enumeration order.
struct BlockResult {
    std::vector<CDot> spots;
    double imax = 0;
};

// Works through the reflections of one h value at a time with fixed levels.
class Enumerator {
public:
    Enumerator(const RunTables& t, double itrunc)
        : t_(t), itrunc_(itrunc), quick_(MakeQuickTest(t, itrunc)) {
        buffer_.reserve(std::max({t.p.m_Hmax, t.p.m_Kmax, t.p.m_Lmax, 1}));
    }

    // Every reduced triple with this h, inside it k and l ascending, each with its eight sign
    // variants in the fixed order. The quick test runs over whole rows of l at a time.
    void Block(int h, BlockResult& out) {
        out_ = &out;
        const CParameterSet& p = t_.p;
        const Mat3& o = t_.r.orient;
        const double c1[3] = {o[0][0], o[1][0], o[2][0]};
        const double c2[3] = {o[0][1], o[1][1], o[2][1]};
        const double c3[3] = {o[0][2], o[1][2], o[2][2]};
        const int rowLength = p.m_Lmax + 1;
        mask_.resize(rowLength);
        for (int k = 0; k <= p.m_Kmax; ++k) {
            const int ghk = Gcd(h, k);
            // G = (+-h) c1 + (+-k) c2 + (+-l) c3: the variants in their fixed order, as the row
            // base for l = 0 and the sign of l.
            static constexpr int kSignH[8] = {1, -1, 1, 1, -1, -1, 1, -1};
            static constexpr int kSignK[8] = {1, 1, -1, 1, -1, 1, -1, -1};
            static constexpr int kSignL[8] = {1, 1, 1, -1, 1, -1, -1, -1};
            std::fill(mask_.begin(), mask_.end(), 0);
            for (int v = 0; v < 8; ++v) {
                // A variant that repeats an earlier one for every l of the row is not tried.
                if ((kSignH[v] < 0 && h == 0) || (kSignK[v] < 0 && k == 0))
                    continue;
                double base[3];
                for (int i = 0; i < 3; ++i)
                    base[i] = kSignH[v] * h * c1[i] + kSignK[v] * k * c2[i];
                int from, to;
                RowRange(base, c3, kSignL[v], p.m_Lmax, quick_.g2Cut, from, to);
                if (from <= to)
                    QuickRow(quick_, base, c3, kSignL[v], from, to, std::uint8_t(1u << v),
                             mask_.data());
            }
            for (int l = 0; l <= p.m_Lmax; ++l) {
                const unsigned m = mask_[l];
                if (m == 0 || (h | k | l) == 0)
                    continue;
                // Reduced: no common factor, i.e. gcd(h, k, l) = 1.
                if (ghk != 1 && Gcd(ghk, l) != 1)
                    continue;
                const int nMax = HarmonicLimit(h, k, l, p);
                for (int v = 0; v < 8; ++v) {
                    if (!(m & (1u << v)) || (kSignL[v] < 0 && l == 0))
                        continue;
                    Survivor(kSignH[v] * h, kSignK[v] * k, kSignL[v] * l, nMax);
                }
            }
        }
    }

private:
    // A reflection that passed the quick test: the intensity bound, then the exact evaluation.
    void Survivor(int h, int k, int l, int nMax) {
        if (t_.crystal.boundValid) {
            const Vec3 G = LabVector(t_.r.orient, h, k, l);
            const double g2 = Dot(G, G);
            const double gz2 = G[2] * G[2];
            // Every order diffracts at lambda1 / n <= lambda1; none can pass the truncation
            // when the bound of the strongest conceivable order does not.
            const double lambda1 = 2 * G[2] / g2;
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

    // Keeps every order above the truncation level in buffer_ and returns their sum. Orders
    // whose intensity bound cannot pass the truncation are skipped before their structure
    // factor is computed; the bound falls with n, so the first order below it ends the loop.
    double Harmonics(int h, int k, int l, int nMax, double sigma, double lambda1) {
        const double* w = t_.p.m_Wavelength.data();
        const double* spectrum = t_.p.m_Intensity.data();
        const CrystalTables& c = t_.crystal;
        const double sigma2 = sigma * sigma;
        // The order intensity is S F2 lambda^3 times this.
        const double geometry =
            (1 - 2 * sigma2 + 2 * sigma2 * sigma2) / (sigma * std::sqrt(1 - sigma2));
        int phaseOrder = 0; // the order whose phases phase_ holds; 0: none computed yet
        double total = 0;
        for (int n = 1; n <= nMax; ++n) {
            const double lambda = lambda1 / n;
            if (lambda < t_.wFirst)
                break; // every higher order is shorter still
            const double sl = sigma / lambda;
            const double s2 = sl * sl;
            const int cell = c.Cell(s2);
            const double perS =
                c.boundValid ? c.InPhaseBound(cell) * lambda * lambda * lambda * geometry : 0;
            if (c.boundValid && Negligible(t_.spectrum.MaxUpTo(std::min(lambda, t_.wLast)) * perS))
                break;
            if (lambda > t_.wLast)
                continue;
            const double S = InterpolateSpectrum(w, spectrum, t_.spectrum.Index(lambda), lambda);
            if (c.boundValid && Negligible(S * perS))
                continue;
            PhasesOfOrder(h, k, l, n, phaseOrder);
            GroupSums();
            if (c.boundValid) {
                // The atoms' actual phases, each group at its largest possible |f|.
                double reach = 0;
                for (std::size_t g = 0; g < sums_.size(); ++g)
                    reach += c.FormFactorBound(static_cast<int>(g), cell) *
                             std::sqrt(sums_[g].re * sums_[g].re + sums_[g].im * sums_[g].im);
                if (Negligible(S * reach * reach * lambda * lambda * lambda * geometry))
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

    // Brings phase_ to order n, e^(2 pi i n (h x + k y + l z)), by the recurrence over the orders
    // from the phases of order 1.
    void PhasesOfOrder(int h, int k, int l, int n, int& phaseOrder) {
        if (phaseOrder == 0) {
            t_.crystal.Phases(h, k, l, first_);
            phase_ = first_;
            phaseOrder = 1;
        }
        for (; phaseOrder < n; ++phaseOrder)
            for (std::size_t a = 0; a < phase_.size(); ++a)
                phase_[a] = Mul(phase_[a], first_[a]);
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
    const QuickTest quick_;
    std::vector<std::uint8_t> mask_;
    std::vector<Complex> first_, phase_, sums_;
    BlockResult* out_ = nullptr;
};

// One pass over all reflections with fixed levels. Large ranges are shared out by h over the
// cores; the blocks are joined in enumeration order, so the result does not depend on the split.
void Pass(const RunTables& t, RunCache& cache, double itrunc, std::vector<CDot>& spots,
          double& imax) {
    const int blocks = t.p.m_Hmax + 1;
    std::vector<BlockResult> results(blocks);
    std::atomic<int> next{0};
    auto work = [&] {
        Enumerator e(t, itrunc);
        for (int h = next++; h < blocks; h = next++)
            e.Block(h, results[h]);
    };
    const long triples = static_cast<long>(blocks) * (t.p.m_Kmax + 1) * (t.p.m_Lmax + 1);
    if (triples < kParallelTriples || blocks < 2) {
        work();
    } else {
        if (!cache.pool)
            cache.pool = std::make_unique<WorkerPool>();
        cache.pool->Run(work);
    }

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
        Pass(tables, cache, p.m_Itrunc, r.spots, p.m_Imax);
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
