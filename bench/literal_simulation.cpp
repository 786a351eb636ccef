#include "bench/literal_simulation.h"

#include <cmath>
#include <utility>
#include <vector>

#include "xelmor/core/film.h"
#include "xelmor/core/intensity.h"

namespace xelmor {

namespace {

// The 168 primes below 1000.
std::vector<int> Primes() {
    std::vector<int> primes;
    for (int n = 2; n < 1000; ++n) {
        bool prime = true;
        for (int d = 2; d * d <= n; ++d)
            if (n % d == 0) {
                prime = false;
                break;
            }
        if (prime)
            primes.push_back(n);
    }
    return primes;
}

struct Literal {
    CParameterSet& p;
    SimulationResult& r;
    FilmGeometry film;
    std::vector<int> primes;
    std::vector<Harmonic> buffer;

    bool Reduced(int h, int k, int l) const {
        int smallest = 0;
        for (int v : {h, k, l})
            if (v != 0 && (smallest == 0 || v < smallest))
                smallest = v;
        for (int prime : primes) {
            if (prime > smallest)
                break;
            if (h % prime == 0 && k % prime == 0 && l % prime == 0)
                return false;
        }
        return true;
    }

    void Reflection(int h, int k, int l, double nMax) {
        const Vec3 G = LabVector(r.orient, h, k, l);
        const double g = std::sqrt(G[0] * G[0] + G[1] * G[1] + G[2] * G[2]);
        const double sigma = G[2] / g;
        if (sigma < 0.0001 || sigma > 0.9999)
            return;
        const double ux = G[0] / g, uy = G[1] / g;
        const Vec3 s = {2 * sigma * ux, 2 * sigma * uy, 2 * sigma * sigma - 1};
        double x, y;
        if (!ProjectToFilm(film, s, x, y))
            return;
        if (x < r.xMin || x > r.xMax || y < r.yMin || y > r.yMax)
            return;
        const double lambda1 = 2 * sigma / g;
        double total = 0;
        int kept = 0;
        const int n = p.nSpectrum();
        for (int order = 1; order <= nMax; ++order) {
            const double lambda = lambda1 / order;
            if (n < 2 || lambda > p.m_Wavelength[n - 1] || lambda < p.m_Wavelength[0])
                continue;
            const double sl = sigma / lambda;
            const double F2 =
                StructureFactor(p.m_Elements, order * h, order * k, order * l, sl * sl).F2();
            const double S =
                SpectrumIntensity(p.m_Wavelength.data(), p.m_Intensity.data(), n, lambda);
            const double I = OrderIntensity(sigma, lambda, F2, S);
            if (I > p.m_Itrunc) {
                buffer[kept++] = {order, F2, I};
                total += I;
            }
        }
        if (total > p.m_Itrunc) {
            CDot dot;
            dot.h = h, dot.k = k, dot.l = l;
            dot.x = x, dot.y = y;
            dot.lambda = lambda1;
            dot.intensity = total;
            dot.d = 1 / g;
            dot.harmonics.assign(buffer.begin(), buffer.begin() + kept);
            r.spots.push_back(std::move(dot));
            if (total > p.m_Imax)
                p.m_Imax = total;
        }
    }

    void Enumerate() {
        for (int h = 0; h <= p.m_Hmax; ++h)
            for (int k = 0; k <= p.m_Kmax; ++k)
                for (int l = 0; l <= p.m_Lmax; ++l) {
                    if (h == 0 && k == 0 && l == 0)
                        continue;
                    if (!Reduced(h, k, l))
                        continue;
                    double nMax = h == 0 ? 999 : p.m_Hmax / h;
                    if (k > 0 && p.m_Kmax / k < nMax)
                        nMax = p.m_Kmax / k;
                    if (l > 0 && p.m_Lmax / l < nMax)
                        nMax = p.m_Lmax / l;
                    Reflection(h, k, l, nMax);
                    if (h != 0)
                        Reflection(-h, k, l, nMax);
                    if (k != 0)
                        Reflection(h, -k, l, nMax);
                    if (l != 0)
                        Reflection(h, k, -l, nMax);
                    if (h * k != 0)
                        Reflection(-h, -k, l, nMax);
                    if (h * l != 0)
                        Reflection(-h, k, -l, nMax);
                    if (k * l != 0)
                        Reflection(h, -k, -l, nMax);
                    if (h * k * l != 0)
                        Reflection(-h, -k, -l, nMax);
                }
    }
};

} // namespace

void RunSimulationLiteral(CParameterSet& p, SimulationResult& r) {
    r.runShiftX = p.m_ShiftX;
    r.runShiftY = p.m_ShiftY;
    r.xMax = p.m_ShiftX + 0.5 * p.m_FilmWidth;
    r.xMin = r.xMax - p.m_FilmWidth;
    r.yMax = p.m_ShiftY + 0.5 * p.m_FilmHeight;
    r.yMin = r.yMax - p.m_FilmHeight;
    Literal run{p, r, MakeFilmGeometry(p.m_TransOrBack, p.m_D, p.m_Tilt), Primes(), {}};
    r.cosTilt = run.film.cosTilt;
    r.sinTilt = run.film.sinTilt;
    Spot000(run.film, r.yMin, r.yMax, r.spot000X, r.spot000Y);
    if (p.m_bFixReflOpen == 0)
        p.m_bMajorSpot = p.m_bSecondSpot = 0;
    r.orient = OrientationMatrix(p.m_Recip, p.m_H, p.m_K, p.m_L, p.m_h, p.m_k, p.m_l,
                                 p.m_RotCrystSeq, p.m_Rot1, p.m_Rot2, p.m_Rot3);
    int maxRange = p.m_Hmax;
    if (p.m_Kmax > maxRange)
        maxRange = p.m_Kmax;
    if (p.m_Lmax > maxRange)
        maxRange = p.m_Lmax;
    run.buffer.resize(maxRange);

    for (bool secondPass = false;; secondPass = true) {
        if (p.m_Isat > 0) {
            p.m_Isat = p.m_Imax * p.m_Saturate;
            p.m_Itrunc = p.m_Imax * p.m_Truncate;
        } else {
            p.m_Itrunc = 0.0001;
        }
        r.spots.clear();
        p.m_Imax = 0;
        run.Enumerate();
        if (r.spots.empty()) {
            p.m_Isat = -1;
            break;
        }
        if (p.m_Isat > 0 || secondPass) {
            p.m_Saturate = p.m_Isat / p.m_Imax;
            p.m_Truncate = p.m_Itrunc / p.m_Imax;
            break;
        }
        p.m_Isat = p.m_Imax;
    }

    // Selection sort, strongest first: the first maximum at or after i is exchanged with i.
    const std::size_t count = r.spots.size();
    for (std::size_t i = 0; i + 1 < count; ++i) {
        std::size_t j = i;
        for (std::size_t m = i + 1; m < count; ++m)
            if (r.spots[m].intensity > r.spots[j].intensity)
                j = m;
        if (j != i)
            std::swap(r.spots[i], r.spots[j]);
    }
}

} // namespace xelmor
