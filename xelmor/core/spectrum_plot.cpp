#include "xelmor/core/spectrum_plot.h"

#include "structfile/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace xelmor {

namespace {

// Margins of the axis box inside the frame.
constexpr int kLeftMargin = 34, kRightMargin = 15, kTopMargin = 5, kBottomMargin = 24;

constexpr int kIntensityMajorTicks = 6, kIntensityMajorLength = 7, kIntensityMajorGap = 50;
constexpr int kIntensityMinorTicks = 25, kIntensityMinorLength = 4, kIntensityMinorGap = 10;
constexpr int kIntensityLabelX = 24; // left of the box
constexpr int kIntensityLabelY = 7;  // above the tick

constexpr int kMaxWavelengthMajorTicks = 20, kWavelengthMajorLength = 8;
constexpr int kMaxWavelengthMinorTicks = 200, kWavelengthMinorLength = 5;
constexpr int kMinorPerMajor = 5;
constexpr int kWavelengthLabelGap = 9; // from the box's bottom to the label's top

// Pixel offsets are truncated toward zero; values far outside any screen (an unnormalised
// intensity of an old file, say) are held where the conversion to int is still defined.
constexpr double kFarOutside = 1e6;

int TruncPixels(double v) {
    if (std::isnan(v))
        return 0;
    if (v > kFarOutside)
        v = kFarOutside;
    if (v < -kFarOutside)
        v = -kFarOutside;
    return static_cast<int>(v);
}

} // namespace

double MajorWavelengthStep(double lastWavelength) {
    if (!(lastWavelength > 0) || !std::isfinite(lastWavelength))
        return 0.0;
    double step = 10000.0;
    if (lastWavelength / step <= 1) {
        while (!(lastWavelength / step > 1))
            step /= 10;
    }
    const double steps = lastWavelength / step;
    if (steps <= 2)
        step /= 5;
    else if (steps <= 5)
        step /= 2;
    return step;
}

SpectrumPlot LayoutSpectrumPlot(const PlotRect& frame, const std::vector<double>& wavelength,
                                const std::vector<double>& intensity) {
    SpectrumPlot plot;
    plot.frame = frame;
    const int left = frame.left + kLeftMargin;
    const int right = frame.right - kRightMargin;
    const int top = frame.top + kTopMargin;
    const int bottom = frame.bottom - kBottomMargin;
    plot.boxTopLeft = {left, top};
    plot.boxBottomRight = {right, bottom};

    // Intensity axis on both sides of the box.
    auto sideTicks = [&](int y, int length) {
        plot.ticks.push_back({left, y, left - length, y});
        plot.ticks.push_back({right, y, right + length, y});
    };
    for (int i = 0; i < kIntensityMajorTicks; ++i)
        sideTicks(bottom - kIntensityMajorGap * i, kIntensityMajorLength);
    for (int j = 0; j < kIntensityMinorTicks; ++j)
        sideTicks(bottom - kIntensityMinorGap - kIntensityMinorGap * j, kIntensityMinorLength);
    static const char* const kIntensityLabels[kIntensityMajorTicks] = {"0.0", "0.2", "0.4",
                                                                       "0.6", "0.8", "1.0"};
    for (int i = 0; i < kIntensityMajorTicks; ++i)
        plot.labels.push_back({kIntensityLabels[i], left - kIntensityLabelX,
                               bottom - kIntensityLabelY - kIntensityMajorGap * i, false});

    const std::size_t count = std::min(wavelength.size(), intensity.size());
    if (count < 2)
        return plot;
    const double last = wavelength[count - 1];
    plot.majorStep = MajorWavelengthStep(last);
    if (plot.majorStep == 0.0)
        return plot; // no wavelength scale to draw the samples on
    const double scale = (right - left) / last;

    for (int k = 0; k < kMaxWavelengthMajorTicks; ++k) {
        const double w = k * plot.majorStep;
        if (w > last)
            break;
        const int x = left + TruncPixels(w * scale);
        plot.ticks.push_back({x, bottom, x, bottom + kWavelengthMajorLength});
        plot.labels.push_back({FormatG(w), x, bottom + kWavelengthLabelGap, true});
    }
    for (int k = 0; k < kMaxWavelengthMinorTicks; ++k) {
        // k steps, then the fifth: 30 minor steps of 0.1 reach 3.0 exactly this way.
        const double w = k * plot.majorStep / kMinorPerMajor;
        if (w > last)
            break;
        const int x = left + TruncPixels(w * scale);
        plot.ticks.push_back({x, bottom, x, bottom + kWavelengthMinorLength});
    }

    plot.curve.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        plot.curve.push_back({left + TruncPixels(scale * wavelength[i]),
                              bottom - TruncPixels(kPlotPixelsPerIntensity * intensity[i])});
    return plot;
}

} // namespace xelmor
