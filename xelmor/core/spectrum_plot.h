// The plot of the spectrum dialog: frame, axes, ticks, labels and curve in whole pixels of the
// dialog (y down), so the widget only draws what this lays out.
#pragma once

#include <string>
#include <vector>

namespace xelmor {

// A rectangle in pixels; right and bottom are the first pixels outside it.
struct PlotRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    bool operator==(const PlotRect&) const = default;
};

// A line from (x1, y1) towards (x2, y2); the end point itself is not drawn.
struct PlotLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;

    bool operator==(const PlotLine&) const = default;
};

struct PlotPoint {
    int x = 0, y = 0;

    bool operator==(const PlotPoint&) const = default;
};

// A text of the plot: `x`, `y` is the top-left corner of its cell, or for a centred label the
// middle of its top edge.
struct PlotLabel {
    std::string text;
    int x = 0, y = 0;
    bool centred = false;

    bool operator==(const PlotLabel&) const = default;
};

// One intensity unit is this many pixels, whatever the height of the frame.
inline constexpr int kPlotPixelsPerIntensity = 250;

// Everything the plot draws.
struct SpectrumPlot {
    PlotRect frame;                       // filled white
    PlotPoint boxTopLeft, boxBottomRight; // the closed rectangle drawn through these corners
    std::vector<PlotLine> ticks;          // both axes, black
    std::vector<PlotLabel> labels;        // on white background
    std::vector<PlotPoint> curve;         // red, 2 pixels wide, through every sample in order
    double majorStep = 0.0; // wavelength between major ticks; 0 without wavelength axis
};

// The wavelength between the major ticks for a spectrum ending at `lastWavelength` (Angstrom):
// 10000 divided by 10 until the wavelength is more than one step, then divided by 5 when it is
// at most two steps, or halved when it is at most five. 3.0 gives 0.5, 1.5 gives 0.2. A last
// wavelength that is not a positive finite number has no axis: 0.
double MajorWavelengthStep(double lastWavelength);

// Lays out the plot in `frame` for the samples given (the two arrays in step; the curve and the
// wavelength axis need at least two samples and a positive last wavelength).
SpectrumPlot LayoutSpectrumPlot(const PlotRect& frame, const std::vector<double>& wavelength,
                                const std::vector<double>& intensity);

} // namespace xelmor
