#include "xelmor/view/recorded_image.h"

#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cstdint>

namespace xelmor {

QImage StretchGray16(const QImage& gray16) {
    const int w = gray16.width(), h = gray16.height();
    std::uint16_t lo = 0xffff, hi = 0;
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint16_t*>(gray16.constScanLine(y));
        const auto [mn, mx] = std::minmax_element(row, row + w);
        lo = std::min(lo, *mn);
        hi = std::max(hi, *mx);
    }
    QImage out(w, h, QImage::Format_Grayscale8);
    if (out.isNull())
        return out;
    const int range = hi > lo ? hi - lo : 0;
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint16_t*>(gray16.constScanLine(y));
        uchar* dst = out.scanLine(y);
        for (int x = 0; x < w; ++x)
            dst[x] = range ? static_cast<uchar>((row[x] - lo) * 255 / range) : 0;
    }
    return out;
}

std::optional<RecordedImage> LoadRecordedImage(const QString& path) {
    if (QImageReader::allocationLimit() < kRecordedImageAllocationLimitMb)
        QImageReader::setAllocationLimit(kRecordedImageAllocationLimitMb);
    QImageReader reader(path);
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return std::nullopt;
    RecordedImage out;
    out.pixelWidth = image.width();
    out.pixelHeight = image.height();
    switch (image.format()) {
    case QImage::Format_Grayscale16:
        out.image = StretchGray16(image);
        break;
    case QImage::Format_Grayscale8:
    case QImage::Format_RGB32:
        out.image = std::move(image);
        break;
    default:
        // Drawn as a plain copy, as the old stretched copy did: any alpha is dropped.
        out.image = image.convertToFormat(QImage::Format_RGB32);
        break;
    }
    if (out.image.isNull())
        return std::nullopt;
    return out;
}

Message RecordedImageFailure(const QString& file) {
    return MakeMessage("Cannot create the image or import the file " + file.toStdString() + "!",
                       MsgIcon::Stop);
}

const QImage* RecordedImageCache::For(const QImage& source, QSize size) {
    if (size.isEmpty() || static_cast<std::int64_t>(size.width()) * size.height() > kMaxPixels)
        return &source;
    if (size == source.size())
        return &source;
    if (key_ != source.cacheKey() || size_ != size || scaled_.isNull()) {
        scaled_ = source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        key_ = source.cacheKey();
        size_ = size;
        if (scaled_.isNull())
            return &source;
    }
    return &scaled_;
}

} // namespace xelmor
