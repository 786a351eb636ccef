#include "xelmor/dialogs/dialog_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace xelmor {

namespace {

const QColor kSurfaceBlue(40, 90, 230);
const QColor kFaceGrey(215, 215, 215);
const QColor kFaceLight(240, 240, 240);
const QColor kBeamRed(200, 0, 0);

// A line with a filled arrow head at `to`.
void Arrow(QPainter& p, QPointF from, QPointF to, double head = 7.0) {
    p.drawLine(from, to);
    const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double spread = 0.42;
    const QPointF a =
        to - QPointF(head * std::cos(angle - spread), head * std::sin(angle - spread));
    const QPointF b =
        to - QPointF(head * std::cos(angle + spread), head * std::sin(angle + spread));
    const QBrush old = p.brush();
    p.setBrush(p.pen().color());
    p.drawPolygon(QPolygonF({to, a, b}));
    p.setBrush(old);
}

// A text centred on `at`.
void Text(QPainter& p, QPointF at, const QString& text) {
    const QRectF box(at.x() - 120, at.y() - 10, 240, 20);
    p.drawText(box, Qt::AlignCenter, text);
}

// An arc arrow around `centre`: from `startDeg` through `spanDeg` (positive: counter-clockwise
// on screen), the head at the end.
void ArcArrow(QPainter& p, QPointF centre, double radius, double startDeg, double spanDeg) {
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.drawArc(box, static_cast<int>(startDeg * 16), static_cast<int>(spanDeg * 16));
    const double end = (startDeg + spanDeg) * M_PI / 180.0;
    const QPointF tip(centre.x() + radius * std::cos(end), centre.y() - radius * std::sin(end));
    // Tangent at the end, in the sense of travel.
    const double sense = spanDeg > 0 ? 1.0 : -1.0;
    const QPointF tangent(-std::sin(end) * sense, -std::cos(end) * sense);
    Arrow(p, tip - tangent * 6.0, tip + tangent * 1.0, 7.0);
}

// The crystal seen from the side with y' up and the beam running to the right: the face toward
// the source (the surface plane) on the left, the face toward the viewer (the horizontal
// orientation) in blue.
void Crystal(QPainter& p, QPointF frontTopLeft, double size) {
    const QPointF depth(-0.45 * size, -0.35 * size); // into the picture
    const QPointF tl = frontTopLeft, tr = tl + QPointF(size, 0), bl = tl + QPointF(0, size);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(kFaceGrey); // surface plane (HKL), facing the beam
    p.drawPolygon(QPolygonF({tl, bl, bl + depth, tl + depth}));
    p.setBrush(kFaceLight);
    p.drawPolygon(QPolygonF({tl, tr, tr + depth, tl + depth}));
    p.setBrush(kSurfaceBlue); // horizontal orientation (hkl), facing the viewer
    p.drawRect(QRectF(tl, QSizeF(size, size)));
    p.setBrush(Qt::NoBrush);
}

// The laboratory axes x' (toward the viewer), y' (up) and z' (toward the source) at `origin`.
void LabAxes(QPainter& p, QPointF origin) {
    p.setPen(QPen(Qt::black, 1));
    Arrow(p, origin, origin + QPointF(-30, 0));
    Arrow(p, origin, origin + QPointF(0, -30));
    Arrow(p, origin, origin + QPointF(14, 14));
    Text(p, origin + QPointF(-40, 0), QStringLiteral("z'"));
    Text(p, origin + QPointF(0, -38), QStringLiteral("y'"));
    Text(p, origin + QPointF(22, 20), QStringLiteral("x'"));
}

// A detector seen edge-on: a thin upright plate.
void FilmEdge(QPainter& p, double x, double top, double bottom) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(QRectF(x - 2, top, 4, bottom - top));
    p.setBrush(Qt::NoBrush);
}

// The distance D from `fromX` to `toX` at height `y`.
void Distance(QPainter& p, double fromX, double toX, double y) {
    p.setPen(QPen(Qt::black, 1));
    Arrow(p, QPointF((fromX + toX) / 2, y), QPointF(fromX, y), 5);
    Arrow(p, QPointF((fromX + toX) / 2, y), QPointF(toX, y), 5);
    Text(p, QPointF((fromX + toX) / 2, y - 9), QStringLiteral("D"));
}

// The size of the geometry pictures, and where they sit in their frame.
constexpr int kGeometryWidth = 270, kGeometryHeight = 150;
constexpr int kGeometryOffsetX = 5, kGeometryOffsetY = 11;

void DrawTransmission(QPainter& p) {
    const double axisY = 75;
    p.setPen(QPen(kBeamRed, 2));
    Arrow(p, QPointF(10, axisY), QPointF(82, axisY));
    p.setPen(Qt::black);
    Text(p, QPointF(40, axisY - 12), QStringLiteral("X-ray"));
    Crystal(p, QPointF(96, axisY - 14), 28);
    p.setPen(QPen(kBeamRed, 1, Qt::DashLine));
    p.drawLine(QPointF(124, axisY), QPointF(228, axisY));
    p.drawLine(QPointF(124, axisY), QPointF(228, axisY - 48));
    FilmEdge(p, 230, 15, 135);
    p.setPen(Qt::black);
    Text(p, QPointF(230, 145), QStringLiteral("CCD / Film"));
    Distance(p, 110, 230, 122);
    LabAxes(p, QPointF(60, 125));
    Text(p, QPointF(135, 8), QStringLiteral("Forward (Transmission)"));
}

void DrawBackReflection(QPainter& p) {
    const double axisY = 75;
    FilmEdge(p, 60, 15, 68);
    FilmEdge(p, 60, 82, 135);
    p.setPen(QPen(kBeamRed, 2));
    Arrow(p, QPointF(10, axisY), QPointF(176, axisY));
    p.setPen(Qt::black);
    Text(p, QPointF(30, axisY - 12), QStringLiteral("X-ray"));
    Text(p, QPointF(60, 145), QStringLiteral("CCD / Film"));
    Crystal(p, QPointF(190, axisY - 14), 28);
    p.setPen(QPen(kBeamRed, 1, Qt::DashLine));
    p.drawLine(QPointF(190, axisY), QPointF(62, axisY - 50));
    p.drawLine(QPointF(190, axisY), QPointF(62, axisY + 40));
    Distance(p, 60, 204, 122);
    LabAxes(p, QPointF(245, 40));
    Text(p, QPointF(135, 8), QStringLiteral("Back Reflection"));
}

// The detector as the screen shows it: axes x and y, the origin O at the crossing of the
// crosslines, and the sense of a positive tilt.
void DrawDetectorView(QPainter& p, const QRectF& box, const QString& title, const QString& view,
                      bool tiltCounterClockwise) {
    p.setPen(Qt::black);
    Text(p, QPointF(box.center().x(), box.top() + 8), title);
    Text(p, QPointF(box.center().x(), box.top() + 24), view);
    const QRectF ccd(box.left() + 20, box.top() + 40, box.width() - 40, box.height() - 60);
    p.setBrush(kFaceLight);
    p.drawRect(ccd);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
    p.drawLine(QPointF(ccd.left(), ccd.center().y()), QPointF(ccd.right(), ccd.center().y()));
    p.drawLine(QPointF(ccd.center().x(), ccd.top()), QPointF(ccd.center().x(), ccd.bottom()));
    const QPointF o = ccd.center();
    p.setPen(QPen(Qt::black, 1));
    Arrow(p, o, o + QPointF(ccd.width() / 2 - 8, 0));
    Arrow(p, o, o + QPointF(0, -(ccd.height() / 2 - 8)));
    Text(p, o + QPointF(ccd.width() / 2 - 10, 11), QStringLiteral("+x"));
    Text(p, o + QPointF(12, -(ccd.height() / 2 - 12)), QStringLiteral("+y"));
    Text(p, o + QPointF(-9, 10), QStringLiteral("O"));
    p.setPen(QPen(kSurfaceBlue, 1));
    ArcArrow(p, o, 26, tiltCounterClockwise ? 200 : 340, tiltCounterClockwise ? 100 : -100);
    Text(p, o + QPointF(-34, -32), QStringLiteral("Tilt > 0"));
    p.setPen(Qt::black);
    Text(p, QPointF(box.center().x(), box.bottom() - 8), QStringLiteral("Shift along x and y"));
}

} // namespace

CUnitCellPicture::CUnitCellPicture(QWidget* parent) : QWidget(parent) {
    setFixedSize(150, 130);
}

void CUnitCellPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Edges of the cell from the origin: a toward the viewer, b to the right, c up.
    const QPointF o(45, 90), a(-30, 28), b(80, 0), c(14, -70);
    p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
    p.drawLine(o + a + b + c, o + a + c);
    p.drawLine(o + a + b + c, o + b + c);
    p.drawLine(o + a + b + c, o + a + b);
    p.drawLine(o + a, o + a + b);
    p.drawLine(o + a, o + a + c);
    p.drawLine(o + b, o + a + b);
    p.drawLine(o + b, o + b + c);
    p.drawLine(o + c, o + a + c);
    p.drawLine(o + c, o + b + c);
    p.setPen(QPen(Qt::black, 2));
    Arrow(p, o, o + a);
    Arrow(p, o, o + b);
    Arrow(p, o, o + c);
    p.setPen(Qt::black);
    Text(p, o + a + QPointF(-6, 8), QStringLiteral("a"));
    Text(p, o + b + QPointF(8, 6), QStringLiteral("b"));
    Text(p, o + c + QPointF(-8, -4), QStringLiteral("c"));
    p.setPen(QPen(kSurfaceBlue, 1));
    Text(p, o + QPointF(24, -18), QString(QChar(0x03B1))); // alpha, between b and c
    Text(p, o + QPointF(-8, -16), QString(QChar(0x03B2))); // beta, between a and c
    Text(p, o + QPointF(6, 16), QString(QChar(0x03B3)));   // gamma, between a and b
}

CGeometryPicture::CGeometryPicture(QWidget* parent) : QWidget(parent) {
    setFixedSize(kGeometryOffsetX + kGeometryWidth + 5, kGeometryOffsetY + kGeometryHeight + 5);
}

void CGeometryPicture::SetBackReflection(bool back) {
    if (back == m_bBack)
        return;
    m_bBack = back;
    update();
}

void CGeometryPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(kGeometryOffsetX, kGeometryOffsetY);
    p.fillRect(QRect(0, 0, kGeometryWidth, kGeometryHeight), Qt::white);
    if (m_bBack)
        DrawBackReflection(p);
    else
        DrawTransmission(p);
}

CGoniometerAxesPicture::CGoniometerAxesPicture(QWidget* parent) : QWidget(parent) {
    setFixedSize(230, 200);
}

void CGoniometerAxesPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QPointF o(115, 105);
    // The three circles, each about its axis.
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.drawEllipse(o, 70, 22); // about Y (vertical)
    p.drawEllipse(o, 22, 70); // about X (horizontal)
    p.save();
    p.translate(o);
    p.rotate(-40);
    p.drawEllipse(QPointF(0, 0), 62, 40); // about Z
    p.restore();
    // The crystal.
    p.setPen(Qt::black);
    p.setBrush(kSurfaceBlue);
    p.drawRect(QRectF(o.x() - 9, o.y() - 9, 18, 18));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 2));
    Arrow(p, o, o + QPointF(95, 0));
    Arrow(p, o, o + QPointF(0, -95));
    Arrow(p, o, o + QPointF(-62, 62));
    p.setPen(Qt::black);
    Text(p, o + QPointF(100, -10), QStringLiteral("X (x')"));
    Text(p, o + QPointF(22, -92), QStringLiteral("Y (y')"));
    Text(p, o + QPointF(-84, 56), QStringLiteral("Z (z')"));
    // The beam arrives against Z.
    p.setPen(QPen(kBeamRed, 2));
    Arrow(p, o + QPointF(-100, 36), o + QPointF(-70, 6));
    p.setPen(kBeamRed);
    Text(p, o + QPointF(-82, 42), QStringLiteral("X-ray"));
}

CFilmHelpPicture::CFilmHelpPicture(QWidget* parent) : QWidget(parent) {
    setFixedSize(440, 210);
}

void CFilmHelpPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    DrawDetectorView(p, QRectF(0, 0, 220, 210), QStringLiteral("Transmission"),
                     QStringLiteral("viewed along -z'"), true);
    DrawDetectorView(p, QRectF(220, 0, 220, 210), QStringLiteral("Back Reflection"),
                     QStringLiteral("viewed along +z'"), false);
}

} // namespace xelmor
