// The recorded Laue image shown behind the pattern: decoding a scanned film or a CCD frame into
// an image ready for display, and the copy of it at the size the view shows, kept per zoom so
// that a repaint only copies pixels.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>

#include "structfile/message.h"

namespace xelmor {

// What decoding a recorded image gives: the display image and the size of the file's image.
struct RecordedImage {
    QImage image; // 8-bit grey or 32-bit RGB, ready to draw
    int pixelWidth = 0, pixelHeight = 0;
};

// The largest image the readers may allocate, MB: a 4096 x 4096 CCD frame of 16 bits and its
// display copy fit with room to spare.
inline constexpr int kRecordedImageAllocationLimitMb = 1024;

// Decodes the BMP, JPEG or TIFF file at `path` through Qt's image readers. A 16-bit greyscale
// image (as CCD cameras write) is shown scaled linearly from its darkest pixel (black) to its
// brightest (white); an image of one grey value is shown black. Nothing when the file cannot
// be decoded or the image has no pixels.
std::optional<RecordedImage> LoadRecordedImage(const QString& path);

// The 8-bit display copy of a 16-bit greyscale image, stretched from its darkest to its
// brightest pixel.
QImage StretchGray16(const QImage& gray16);

// "Cannot create the image or import the file " + file + "!" with the stop icon.
Message RecordedImageFailure(const QString& file);

// The recorded image scaled to the size the view shows it at, made once per zoom (or film
// size) and reused by every repaint until the image or the size changes.
class RecordedImageCache {
public:
    // The copy of `source` at `size`, or `source` itself when the copy would be too large to
    // keep (the painter then scales the visible part on every paint) or the size is empty.
    const QImage* For(const QImage& source, QSize size);

    // The largest copy kept, pixels.
    static constexpr std::int64_t kMaxPixels = 64LL * 1024 * 1024;

private:
    qint64 key_ = 0;
    QSize size_;
    QImage scaled_;
};

} // namespace xelmor
