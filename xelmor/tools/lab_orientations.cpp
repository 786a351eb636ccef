#include "xelmor/tools/lab_orientations.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "structfile/number_format.h"
#include "xelmor/app/seams.h"
#include "xelmor/core/params.h"
#include "xelmor/dialogs/dialog_buttons.h"
#include "xelmor/panel/input_controls.h"

namespace xelmor {

namespace {

// The lab frame: z' towards the source along the beam, x' horizontal, y' up, with the
// crystal at the origin and the plane perpendicular to z' drawn as a tilted square.
class LabAxesPicture : public QWidget {
public:
    explicit LabAxesPicture(QWidget* parent) : QWidget(parent) { setFixedSize(170, 170); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        const QPointF o(85, 95);
        auto axis = [&](QPointF tip, const QString& name, QPointF labelAt) {
            p.setPen(QPen(Qt::black, 1.5));
            p.drawLine(o, tip);
            const QPointF d = tip - o;
            const double len = std::hypot(d.x(), d.y());
            const QPointF u(d.x() / len, d.y() / len), n(-u.y(), u.x());
            QPolygonF head;
            head << tip << tip - u * 9 + n * 4 << tip - u * 9 - n * 4;
            p.setBrush(Qt::black);
            p.drawPolygon(head);
            p.drawText(labelAt, name);
        };
        // The plane perpendicular to z'.
        QPolygonF plane;
        plane << o + QPointF(-45, -30) << o + QPointF(35, -30) << o + QPointF(50, 30)
              << o + QPointF(-30, 30);
        p.setPen(QPen(QColor(0, 90, 200), 1));
        p.setBrush(QColor(200, 220, 250, 160));
        p.drawPolygon(plane);
        axis(o + QPointF(70, 0), QStringLiteral("x'"), o + QPointF(74, 5));
        axis(o + QPointF(0, -78), QStringLiteral("y'"), o + QPointF(6, -72));
        axis(o + QPointF(-55, 55), QStringLiteral("z'"), o + QPointF(-42, 50));
        // The incident beam runs against z'.
        p.setPen(QPen(QColor(200, 0, 0), 2, Qt::DashLine));
        p.drawLine(o + QPointF(-75, 75), o + QPointF(-58, 58));
        p.setPen(QColor(200, 0, 0));
        p.drawText(QPointF(34, 168), QStringLiteral("X-ray"));
    }
};

QString Text10(double v) {
    return QString::fromStdString(FormatNumber(v, 10));
}

} // namespace

CLabOrientations::CLabOrientations(const Mat3& orient, CParameterSet* params,
                                   std::function<void()> apply, QWidget* parent)
    : QDialog(parent), m_pBar(params), m_apply(std::move(apply)) {
    setWindowTitle(QStringLiteral("Current Crystal Orientation in fixed Lab Coordinate System"));
    m_planes = LabOrientationPlanes(orient, m_pBar->m_Recip);

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const char* heads[3] = {"( h ", "k", "l )"};
    for (int c = 0; c < 3; ++c) {
        auto* head = new QLabel(QString::fromLatin1(heads[c]), this);
        head->setAlignment(Qt::AlignCenter);
        grid->addWidget(head, 0, c + 1);
    }
    const char* rows[3] = {"Plane perpendicular to z'", "Plane perpendicular to x'",
                           "Plane perpendicular to y'"};
    const int ids[9] = {1200, 1104, 1105, 1107, 1108, 1109, 1110, 1111, 1112};
    const Hkl* planes[3] = {&m_planes.z, &m_planes.x, &m_planes.y};
    for (int r = 0; r < 3; ++r) {
        auto* label = new QLabel(QString::fromLatin1(rows[r]), this);
        grid->addWidget(label, r + 1, 0);
        const double v[3] = {planes[r]->h, planes[r]->k, planes[r]->l};
        for (int c = 0; c < 3; ++c) {
            auto* e = new CEdit_Color(this);
            e->setObjectName(QStringLiteral("id%1").arg(ids[r * 3 + c]));
            e->setReadOnly(true);
            e->setText(Text10(v[c]));
            m_pEdit[r * 3 + c] = e;
            grid->addWidget(e, r + 1, c + 1);
        }
        label->setBuddy(m_pEdit[r * 3]);
    }
    layout->addLayout(grid);

    auto* middle = new QHBoxLayout;
    middle->addWidget(new LabAxesPicture(this));
    m_pExplanation = new QPlainTextEdit(this);
    m_pExplanation->setObjectName(QStringLiteral("id1253"));
    m_pExplanation->setReadOnly(true);
    m_pExplanation->setPlainText(QString::fromStdString(LabOrientationExplanation()));
    m_pExplanation->setMinimumSize(380, 170);
    middle->addWidget(m_pExplanation, 1);
    layout->addLayout(middle);

    auto* buttons = new QHBoxLayout;
    QPushButton* set = DialogButton(this, 1165, QStringLiteral("Set Abs. Orientation"));
    QPushButton* copy = DialogButton(this, 1255, QStringLiteral("Copy"));
    QPushButton* ok = DialogButton(this, 1, QStringLiteral("OK"), true);
    buttons->addWidget(set);
    buttons->addWidget(copy);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    connect(set, &QPushButton::clicked, this, &CLabOrientations::OnSetAbsOrientation);
    connect(copy, &QPushButton::clicked, this, &CLabOrientations::OnCopy);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void CLabOrientations::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_bWarned)
        return;
    m_bWarned = true;
    if (!m_planes.perpendicular)
        ShowMessage(this, LabPlanesNotPerpendicularMessage());
}

void CLabOrientations::OnSetAbsOrientation() {
    CParameterSet& p = *m_pBar;
    p.m_H = m_planes.z.h, p.m_K = m_planes.z.k, p.m_L = m_planes.z.l;
    p.m_h = m_planes.x.h, p.m_k = m_planes.x.k, p.m_l = m_planes.x.l;
    p.m_Rot1 = p.m_Rot2 = p.m_Rot3 = 0;
    if (m_apply)
        m_apply();
}

void CLabOrientations::OnCopy() {
    if (QClipboard* clip = QGuiApplication::clipboard())
        clip->setText(QString::fromStdString(LabPlanesText(m_planes)));
}

} // namespace xelmor
