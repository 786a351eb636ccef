// One paint of the pattern view with 10 000 labelled spots into an offscreen image of a window's
// size (1280 x 960 pixels at 96 DPI), at zoom 100 % and 400 % (the window then shows the film's
// centre), and without labels for comparison. The automatic rotation repaints every 10 ms, so a
// paint must stay well below that.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "xelmor/view/pattern_painter.h"

using namespace xelmor;

namespace {

constexpr int kSpots = 10000;

// Spots spread over a 200 x 150 mm film, strongest first, with indices of up to two digits.
std::vector<CDot> SpreadSpots() {
    std::uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range));
    };
    std::vector<CDot> spots(kSpots);
    for (int i = 0; i < kSpots; ++i) {
        CDot& d = spots[static_cast<std::size_t>(i)];
        d.h = next(41) - 20, d.k = next(41) - 20, d.l = next(21) - 10;
        d.x = next(2000) - 1000.0;
        d.y = next(1500) - 750.0;
        d.intensity = 1000.0 * (kSpots - i) / kSpots;
        d.harmonics = {Harmonic{1 + next(2), 1.0, d.intensity}};
    }
    return spots;
}

void Paint(benchmark::State& state) {
    const int zoom = static_cast<int>(state.range(0));
    CParameterSet params;
    params.m_nZoom = zoom;
    params.m_Isat = 500.0;
    params.m_bShowIndex = static_cast<int>(state.range(1));
    const std::vector<CDot> spots = SpreadSpots();
    const std::optional<IndexFont> font = CreateIndexFont("Arial Narrow", 32);

    PatternScene scene;
    scene.params = &params;
    scene.spots = &spots;
    scene.selSpot = 7;
    scene.frame = ViewExtent(ViewScale(zoom, 1.0), params.m_FilmWidth, params.m_FilmHeight);
    scene.spot000X = scene.spot000Y = 0.0;
    scene.labelFont = font ? &*font : nullptr;

    QImage image(1280, 960, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780); // 96 DPI
    image.setDotsPerMeterY(3780);
    DeviceMapping map = MappingOf(image);
    // Scrolled so that the film's centre is in the middle of the window.
    map.originX = std::min(0, image.width() / 2 - map.X(scene.frame.width / 2));
    map.originY = std::min(0, image.height() / 2 - map.Y(-scene.frame.height / 2));

    for (auto _ : state) {
        QPainter painter(&image);
        PaintPattern(painter, scene, map);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["spots"] = kSpots;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::RegisterBenchmark("paint/zoom_labels", Paint)
        ->Args({100, 1})
        ->Args({400, 1})
        ->Args({100, 0})
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
