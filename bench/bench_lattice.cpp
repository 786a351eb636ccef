// The per-run orientation set-up and the per-reflection film projection, the two lattice steps
// every simulation run repeats.
#include <benchmark/benchmark.h>

#include <cmath>

#include "xelmor/core/film.h"
#include "xelmor/core/lattice.h"

using namespace xelmor;

static void OrientationMatrixOfARun(benchmark::State& state) {
    const ReciprocalBasis rb = ReciprocalBasisFromCell(5.4309, 6.1, 7.2, 80, 95, 100);
    double angle = 0;
    for (auto _ : state) {
        angle += 0.1;
        benchmark::DoNotOptimize(OrientationMatrix(rb, 0, 0, 1, 1, 0, 0, 0, angle, 20, 30));
    }
}
BENCHMARK(OrientationMatrixOfARun);

// Projects the beams of a 16 x 16 x 16 index box, as a run does for every candidate reflection.
static void FilmProjectionOfAnIndexBox(benchmark::State& state) {
    const ReciprocalBasis rb = ReciprocalBasisFromCell(5.4309, 5.4309, 5.4309, 90, 90, 90);
    const Mat3 orient = OrientationMatrix(rb, 0, 0, 1, 1, 0, 0, 0, 10, 20, 30);
    const FilmGeometry film = MakeFilmGeometry(0, 500, 5);
    for (auto _ : state) {
        int hits = 0;
        for (int h = -16; h <= 16; ++h)
            for (int k = -16; k <= 16; ++k)
                for (int l = -16; l <= 16; ++l) {
                    const Vec3 g = LabVector(orient, h, k, l);
                    const double g2 = Dot(g, g);
                    if (g2 == 0 || g[2] <= 0)
                        continue;
                    // The beam runs along -z': Bragg's law gives lambda = 2 Gz / G^2 and the
                    // diffracted direction s = (0, 0, -1) + lambda G.
                    const double lambda = 2 * g[2] / g2;
                    const Vec3 s = {lambda * g[0], lambda * g[1], -1 + lambda * g[2]};
                    double x, y;
                    hits += ProjectToFilm(film, s, x, y);
                }
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(FilmProjectionOfAnIndexBox);

BENCHMARK_MAIN();
