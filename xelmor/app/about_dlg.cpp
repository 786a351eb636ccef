#include "xelmor/app/about_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace xelmor {

QPixmap XelmorPicture(int size) {
    QPixmap pix(size, size);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 32.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 245, 235));
    p.drawRoundedRect(QRectF(1 * s, 1 * s, 30 * s, 30 * s), 3 * s, 3 * s);
    p.setPen(QPen(QColor(120, 120, 120), 0.6 * s));
    p.drawLine(QPointF(16 * s, 3 * s), QPointF(16 * s, 29 * s));
    p.drawLine(QPointF(3 * s, 16 * s), QPointF(29 * s, 16 * s));
    p.setPen(Qt::NoPen);
    // Spots of a four-fold pattern, the strong ones darker.
    struct Spot {
        double x, y, r;
        int grey;
    };
    constexpr std::array spots{
        Spot{16, 8, 2.2, 40},     Spot{16, 24, 2.2, 40},    Spot{8, 16, 2.2, 40},
        Spot{24, 16, 2.2, 40},    Spot{10, 10, 1.6, 110},   Spot{22, 10, 1.6, 110},
        Spot{10, 22, 1.6, 110},   Spot{22, 22, 1.6, 110},   Spot{16, 4.5, 1.1, 160},
        Spot{27.5, 16, 1.1, 160}, Spot{16, 27.5, 1.1, 160}, Spot{4.5, 16, 1.1, 160}};
    for (const Spot& d : spots) {
        p.setBrush(QColor(200, d.grey / 4, d.grey / 4));
        p.drawEllipse(QPointF(d.x * s, d.y * s), d.r * s, d.r * s);
    }
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(16 * s, 16 * s), 1.0 * s, 1.0 * s);
    return pix;
}

QIcon XelmorIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(XelmorPicture(size));
    return icon;
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Xelmor"));
    auto* picture = new QLabel(this);
    picture->setPixmap(XelmorPicture(64));
    auto* text = new QLabel(QStringLiteral("<b>Xelmor</b><br>Simulation of white-beam X-ray Laue "
                                           "patterns of single crystals"),
                            this);
    text->setObjectName(QStringLiteral("aboutText"));
    auto* row = new QHBoxLayout;
    row->addWidget(picture, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("id1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

} // namespace xelmor
