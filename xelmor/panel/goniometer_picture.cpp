#include "xelmor/panel/goniometer_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace xelmor {

namespace {

// The picture is drawn in a frame of its own units and scaled to the widget, keeping its shape.
constexpr double kFrameWidth = 170.0;
constexpr double kFrameHeight = 120.0;
constexpr QPointF kOrigin{84.0, 54.0};

// Oblique view of the lab frame: X to the right, Y up, Z (towards the source) out of the
// picture, drawn down and to the left and shortened for depth.
constexpr double kDepthX = -0.55;
constexpr double kDepthY = 0.42;

struct Vec {
    double x, y, z;
};

Vec operator*(double s, Vec v) {
    return {s * v.x, s * v.y, s * v.z};
}
Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

QPointF Project(Vec v) {
    return kOrigin + QPointF(v.x + kDepthX * v.z, -v.y + kDepthY * v.z);
}

// A filled arrow head at `tip`, pointing along `from` -> `tip`.
void ArrowHead(QPainter& p, QPointF from, QPointF tip, double size) {
    const QPointF d = tip - from;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0.0)
        return;
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    const QPointF back = tip - size * u;
    const QPolygonF head{tip, back + 0.42 * size * n, back - 0.42 * size * n};
    p.save();
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
    p.restore();
}

// One lab axis: the line from where it leaves the crystal to its tip, the arrow head and the
// axis name beyond the tip.
void Axis(QPainter& p, Vec start, Vec tip, const QString& name, QPointF labelOffset) {
    const QPointF a = Project(start), b = Project(tip);
    p.drawLine(a, b - 3.0 * (b - a) / std::hypot((b - a).x(), (b - a).y()));
    ArrowHead(p, a, b, 7.0);
    const QPointF at = b + labelOffset;
    p.drawText(QRectF(at.x() - 8.0, at.y() - 7.0, 16.0, 14.0), Qt::AlignCenter, name);
}

// The positive sense of a rotation about an axis: a circle round `centre` in the plane of
// `u` and `v` (u x v along the axis), drawn from u towards v with the arrow head at its end.
void RotationSense(QPainter& p, Vec centre, Vec u, Vec v, double radius) {
    constexpr double kFirst = 40.0, kLast = 320.0, kPieces = 28.0;
    QPainterPath path;
    QPointF last, beforeLast;
    for (int i = 0; i <= static_cast<int>(kPieces); ++i) {
        const double t = (kFirst + (kLast - kFirst) * i / kPieces) * std::numbers::pi / 180.0;
        const QPointF q = Project(centre + radius * std::cos(t) * u + radius * std::sin(t) * v);
        if (i == 0)
            path.moveTo(q);
        else
            path.lineTo(q);
        beforeLast = last;
        last = q;
    }
    p.save();
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
    ArrowHead(p, beforeLast, last, 5.5);
}

void Crystal(QPainter& p, double h) {
    auto corner = [h](int sx, int sy, int sz) { return Project({sx * h, sy * h, sz * h}); };
    const QPolygonF front{corner(-1, -1, 1), corner(1, -1, 1), corner(1, 1, 1), corner(-1, 1, 1)};
    const QPolygonF top{corner(-1, 1, 1), corner(1, 1, 1), corner(1, 1, -1), corner(-1, 1, -1)};
    const QPolygonF side{corner(1, -1, 1), corner(1, -1, -1), corner(1, 1, -1), corner(1, 1, 1)};
    p.save();
    p.setPen(QPen(QColor(40, 70, 110), 0.9));
    p.setBrush(QColor(150, 200, 235));
    p.drawPolygon(front);
    p.setBrush(QColor(200, 230, 250));
    p.drawPolygon(top);
    p.setBrush(QColor(110, 165, 210));
    p.drawPolygon(side);
    p.restore();
}

} // namespace

CGoniometerPicture::CGoniometerPicture(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("Lab axes X, Y, Z and the positive sense of rotation"));
}

QSize CGoniometerPicture::sizeHint() const {
    return {static_cast<int>(kFrameWidth * 1.25), static_cast<int>(kFrameHeight * 1.25)};
}

QSize CGoniometerPicture::minimumSizeHint() const {
    return {static_cast<int>(kFrameWidth * 0.75), static_cast<int>(kFrameHeight * 0.75)};
}

void CGoniometerPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(QColor(160, 160, 160), 1.0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    const double scale = std::min(width() / kFrameWidth, height() / kFrameHeight);
    p.translate((width() - kFrameWidth * scale) / 2.0, (height() - kFrameHeight * scale) / 2.0);
    p.scale(scale, scale);

    // The incoming beam runs from the source along -Z onto the crystal.
    constexpr double kHalf = 12.0;
    const QColor beam(200, 40, 40);
    p.setPen(QPen(beam, 1.4, Qt::DashLine));
    const Vec beamFrom{0.0, -22.0, 72.0}, beamTo{0.0, -22.0, 26.0};
    p.drawLine(Project(beamFrom), Project(beamTo));
    p.setPen(QPen(beam, 1.4));
    ArrowHead(p, Project(beamFrom), Project(beamTo), 6.0);
    QFont small = font();
    small.setPixelSize(9);
    p.setFont(small);
    const QPointF beamLabel = Project(beamFrom);
    p.drawText(QRectF(beamLabel.x() + 4.0, beamLabel.y() - 4.0, 40.0, 12.0),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("X-ray"));

    Crystal(p, kHalf);

    QFont axisFont = font();
    axisFont.setPixelSize(12);
    axisFont.setBold(true);
    p.setFont(axisFont);
    p.setPen(QPen(Qt::black, 1.3));
    Axis(p, {kHalf, 0, 0}, {72.0, 0, 0}, QStringLiteral("X"), {0.0, -10.0});
    Axis(p, {0, kHalf, 0}, {0, 50.0, 0}, QStringLiteral("Y"), {9.0, 2.0});
    Axis(p, {0, 0, kHalf}, {0, 0, 70.0}, QStringLiteral("Z"), {-8.0, 5.0});

    // Positive rotations: Y towards Z about X, Z towards X about Y, X towards Y about Z.
    p.setPen(QPen(QColor(20, 60, 170), 1.1));
    const Vec ex{1, 0, 0}, ey{0, 1, 0}, ez{0, 0, 1};
    RotationSense(p, {54.0, 0, 0}, ey, ez, 8.0);
    RotationSense(p, {0, 36.0, 0}, ez, ex, 8.0);
    RotationSense(p, {0, 0, 48.0}, ex, ey, 8.0);
}

} // namespace xelmor
