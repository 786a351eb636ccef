#include "xelmor/view/pattern_painter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

#include "xelmor/core/spot_details.h"

namespace xelmor {

namespace {

QColor ColorOf(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QPoint DevicePoint(const DeviceMapping& map, LogicalPoint p) {
    return QPoint(map.X(p.x), map.Y(p.y));
}

// The area worth drawing into: the device, narrowed to the painter's clip when it has one.
QRect PaintBounds(const QPainter& painter) {
    QRect bounds = painter.window();
    if (painter.hasClipping())
        bounds &= painter.clipBoundingRect().toAlignedRect();
    return bounds;
}

class Canvas {
public:
    Canvas(QPainter& painter, const DeviceMapping& map)
        : p_(painter), map_(map), bounds_(PaintBounds(painter)) {}

    QPainter& painter() { return p_; }
    const DeviceMapping& map() const { return map_; }
    const QRect& bounds() const { return bounds_; }

    void Fill(const LogicalRect& r, Rgb color) {
        const DeviceRect d = ToDevice(map_, r);
        const QRect q(d.x, d.y, d.width, d.height);
        if (!q.isEmpty() && q.intersects(bounds_))
            p_.fillRect(q, ColorOf(color));
    }

    // A solid pen of `width` logical units; wide pens end and join round, as GDI's do.
    void SetPen(int width, Rgb color) {
        QPen pen(ColorOf(color), map_.PenWidth(width));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p_.setPen(pen);
    }

    void Line(const LogicalLine& l) {
        p_.drawLine(DevicePoint(map_, l.from), DevicePoint(map_, l.to));
    }

    void Polyline(const std::array<LogicalPoint, 5>& points) {
        std::array<QPoint, 5> d;
        for (std::size_t i = 0; i < points.size(); ++i)
            d[i] = DevicePoint(map_, points[i]);
        p_.drawPolyline(d.data(), static_cast<int>(d.size()));
    }

private:
    QPainter& p_;
    DeviceMapping map_;
    QRect bounds_;
};

// One merged pattern in the view's y-up convention, weakest record first.
void PaintMerged(Canvas& c, const MergeSlot& slot, const PatternScene& scene) {
    if (slot.records.empty())
        return;
    const CParameterSet& p = *scene.params;
    const ViewFrame& f = scene.frame;
    const double n = MergeNormaliser(slot.saturate, slot.records.front().intensity,
                                     !scene.spots->empty(), p.m_Isat);
    const LogicalRect base = MergeBaseRect(f.width, f.height, f.scale, slot.spotWidth,
                                           slot.spotHeight, slot.shiftX, slot.shiftY, false);
    for (auto it = slot.records.rbegin(); it != slot.records.rend(); ++it) {
        const int level = SpotLevel(it->intensity, n, p.m_bGrayScale != 0);
        c.Fill(MergeRectAt(base, f.scale, it->x, it->y, false), SpotRgb(level, slot.nColor));
    }
}

// The label font for the device painted on: the index font at its character height, or the
// system font.
QFont LabelFont(const PatternScene& scene, const DeviceMapping& map, const QPaintDevice* device) {
    QFont font;
    if (scene.labelFont) {
        font = scene.labelFont->font;
        font.setPixelSize(std::max(
            1, static_cast<int>(std::lround(std::abs(scene.labelFont->height) * map.unitsY))));
    } else {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    }
    return device ? QFont(font, device) : font;
}

// The glyphs of the characters a label holds, so that ten thousand labels are laid out
// without shaping each one: GDI's text output does not kern either.
class LabelGlyphs {
public:
    explicit LabelGlyphs(const QFont& font) : raw_(QRawFont::fromFont(font)) {
        if (!raw_.isValid())
            return;
        const QList<quint32> glyphs = raw_.glyphIndexesForString(QString::fromLatin1(kChars));
        if (glyphs.size() != static_cast<qsizetype>(sizeof kChars - 1))
            return;
        const QList<QPointF> advances = raw_.advancesForGlyphIndexes(glyphs);
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            if (glyphs[i] == 0)
                return; // a character the face cannot show
            const int slot = SlotOf(kChars[i]);
            glyph_[slot] = glyphs[i];
            // Whole pixels, as GDI advances text.
            advance_[slot] = std::round(advances[i].x());
        }
        valid_ = true;
    }

    bool valid() const { return valid_; }

    double Width(const std::string& text) const {
        double w = 0;
        for (char ch : text)
            w += advance_[SlotOf(ch)];
        return w;
    }

    void Add(const std::string& text, double x, double baseline) {
        for (char ch : text) {
            const int slot = SlotOf(ch);
            if (ch != ' ') {
                indexes_.push_back(glyph_[slot]);
                positions_.push_back(QPointF(x, baseline));
            }
            x += advance_[slot];
        }
    }

    void Draw(QPainter& p) {
        if (indexes_.isEmpty())
            return;
        QGlyphRun run;
        run.setRawFont(raw_);
        run.setGlyphIndexes(indexes_);
        run.setPositions(positions_);
        p.drawGlyphRun(QPointF(0, 0), run);
    }

private:
    static constexpr char kChars[] = "0123456789- ";
    static int SlotOf(char ch) {
        if (ch >= '0' && ch <= '9')
            return ch - '0';
        return ch == '-' ? 10 : 11;
    }

    QRawFont raw_;
    bool valid_ = false;
    std::array<quint32, 12> glyph_{};
    std::array<double, 12> advance_{};
    QList<quint32> indexes_;
    QList<QPointF> positions_;
};

// Every spot's "n h  n k  n l", its cell's top-left at the spot's top-left moved by the offsets.
void PaintLabels(Canvas& c, const PatternScene& scene, const LogicalRect& base) {
    QPainter& painter = c.painter();
    const DeviceMapping& map = c.map();
    const CParameterSet& p = *scene.params;
    const QFont font = LabelFont(scene, map, painter.device());
    painter.setFont(font);
    const QFontMetrics fm = painter.fontMetrics();
    // The height of "0" in logical units, as the old text measurement gave it.
    const int yOffset =
        p.m_FontYoffsetScreen + static_cast<int>(std::lround(fm.height() / map.unitsY));
    const int xOffset = static_cast<int>(p.m_FontXoffset * p.m_CalibFactor);
    painter.setPen(ColorOf(LabelRgb(p.m_FontColor)));
    painter.setBackgroundMode(Qt::TransparentMode);

    LabelGlyphs glyphs(font);
    const QRect& bounds = c.bounds();
    const int ascent = fm.ascent(), descent = fm.descent();
    const std::vector<CDot>& spots = *scene.spots;
    for (auto it = spots.rbegin(); it != spots.rend(); ++it) {
        const LogicalRect r = SpotRectAt(base, scene.frame.scale, it->x, it->y);
        const int x = map.X(r.left + xOffset);
        const int baseline = map.Y(r.top + yOffset) + ascent;
        if (baseline - ascent > bounds.bottom() || baseline + descent < bounds.top() ||
            x > bounds.right())
            continue;
        const std::string text = OrderIndicesText(*it, LowestKeptOrder(*it));
        if (glyphs.valid()) {
            if (x + glyphs.Width(text) >= bounds.left())
                glyphs.Add(text, x, baseline);
        } else {
            painter.drawText(QPoint(x, baseline), QString::fromStdString(text));
        }
    }
    glyphs.Draw(painter);
}

} // namespace

std::optional<IndexFont> CreateIndexFont(std::string_view face, int height) {
    struct StandIn {
        const char* face;
        const char* family;
    };
    static constexpr StandIn kStandIns[] = {{"Arial Narrow", "Liberation Sans Narrow"},
                                            {"Times New Roman", "Liberation Serif"}};
    const QString name = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
    QFont font(name);
    font.setWeight(QFont::Normal);
    font.setFixedPitch(false);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, std::abs(height)));
    const QString resolved = QFontInfo(font).family();
    bool found = resolved.compare(name, Qt::CaseInsensitive) == 0;
    for (const StandIn& s : kStandIns) {
        if (name.compare(QLatin1String(s.face), Qt::CaseInsensitive) == 0 &&
            resolved.compare(QLatin1String(s.family), Qt::CaseInsensitive) == 0)
            found = true;
    }
    if (!found)
        return std::nullopt;
    return IndexFont{font, height};
}

DeviceMapping MappingOf(const QPaintDevice& device, QPoint origin) {
    DeviceMapping m;
    m.unitsX = device.logicalDpiX() / 254.0;
    m.unitsY = device.logicalDpiY() / 254.0;
    m.originX = origin.x();
    m.originY = origin.y();
    return m;
}

void PaintPattern(QPainter& painter, const PatternScene& scene, const DeviceMapping& map) {
    const CParameterSet& p = *scene.params;
    const ViewFrame& f = scene.frame;
    const std::vector<CDot>& spots = *scene.spots;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    Canvas c(painter, map);

    // 1. The film.
    c.Fill(FilmRect(f.width, f.height), kFilmRgb);

    // 2. The recorded image, stretched over its real size, centred on the view.
    if (scene.backImage && !scene.backImage->isNull()) {
        const DeviceRect d = ToDevice(map, BackImageRect(f, scene.backWidth, scene.backHeight));
        const QRect target(d.x, d.y, d.width, d.height);
        if (!target.isEmpty() && target.intersects(c.bounds()))
            painter.drawImage(target, *scene.backImage);
    }

    // 3. Crosslines through the detector origin.
    if (p.m_bCrossline) {
        c.SetPen(CrosslinePenWidth(f.scale), kCrosslineRgb);
        for (const LogicalLine& l : Crosslines(f))
            c.Line(l);
    }

    // 4. Spot 000, where the direct beam meets the film.
    const LogicalRect base = BaseSpotRect(f, p.m_SpotWidth, p.m_SpotHeight);
    if (p.m_bShowSpot000 && std::fabs(scene.spot000X) < kSpot000Missing &&
        std::fabs(scene.spot000Y) < kSpot000Missing)
        c.Fill(SpotRectAt(base, f.scale, scene.spot000X, scene.spot000Y), kSpot000Rgb);

    // 5. The merged patterns.
    if (scene.merge1)
        PaintMerged(c, *scene.merge1, scene);
    if (scene.merge2)
        PaintMerged(c, *scene.merge2, scene);

    // 6. The spots, weakest first so that the strongest lies on top.
    const bool gray = p.m_bGrayScale != 0;
    for (auto it = spots.rbegin(); it != spots.rend(); ++it) {
        const int level = SpotLevel(it->intensity, p.m_Isat, gray);
        c.Fill(SpotRectAt(base, f.scale, it->x, it->y), SpotRgb(level, p.m_SpotColor));
    }

    // 7. The selection frame.
    const Rgb frameColor = FrameRgb(p.m_SpotColor);
    if (scene.selSpot >= 0 && scene.selSpot < static_cast<int>(spots.size())) {
        const CDot& s = spots[static_cast<std::size_t>(scene.selSpot)];
        c.SetPen(SelectionPenWidth(f.scale), frameColor);
        c.Polyline(RectOutline(SpotRectAt(base, f.scale, s.x, s.y)));
    }

    // 8. The look-up-table markers.
    if (p.m_bMajorSpot) {
        c.SetPen(kMarkerPenWidth, frameColor);
        for (const LogicalLine& l : PlusMarker(MarkerPoint(f, p.m_MajorX, p.m_MajorY)))
            c.Line(l);
        if (p.m_bSecondSpot) {
            for (const LogicalLine& l : CrossMarker(MarkerPoint(f, p.m_SecondX, p.m_SecondY)))
                c.Line(l);
        }
    }

    // 9. The labels, every spot whatever its intensity.
    if (p.m_bShowIndex)
        PaintLabels(c, scene, base);

    // 10. The grey margins over labels that run past the film edge.
    for (const LogicalRect& r : MarginRects(f.width, f.height))
        c.Fill(r, kMarginRgb);

    // 11. The film border with the plain black pen.
    painter.setPen(QPen(Qt::black, 1));
    c.Polyline(FilmBorder(f.width, f.height));

    painter.restore();
}

} // namespace xelmor
