// Painting the pattern as the view shows it, onto any paint device: film, recorded image,
// crosslines, spot 000, merged patterns, spots, selection, look-up-table markers, labels,
// margins and border.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>

#include <optional>
#include <string_view>
#include <vector>

#include "xelmor/core/params.h"
#include "xelmor/core/spot.h"
#include "xelmor/core/view_mapping.h"
#include "xelmor/files/pattern_text.h"

class QPainter;
class QPaintDevice;

namespace xelmor {

// An index label font: its face with the size given as a character height in logical units
// (a GDI height of -height), turned into pixels for the device painted on.
struct IndexFont {
    QFont font;     // face, weight, pitch and family; the size is set when painting
    int height = 0; // logical units
};

// The index label font of `face` (weight 400, variable pitch, Swiss family) with a character
// height of `height` logical units. Nothing when the face cannot be had: fontconfig always
// offers some font, so the face counts as missing when what it resolves to is neither the face
// itself nor its metric-compatible stand-in ("Liberation Sans Narrow" for "Arial Narrow",
// "Liberation Serif" for "Times New Roman").
std::optional<IndexFont> CreateIndexFont(std::string_view face, int height);

// Everything one paint reads. The pointers are not owned; the parameter set and the spot list
// are required, the rest may be null.
struct PatternScene {
    const CParameterSet* params = nullptr;
    const std::vector<CDot>* spots = nullptr; // strongest first
    int selSpot = -1;
    ViewFrame frame;                       // scale, extent and the run's film shift
    double spot000X = 0.0, spot000Y = 0.0; // kSpot000Missing when the beam misses the film
    const MergeSlot* merge1 = nullptr;
    const MergeSlot* merge2 = nullptr;
    const QImage* backImage = nullptr;
    double backWidth = 0.0, backHeight = 0.0; // 0.1 mm
    const IndexFont* labelFont = nullptr;     // null: the system font
};

// The mapping of `device` (its logical DPI) with the scroll area's top-left at `origin`.
DeviceMapping MappingOf(const QPaintDevice& device, QPoint origin = QPoint());

// Paints the scene in the view's order. Only what falls into the painter's clip (or the whole
// device) is drawn; the printing path of the old program does not exist here.
void PaintPattern(QPainter& painter, const PatternScene& scene, const DeviceMapping& map);

} // namespace xelmor
