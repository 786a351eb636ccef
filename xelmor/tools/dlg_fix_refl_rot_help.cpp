#include "xelmor/tools/dlg_fix_refl_rot_help.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace xelmor {

namespace {

// The beam entering a crystal, a reflection's diffraction vector G, the diffracted beam to the
// spot on the film, and the turn of the crystal about G that leaves the spot in place.
class RotateAroundGPicture : public QWidget {
public:
    explicit RotateAroundGPicture(QWidget* parent) : QWidget(parent) {
        setMinimumSize(300, 230);
        setObjectName(QStringLiteral("id1112"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        const double w = width(), h = height();
        const QPointF crystal(w * 0.42, h * 0.62);
        auto arrow = [&p](QPointF a, QPointF b, const QColor& c, double width) {
            p.setPen(QPen(c, width));
            p.drawLine(a, b);
            const double ang = std::atan2(b.y() - a.y(), b.x() - a.x());
            const double len = 10;
            QPainterPath head;
            head.moveTo(b);
            head.lineTo(b - QPointF(len * std::cos(ang - 0.4), len * std::sin(ang - 0.4)));
            head.lineTo(b - QPointF(len * std::cos(ang + 0.4), len * std::sin(ang + 0.4)));
            head.closeSubpath();
            p.fillPath(head, c);
        };
        // The incident beam from the left.
        arrow(QPointF(8, crystal.y()), crystal - QPointF(14, 0), QColor(200, 0, 0), 2);
        p.setPen(Qt::black);
        p.drawText(QPointF(10, crystal.y() - 8), QStringLiteral("X-ray"));
        // The crystal.
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(QColor(170, 200, 235));
        p.drawRect(QRectF(crystal - QPointF(14, 14), QSizeF(28, 28)));
        // The film on the right with the fixed spot.
        const double filmX = w - 24;
        p.setPen(QPen(Qt::darkGray, 4));
        p.drawLine(QPointF(filmX, 12), QPointF(filmX, h - 12));
        const QPointF spot(filmX, h * 0.18);
        arrow(crystal, spot - QPointF(4, -1), QColor(200, 0, 0), 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(spot, 5, 5);
        // G bisects the incident direction and the diffracted one.
        const QPointF d = spot - crystal;
        const double dl = std::hypot(d.x(), d.y());
        const QPointF g(d.x() / dl - 1.0, d.y() / dl);
        const double gl = std::hypot(g.x(), g.y());
        const QPointF gTip = crystal + QPointF(g.x() / gl, g.y() / gl) * (h * 0.45);
        arrow(crystal, gTip, QColor(0, 90, 200), 2.5);
        p.setPen(QColor(0, 90, 200));
        p.drawText(gTip + QPointF(6, 4), QStringLiteral("G"));
        // The turn about G: an ellipse around the vector near its tip.
        const QPointF mid = crystal + (gTip - crystal) * 0.7;
        p.save();
        p.translate(mid);
        p.rotate(std::atan2(gTip.y() - crystal.y(), gTip.x() - crystal.x()) * 180 / M_PI + 90);
        p.setPen(QPen(QColor(0, 140, 0), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(-26, -8, 52, 16), 30 * 16, 300 * 16);
        p.restore();
        p.setPen(QColor(0, 140, 0));
        p.drawText(mid + QPointF(-70, 0), QStringLiteral("rotate"));
        p.setPen(Qt::black);
        p.drawText(spot + QPointF(-78, -6), QStringLiteral("fixed spot"));
    }
};

} // namespace

CDlgFixReflRotHelp::CDlgFixReflRotHelp(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Rotate crystal around a selected diffraction vector G"));
    auto* layout = new QHBoxLayout(this);
    auto* text = new QVBoxLayout;
    for (const char* para :
         {"Note that low-index refelctions (such as 100, 110, 111) are usually ISOLATED SPOTS "
          "(i.e. intersections of different hyperbolas or ellipses) in the Laue pattern.",
          "Therefore, when you try to fit a recorded Laue pattern that you have no clue of the "
          "orientation, you may RIGHT CLICK on the pattern to select an isolated spot and guess a "
          "simple reflection for it.",
          "Then you can rotate the crystal around the corresponding diffraction vector G, which "
          "will change the simulated pattern but the selected spot remains unchanged.",
          "Keep rotating within 360 degrees and the simulation may fit the recorded pattern at a "
          "certain angle. Then click the button to see the crystal orientation in Lab "
          "Coordinates.",
          "If no fit is found, try another reflection or anohter spot. ",
          "See Help of Look-Up Table."}) {
        auto* label = new QLabel(QString::fromLatin1(para), this);
        label->setWordWrap(true);
        label->setMinimumWidth(300);
        text->addWidget(label);
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("id1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    text->addStretch(1);
    text->addWidget(ok, 0, Qt::AlignRight);
    layout->addLayout(text, 1);
    layout->addWidget(new RotateAroundGPicture(this));
}

} // namespace xelmor
