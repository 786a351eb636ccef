#include "xelmor/view/image_export.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <array>
#include <cstdint>
#include <string>

#include "xelmor/core/export_layout.h"
#include "xelmor/core/view_mapping.h"
#include "xelmor/files/bitmap16.h"
#include "xelmor/files/export_spots.h"
#include "xelmor/view/pattern_painter.h"

namespace xelmor {

namespace {

ExportBitmapFactory& Factory() {
    static ExportBitmapFactory factory;
    return factory;
}

QColor ColorOf(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

void Fill(QPainter& p, const LogicalRect& r, Rgb color) {
    // Pixel rectangles with y downward; the right and the bottom edge do not belong to them.
    if (r.right > r.left && r.bottom > r.top)
        p.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), ColorOf(color));
}

void SetPen(QPainter& p, int width, Rgb color) {
    QPen pen(ColorOf(color), width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
}

QPoint Pt(LogicalPoint p) {
    return QPoint(p.x, p.y);
}

// One merged pattern with the export's y-down convention, weakest record first.
void PaintMergedDown(QPainter& p, const MergeSlot& slot, const ExportFrame& f, bool patternHasSpots,
                     const CParameterSet& params) {
    if (slot.records.empty())
        return;
    const double n = MergeNormaliser(slot.saturate, slot.records.front().intensity, patternHasSpots,
                                     params.m_Isat);
    const LogicalRect base = MergeBaseRect(f.width, f.height, f.q, slot.spotWidth, slot.spotHeight,
                                           slot.shiftX, slot.shiftY, true);
    for (auto it = slot.records.rbegin(); it != slot.records.rend(); ++it) {
        const int level = SpotLevel(it->intensity, n, params.m_bGrayScale != 0);
        Fill(p, MergeRectAt(base, f.q, it->x, it->y, true), SpotRgb(level, slot.nColor));
    }
}

bool HasRecords(const MergeSlot* slot) {
    return slot && !slot->records.empty();
}

Message FileFailure(const char* what, const QString& path) {
    return MakeMessage(std::string(what) + path.toStdString() + "!", MsgIcon::Stop);
}

} // namespace

Message ExportBitmapFailure() {
    return MakeMessage("Failed to Create the Image! Could be no enough memory.\nTry to reduce the "
                       "number of pixels or use 16-bit.",
                       MsgIcon::Stop);
}

Message ExportFontFailure() {
    return MakeMessage("Failed to create the font.", MsgIcon::None);
}

void InstallExportBitmapFactory(ExportBitmapFactory factory) {
    Factory() = std::move(factory);
}

QImage CreateExportBitmap(int width, int height, bool sixteenBit) {
    if (Factory())
        return Factory()(width, height, sixteenBit);
    if (width < 1 || height < 1)
        return QImage();
    return QImage(width, height, sixteenBit ? QImage::Format_RGB555 : QImage::Format_RGB888);
}

std::optional<Message> RenderExportImage(QImage& image, const ExportImageScene& scene,
                                         const ExportImageSettings& settings) {
    const CParameterSet& p = *scene.params;
    const std::vector<CDot>& spots = *scene.spots;
    const int L = settings.width, Hh = settings.height;
    const ExportFrame f = MakeExportFrame(L, Hh, p.m_FilmWidth, scene.runShiftX, scene.runShiftY);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // 1. The film: the whole image.
    Fill(painter, {0, 0, L, Hh}, kFilmRgb);

    // 2. The recorded image at its real size, centred.
    if (scene.backImage && !scene.backImage->isNull()) {
        const LogicalRect r = ExportBackImageRect(f, scene.backWidth, scene.backHeight);
        if (r.right > r.left && r.bottom > r.top) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            painter.drawImage(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top),
                              *scene.backImage);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        }
    }

    // 3. Crosslines through the detector origin.
    if (p.m_bCrossline) {
        SetPen(painter, ExportPenWidth(f.q), kCrosslineRgb);
        for (const LogicalLine& l : ExportCrosslines(f))
            painter.drawLine(Pt(l.from), Pt(l.to));
    }

    // 4. and 5. The base spot rectangle and spot 000.
    const LogicalRect base = ExportBaseSpotRect(f, p.m_SpotWidth, p.m_SpotHeight);
    if (p.m_bShowSpot000 && std::fabs(scene.spot000X) < kSpot000Missing &&
        std::fabs(scene.spot000Y) < kSpot000Missing)
        Fill(painter, ExportSpotRectAt(base, f.q, scene.spot000X, scene.spot000Y), kSpot000Rgb);

    // 6. The spots: merged and current together by strength, or the merged patterns first.
    const bool gray = p.m_bGrayScale != 0;
    if ((HasRecords(scene.merge1) || HasRecords(scene.merge2)) && settings.sortMerged) {
        const std::vector<ExportSpot> sorted =
            SortedExportSpots(spots, p.m_Isat, scene.merge1, scene.merge2);
        std::array<LogicalRect, 3> bases{base, base, base};
        std::array<int, 3> colors{p.m_SpotColor, 0, 0};
        const MergeSlot* sources[] = {nullptr, scene.merge1, scene.merge2};
        for (int s = 1; s <= 2; ++s) {
            if (!sources[s])
                continue;
            bases[s] = MergeBaseRect(L, Hh, f.q, sources[s]->spotWidth, sources[s]->spotHeight,
                                     sources[s]->shiftX, sources[s]->shiftY, true);
            colors[s] = sources[s]->nColor;
        }
        for (auto it = sorted.rbegin(); it != sorted.rend(); ++it) {
            const int level = SpotLevel(it->level, 1.0, gray);
            const auto src = static_cast<std::size_t>(it->source);
            Fill(painter, ExportSpotRectAt(bases[src], f.q, it->x, it->y),
                 SpotRgb(level, colors[src]));
        }
    } else {
        if (scene.merge1)
            PaintMergedDown(painter, *scene.merge1, f, !spots.empty(), p);
        if (scene.merge2)
            PaintMergedDown(painter, *scene.merge2, f, !spots.empty(), p);
        for (auto it = spots.rbegin(); it != spots.rend(); ++it) {
            const int level = SpotLevel(it->intensity, p.m_Isat, gray);
            Fill(painter, ExportSpotRectAt(base, f.q, it->x, it->y), SpotRgb(level, p.m_SpotColor));
        }
    }

    // 7. The export font, whether or not labels are plotted.
    const std::optional<IndexFont> font =
        CreateIndexFont(IndexFontFace(p.m_FontNoBmp), p.m_FontHeightBmp);
    if (!font)
        return ExportFontFailure();
    painter.setFont(QFont(font->font, &image));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(QColor(Qt::black));

    // 8. The labels of the current spots, their bottom on the spot's top edge.
    if (settings.indices) {
        const QFontMetrics fm = painter.fontMetrics();
        const int xOffset = static_cast<int>(p.m_FontXoffsetBmp * f.q);
        const int yOffset = static_cast<int>(p.m_FontYoffsetBmp * f.q) + fm.height();
        if (p.m_bShowIndex)
            painter.setPen(ColorOf(LabelRgb(p.m_FontColor)));
        const int ascent = fm.ascent();
        for (auto it = spots.rbegin(); it != spots.rend(); ++it) {
            if (!ExportLabelShown(it->intensity, p.m_Imax, settings.ignoreBelow))
                continue;
            const LogicalRect r = ExportSpotRectAt(base, f.q, it->x, it->y);
            const std::string text = ExportLabelText(*it, settings.whiteSpaceSep);
            painter.drawText(QPoint(r.left + xOffset, r.top - yOffset + ascent),
                             QString::fromStdString(text));
        }
    }

    // 10. The border.
    const QPen textPen = painter.pen();
    SetPen(painter, ExportPenWidth(f.q), Rgb{0, 0, 0});
    std::array<QPoint, 5> border;
    const std::array<LogicalPoint, 5> corners = ExportBorder(L, Hh);
    for (std::size_t i = 0; i < border.size(); ++i)
        border[i] = Pt(corners[i]);
    painter.drawPolyline(border.data(), static_cast<int>(border.size()));
    painter.setPen(textPen);

    // 11. The information line in the system font, in the colour the labels were given.
    if (settings.showInfo) {
        painter.setFont(QFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont), &image));
        const LogicalPoint at = ExportInfoLinePos(Hh);
        painter.drawText(QPoint(at.x, at.y + painter.fontMetrics().ascent()),
                         QString::fromStdString(ExportInfoLine(p)));
    }
    return std::nullopt;
}

std::optional<Message> WriteExportImage(const QImage& image, const QString& path) {
    const ExportFileType type = ExportFileTypeOf(path.toStdString());
    if (type == ExportFileType::Bitmap && image.format() == QImage::Format_RGB555) {
        return SaveBitmap16(path.toStdString(), image.width(), image.height(), [&image](int y) {
            return reinterpret_cast<const std::uint16_t*>(image.constScanLine(y));
        });
    }
    QByteArray format;
    switch (type) {
    case ExportFileType::Bitmap:
        format = "bmp";
        break;
    case ExportFileType::Jpeg:
        format = "jpeg";
        break;
    case ExportFileType::ByExtension:
        format = QFileInfo(path).suffix().toLower().toLatin1();
        break;
    }
    if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format))
        return FileFailure("Failed to write ", path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileFailure("Failed to open ", path);
    QImageWriter writer(&file, format);
    // The quantised colours of a 16-bit image in their 8-bit form.
    const bool ok = writer.write(image.format() == QImage::Format_RGB555
                                     ? image.convertToFormat(QImage::Format_RGB888)
                                     : image);
    if (!ok || !file.commit())
        return FileFailure("Failed to write ", path);
    return std::nullopt;
}

std::optional<Message> ExportPatternImage(const ExportImageScene& scene,
                                          const ExportImageSettings& settings,
                                          const QString& path) {
    QImage image = CreateExportBitmap(settings.width, settings.height, settings.sixteenBit);
    if (image.isNull())
        return ExportBitmapFailure();
    if (std::optional<Message> failed = RenderExportImage(image, scene, settings))
        return failed;
    return WriteExportImage(image, path);
}

} // namespace xelmor
