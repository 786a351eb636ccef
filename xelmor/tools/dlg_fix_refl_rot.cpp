#include "xelmor/tools/dlg_fix_refl_rot.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "structfile/number_format.h"
#include "xelmor/app/commands.h"
#include "xelmor/app/seams.h"
#include "xelmor/core/lut.h"
#include "xelmor/core/panel_rules.h"
#include "xelmor/core/params.h"
#include "xelmor/panel/input_controls.h"
#include "xelmor/tools/dlg_frr_perpend.h"

namespace xelmor {

namespace {

constexpr const char* kStepItems[] = {"10", "5", "4", "3", "2", "1", "0.5", "0.1"};
constexpr const char* kIntervalItems[] = {"10",  "5",   "3",    "2",    "1",     "0.5",  "0.3",
                                          "0.2", "0.1", "0.05", "0.01", "0.005", "0.001"};
// The angle about G stays within one turn either way.
constexpr double kAngleLimit = 360.0;

QString Text8(double v) {
    return QString::fromStdString(FormatNumber(v, 8));
}

double Read(const QString& text) {
    return ParseDouble(text.toStdString());
}

template <typename W> W* Named(W* w, int id) {
    w->setObjectName(QStringLiteral("id%1").arg(id));
    return w;
}

} // namespace

CDlgFixReflRot::CDlgFixReflRot(CParameterSet* params, std::function<void()> apply,
                               std::function<void()> redraw, QWidget* parent)
    : QDialog(parent), m_pBar(params), m_apply(std::move(apply)), m_redraw(std::move(redraw)) {
    setWindowTitle(QStringLiteral("Rotate Crystal around a Fixed Reflection G"));
    CParameterSet& p = *m_pBar;
    p.m_bFixReflOpen = 1;

    auto* layout = new QVBoxLayout(this);
    // The dialog keeps the size its controls ask for.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("Set Reflection G"), this), 0, 0);
    top->addWidget(new QLabel(QStringLiteral("for the selected "), this), 1, 0);
    top->addWidget(new QLabel(QStringLiteral("point:"), this), 2, 0);
    const int editIds[3] = {1201, 1202, 1203};
    const int minusIds[3] = {1207, 1209, 1211};
    const int plusIds[3] = {1208, 1210, 1212};
    const char* names[3] = {"h", "k", "l"};
    const double values[3] = {p.m_Gh, p.m_Gk, p.m_Gl};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromLatin1(names[i]), this);
        label->setAlignment(Qt::AlignCenter);
        m_pHkl[i] = Named(new QLineEdit(Text8(values[i]), this), editIds[i]);
        m_pHkl[i]->setMaximumWidth(90);
        label->setBuddy(m_pHkl[i]);
        auto* minus = Named(new CUnitStepButton(QStringLiteral("-"), this), minusIds[i]);
        auto* plus = Named(new CUnitStepButton(QStringLiteral("+"), this), plusIds[i]);
        minus->SetEdit(m_pHkl[i]);
        minus->SetDirection(0);
        plus->SetEdit(m_pHkl[i]);
        plus->SetDirection(1);
        for (QPushButton* b : {static_cast<QPushButton*>(minus), static_cast<QPushButton*>(plus)}) {
            b->setAutoDefault(false);
            b->setMaximumWidth(24);
        }
        auto* cell = new QHBoxLayout;
        cell->addWidget(minus);
        cell->addWidget(m_pHkl[i], 1);
        cell->addWidget(plus);
        top->addWidget(label, 0, i + 1);
        top->addLayout(cell, 1, i + 1);
    }
    auto* perp = Named(new QPushButton(QStringLiteral("..."), this), 1224);
    perp->setAutoDefault(false);
    perp->setToolTip(QStringLiteral("Show or Modify Perpendicular direction"));
    top->addWidget(perp, 1, 4);
    layout->addLayout(top);

    auto* rot = new QGridLayout;
    rot->addWidget(new QLabel(QStringLiteral("Rotate"), this), 0, 0);
    auto* around = new QLabel(QStringLiteral("around G:"), this);
    rot->addWidget(around, 1, 0);
    m_pAngle = Named(new QLineEdit(Text8(p.m_RotAroundG), this), 1031);
    m_pAngle->setToolTip(QStringLiteral("Rotation angle. Click the +- buttons right to rotate"));
    around->setBuddy(m_pAngle);
    m_pAngle->setMaximumWidth(120);
    rot->addWidget(m_pAngle, 1, 1);
    rot->addWidget(new QLabel(QStringLiteral("o"), this), 1, 2);
    m_pPlus = Named(new CStepButton(QStringLiteral("+1"), this), 1219);
    m_pMinus = Named(new CStepButton(QStringLiteral("-1"), this), 1220);
    m_pPlus->BindPair(m_pMinus, m_pAngle, ID_FIX_REFL_ROT, -kAngleLimit, kAngleLimit);
    m_pPlus->SetStepIndex(p.m_nRotStepIndex);
    for (CStepButton* b : {m_pPlus, m_pMinus}) {
        b->setAutoDefault(false);
        b->setToolTip(QStringLiteral("Right click to change the rotation stepsize"));
    }
    connect(m_pPlus, &CStepButton::Command, this, [this](int id) {
        if (id == ID_FIX_REFL_ROT)
            OnUpdate();
    });
    rot->addWidget(m_pPlus, 1, 3);
    rot->addWidget(m_pMinus, 1, 4);

    m_pAuto = Named(new QPushButton(QStringLiteral("AutoRotate"), this), 1222);
    m_pAuto->setAutoDefault(false);
    m_pAuto->setToolTip(
        QStringLiteral("Automatically rotate with the right stepsize and time interval"));
    m_pStep = Named(new CCombo_EnterSel(this), 1223);
    for (const char* item : kStepItems)
        m_pStep->addItem(QString::fromLatin1(item));
    m_pStep->setEditText(Text8(p.m_AutoStep));
    m_pStep->setToolTip(QStringLiteral("AutoRotate Angular Step"));
    m_pInterval = Named(new CCombo_EnterSel(this), 1073);
    for (const char* item : kIntervalItems)
        m_pInterval->addItem(QString::fromLatin1(item));
    m_pInterval->setEditText(Text8(p.m_AutoInterval));
    m_pInterval->setToolTip(QStringLiteral("AutoRotate time interval"));
    m_pStep->setMaximumWidth(120);
    m_pInterval->setMaximumWidth(90);
    rot->addWidget(m_pAuto, 2, 0);
    rot->addWidget(m_pStep, 2, 1);
    rot->addWidget(new QLabel(QStringLiteral("o"), this), 2, 2);
    rot->addWidget(m_pInterval, 2, 3);
    rot->addWidget(new QLabel(QStringLiteral("s"), this), 2, 4);
    layout->addLayout(rot);

    auto* sizes = new QHBoxLayout;
    auto* reduce = Named(new QPushButton(QStringLiteral("Reduce Spot Size"), this), 1079);
    reduce->setToolTip(QStringLiteral("Reduce the spot size"));
    auto* increase = Named(new QPushButton(QStringLiteral("Increase^"), this), 1071);
    increase->setToolTip(QStringLiteral("Increase the spot size in the pattern"));
    for (QPushButton* b : {reduce, increase}) {
        b->setAutoDefault(false);
        sizes->addWidget(b);
    }
    layout->addLayout(sizes);

    auto* buttons = new QHBoxLayout;
    m_pUpdate = Named(new QPushButton(QStringLiteral("Update"), this), 1);
    m_pUpdate->setDefault(true);
    m_pUpdate->setToolTip(
        QStringLiteral("Update the pattern based on the selected G and the rotation angle"));
    auto* back = Named(new QPushButton(QStringLiteral("Back to Main Window"), this), 2);
    back->setAutoDefault(false);
    buttons->addWidget(m_pUpdate);
    buttons->addWidget(back);
    layout->addLayout(buttons);

    m_pTimer = new QTimer(this);
    m_pTimer->setTimerType(Qt::PreciseTimer);
    connect(m_pTimer, &QTimer::timeout, this, &CDlgFixReflRot::AutoRotateStep);
    connect(m_pUpdate, &QPushButton::clicked, this, [this] { OnUpdate(); });
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pAuto, &QPushButton::clicked, this, &CDlgFixReflRot::OnAutoRotate);
    connect(perp, &QPushButton::clicked, this, &CDlgFixReflRot::OnPerpendicular);
    connect(reduce, &QPushButton::clicked, this, [this] { OnSpotSize(false); });
    connect(increase, &QPushButton::clicked, this, [this] { OnSpotSize(true); });

    // The triad of the marked point, fixed while the dialog is open.
    m_triad =
        FixReflTriad(MakeFilmGeometry(p.m_TransOrBack, p.m_D, p.m_Tilt), p.m_MajorX, p.m_MajorY);
}

CDlgFixReflRot::~CDlgFixReflRot() {
    m_pBar->m_bFixReflOpen = 0;
}

void CDlgFixReflRot::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_bPlaced)
        return;
    m_bPlaced = true;
    // Near the top right of the screen, clear of the pattern's middle.
    if (QScreen* s = screen()) {
        const QRect avail = s->availableGeometry();
        move(avail.right() - frameGeometry().width() - 10, avail.top() + 10);
    }
    if (m_triad.status == TriadStatus::Forward)
        ShowMessage(this, ForwardDirectionMessage());
    else if (m_triad.status == TriadStatus::ExactBack)
        ShowMessage(this, ExactBackReflectionMessage());
}

bool CDlgFixReflRot::OnUpdate() {
    CParameterSet& p = *m_pBar;
    Hkl g{Read(m_pHkl[0]->text()), Read(m_pHkl[1]->text()), Read(m_pHkl[2]->text())};
    m_pHkl[0]->setText(Text8(g.h));
    m_pHkl[1]->setText(Text8(g.k));
    m_pHkl[2]->setText(Text8(g.l));
    if (g.IsZero()) {
        ShowMessage(this, HklAllZeroMessage());
        m_pHkl[0]->setFocus();
        return false;
    }
    // Without a diffraction vector at the point there is nothing to turn about.
    if (m_triad.status == TriadStatus::Forward) {
        ShowMessage(this, ForwardDirectionMessage());
        return false;
    }
    const std::optional<Hkl> perp = PerpendicularReference(p.m_Recip, g, {p.m_Ph, p.m_Pk, p.m_Pl});
    if (!perp) {
        ShowMessage(this, NotPerpendicularMessage());
        return false;
    }
    p.m_Gh = g.h, p.m_Gk = g.k, p.m_Gl = g.l;
    p.m_Ph = perp->h, p.m_Pk = perp->k, p.m_Pl = perp->l;
    p.m_nRotStepIndex = m_pPlus->StepIndex();
    p.m_RotAroundG = WrapRotationAngle(Read(m_pAngle->text()));
    m_pAngle->setText(Text8(p.m_RotAroundG));

    const SurfaceAndHorizontal o =
        FixReflOrientation(p.m_Recip, g, *perp, m_triad.triad, p.m_RotAroundG);
    p.m_H = o.surface.h, p.m_K = o.surface.k, p.m_L = o.surface.l;
    p.m_h = o.horizontal.h, p.m_k = o.horizontal.k, p.m_l = o.horizontal.l;
    p.m_Rot1 = p.m_Rot2 = p.m_Rot3 = 0;
    if (m_apply)
        m_apply();
    return true;
}

int CDlgFixReflRot::AutoRotateIntervalMs() const {
    return static_cast<int>(m_pBar->m_AutoInterval * 1000);
}

void CDlgFixReflRot::SetAutoControls(bool running) {
    m_bAutoRotating = running;
    m_pAuto->setText(running ? QStringLiteral("Stop") : QStringLiteral("AutoRotate"));
    m_pPlus->setEnabled(!running);
    m_pMinus->setEnabled(!running);
    m_pUpdate->setEnabled(!running);
}

void CDlgFixReflRot::OnAutoRotate() {
    if (m_bAutoRotating) {
        m_pTimer->stop();
        SetAutoControls(false);
        return;
    }
    SetAutoControls(true);
    // The first step follows at once, the next ones at the interval.
    m_pTimer->start(0);
}

void CDlgFixReflRot::AutoRotateStep() {
    CParameterSet& p = *m_pBar;
    const double step = ClampAutoStep(Read(m_pStep->currentText()));
    if (step != Read(m_pStep->currentText()))
        m_pStep->setEditText(Text8(step));
    p.m_AutoStep = step;
    const double interval = ClampAutoInterval(Read(m_pInterval->currentText()));
    if (interval != Read(m_pInterval->currentText()))
        m_pInterval->setEditText(Text8(interval));
    p.m_AutoInterval = interval;
    // The next step is due one interval after this one began: the run and the paint that
    // follows it take place inside the interval.
    if (m_bAutoRotating)
        m_pTimer->start(AutoRotateIntervalMs());
    m_pAngle->setText(Text8(Read(m_pAngle->text()) + step));
    // A refused Update (its message shown) ends the run rather than repeating the message.
    if (!OnUpdate() && m_bAutoRotating) {
        m_pTimer->stop();
        SetAutoControls(false);
    }
}

void CDlgFixReflRot::OnPerpendicular() {
    if (m_bAutoRotating)
        return;
    CParameterSet& p = *m_pBar;
    CDlgFRRperpend dialog({p.m_Ph, p.m_Pk, p.m_Pl}, this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    const Hkl v = dialog.Values();
    p.m_Ph = v.h, p.m_Pk = v.k, p.m_Pl = v.l;
}

void CDlgFixReflRot::OnSpotSize(bool increase) {
    CParameterSet& p = *m_pBar;
    p.m_SpotWidth = increase ? IncreaseSpotSize(p.m_SpotWidth) : ReduceSpotSize(p.m_SpotWidth);
    p.m_SpotHeight = increase ? IncreaseSpotSize(p.m_SpotHeight) : ReduceSpotSize(p.m_SpotHeight);
    if (m_redraw)
        m_redraw();
}

void CDlgFixReflRot::done(int result) {
    m_pTimer->stop();
    m_bAutoRotating = false;
    m_pBar->m_bFixReflOpen = 0;
    QDialog::done(result);
}

} // namespace xelmor
