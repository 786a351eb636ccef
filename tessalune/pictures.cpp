#include "tessalune/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <numbers>

namespace xelmor::tessalune {

namespace {

const QColor kEdgeColour(40, 40, 40);
const QColor kAxisColour(20, 70, 170);
const QColor kAtomColour(200, 80, 40);

// Draws the arc of radius r around `at` from the direction of `from` to that of `to` and the
// label beside the arc, at the fraction `along` of its way.
void AngleMark(QPainter& p, QPointF at, QPointF from, QPointF to, double r, const QString& label,
               double along = 0.5) {
    const double a0 = std::atan2(-(from.y() - at.y()), from.x() - at.x()) * 180 / std::numbers::pi;
    const double a1 = std::atan2(-(to.y() - at.y()), to.x() - at.x()) * 180 / std::numbers::pi;
    double span = a1 - a0;
    while (span <= -180)
        span += 360;
    while (span > 180)
        span -= 360;
    const QRectF box(at.x() - r, at.y() - r, 2 * r, 2 * r);
    p.drawArc(box, int(a0 * 16), int(span * 16));
    const double mid = (a0 + span * along) * std::numbers::pi / 180;
    const QPointF text(at.x() + (r + 9) * std::cos(mid), at.y() - (r + 9) * std::sin(mid));
    p.drawText(QRectF(text.x() - 8, text.y() - 9, 16, 18), Qt::AlignCenter, label);
}

void DrawCell(QPainter& p, const QRectF& area) {
    const double s = std::min(area.width() / 200.0, area.height() / 160.0);
    // The cell spans 20..190 across and 6..151 down (labels included) of the 200 x 160 area.
    const QPointF o(area.left() + 20 * s, area.top() + 138 * s);
    const QPointF va(104 * s, 0), vb(58 * s, -44 * s), vc(8 * s, -88 * s);
    const QPointF O = o, A = o + va, B = o + vb, C = o + vc;
    const QPointF AB = A + vb, AC = A + vc, BC = B + vc, ABC = AB + vc;

    p.setRenderHint(QPainter::Antialiasing);
    QPen hidden(kEdgeColour, 1, Qt::DashLine);
    QPen edge(kEdgeColour, 1.2);
    p.setPen(hidden);
    p.drawLine(B, AB);
    p.drawLine(B, BC);
    p.setPen(edge);
    p.drawLine(A, AB);
    p.drawLine(A, AC);
    p.drawLine(C, AC);
    p.drawLine(C, BC);
    p.drawLine(AB, ABC);
    p.drawLine(AC, ABC);
    p.drawLine(BC, ABC);

    // The three edges from the origin are the cell's axes.
    p.setPen(QPen(kAxisColour, 2.2));
    p.drawLine(O, A);
    p.drawLine(O, B);
    p.drawLine(O, C);

    p.setPen(Qt::NoPen);
    p.setBrush(kAtomColour);
    for (const QPointF& v : {O, A, B, C, AB, AC, BC, ABC})
        p.drawEllipse(v, 3.4 * s, 3.4 * s);

    QFont italic = p.font();
    italic.setItalic(true);
    italic.setFamily(QStringLiteral("Times New Roman"));
    italic.setPointSizeF(std::max(8.0, 11.0 * s));
    p.setFont(italic);
    p.setPen(kAxisColour);
    const auto label = [&](QPointF at, const QString& text) {
        p.drawText(QRectF(at.x() - 10, at.y() - 10, 20, 20), Qt::AlignCenter, text);
    };
    label((O + A) / 2 + QPointF(0, 13 * s), QStringLiteral("a"));
    label(O + vb * 0.8 + QPointF(9 * s, 7 * s), QStringLiteral("b"));
    label((O + C) / 2 + QPointF(-12 * s, 0), QStringLiteral("c"));

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kEdgeColour, 1));
    AngleMark(p, O, B, C, 20 * s, QStringLiteral("\u03B1"));
    AngleMark(p, O, A, C, 52 * s, QStringLiteral("\u03B2"), 0.74);
    AngleMark(p, O, A, B, 24 * s, QStringLiteral("\u03B3"));
}

QPixmap IconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 32.0;
    const QPointF o(6 * s, 26 * s), va(16 * s, 0), vb(8 * s, -6 * s), vc(0, -16 * s);
    const QPointF pts[8] = {o,           o + va,      o + vb,      o + vc,
                            o + va + vb, o + va + vc, o + vb + vc, o + va + vb + vc};
    p.setBrush(QColor(220, 232, 250));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({pts[0], pts[1], pts[5], pts[3]}));
    p.setBrush(QColor(190, 210, 245));
    p.drawPolygon(QPolygonF({pts[1], pts[4], pts[7], pts[5]}));
    p.setBrush(QColor(235, 242, 252));
    p.drawPolygon(QPolygonF({pts[3], pts[5], pts[7], pts[6]}));
    p.setPen(QPen(kAxisColour, std::max(1.0, 1.3 * s)));
    const int edges[9][2] = {{0, 1}, {0, 3}, {1, 4}, {1, 5}, {3, 5},
                             {3, 6}, {4, 7}, {5, 7}, {6, 7}};
    for (const auto& e : edges)
        p.drawLine(pts[e[0]], pts[e[1]]);
    p.setPen(Qt::NoPen);
    p.setBrush(kAtomColour);
    for (int i : {0, 1, 3, 4, 5, 6, 7})
        p.drawEllipse(pts[i], 2.6 * s, 2.6 * s);
    return pixmap;
}

} // namespace

CUnitCellPicture::CUnitCellPicture(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 160);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setToolTip(QStringLiteral("The unit cell: edges a, b, c and angles alpha, beta, gamma"));
}

QSize CUnitCellPicture::sizeHint() const {
    return QSize(210, 168);
}

void CUnitCellPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    DrawCell(p, QRectF(rect()).adjusted(2, 2, -2, -2));
}

QIcon TessaluneIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(IconPixmap(size));
    return icon;
}

} // namespace xelmor::tessalune
