// Drawing the pattern into an image file: the exported picture of the film at a chosen pixel
// size, with the recorded image, crosslines, spot 000, merged and current spots, labels, border
// and an information line, written as a bitmap, JPEG or TIFF. Shared by the program's export
// command and the batch simulator.
#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

#include "structfile/message.h"
#include "xelmor/core/params.h"
#include "xelmor/core/spot.h"
#include "xelmor/files/pattern_text.h"

namespace xelmor {

// How the image is drawn (the export dialog's choices).
struct ExportImageSettings {
    int width = 0, height = 0; // pixels
    bool sixteenBit = false;   // 5-5-5 colours in place of 8 bits per channel
    bool indices = false;      // plot the reflection indices
    bool whiteSpaceSep = true; // blanks between h, k and l
    double ignoreBelow = 0.0;  // no label below this fraction of m_Imax
    bool showInfo = true;      // the information line
    bool sortMerged = true;    // merged and current spots together, strong over weak
};

// What is drawn. The pointers are not owned; the parameter set and the spots are required.
struct ExportImageScene {
    const CParameterSet* params = nullptr;
    const std::vector<CDot>* spots = nullptr; // strongest first
    double runShiftX = 0.0, runShiftY = 0.0;  // film shift at the last run, 0.1 mm
    double spot000X = 0.0, spot000Y = 0.0;
    const MergeSlot* merge1 = nullptr;
    const MergeSlot* merge2 = nullptr;
    const QImage* backImage = nullptr;
    double backWidth = 0.0, backHeight = 0.0; // 0.1 mm
};

// "Failed to Create the Image! Could be no enough memory.\nTry to reduce the number of pixels
// or use 16-bit." with the stop icon.
Message ExportBitmapFailure();
// "Failed to create the font." (no icon).
Message ExportFontFailure();

// Creates the bitmap to draw into (16-bit 5-5-5 or 24-bit); a null image when it cannot be had.
QImage CreateExportBitmap(int width, int height, bool sixteenBit);

// Draws the scene into `image` (of the settings' size, white where nothing is drawn). Returns
// the font failure, in which case the image is incomplete and must not be written.
std::optional<Message> RenderExportImage(QImage& image, const ExportImageScene& scene,
                                         const ExportImageSettings& settings);

// Writes `image` to `path`: a 16-bit image as a 16-bit bitmap for "bmp", else with 8 bits per
// channel; JPEG for "jpg" and "jpeg"; any other extension through its own encoder (TIFF for
// "tif"). An existing file is replaced only by a complete new one. Returns the failure to show:
// "Failed to open " + path + "!" when the file cannot be created, "Failed to write " + path +
// "!" when there is no encoder for the extension or writing fails (stop icon).
std::optional<Message> WriteExportImage(const QImage& image, const QString& path);

// The whole export after the file was chosen: bitmap, drawing, file. Returns the message to
// show, nothing when the file was written.
std::optional<Message> ExportPatternImage(const ExportImageScene& scene,
                                          const ExportImageSettings& settings, const QString& path);

// Test seam: while set, bitmaps are created by `factory` (which may return a null image to stand
// for a failed allocation); an empty function goes back to the ordinary creation.
using ExportBitmapFactory = std::function<QImage(int width, int height, bool sixteenBit)>;
void InstallExportBitmapFactory(ExportBitmapFactory factory);

} // namespace xelmor
