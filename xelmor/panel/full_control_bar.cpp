#include "xelmor/panel/full_control_bar.h"

#include "xelmor/dialogs/dlg_help_intensity.h"
#include "xelmor/dialogs/first_pattern.h"
#include "xelmor/tools/dlg_fix_refl_rot_help.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

#include "xelmor/app/commands.h"
#include "xelmor/app/seams.h"
#include "xelmor/core/panel_rules.h"
#include "xelmor/core/simulation.h"
#include "xelmor/files/settings_values.h"
#include "xelmor/panel/goniometer_picture.h"
#include "xelmor/panel/input_controls.h"

namespace xelmor {

namespace {

QString IdName(int id) {
    return QStringLiteral("id%1").arg(id);
}

template <class W> W* Named(W* widget, int id) {
    widget->setObjectName(IdName(id));
    return widget;
}

// Writes `text` into an edit only when it differs from what the edit holds, so that an
// unchanged control keeps its cursor and selection.
void Show(QLineEdit* edit, const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (edit->text() != t)
        edit->setText(t);
}

void Show(QComboBox* combo, const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (combo->currentText() != t)
        combo->setEditText(t);
}

std::string TextOf(const QLineEdit* edit) {
    return edit->text().toStdString();
}
std::string TextOf(const QComboBox* combo) {
    return combo->currentText().toStdString();
}

// A push button as narrow as its widest caption allows (the styles' minimum width of a push
// button would make the step buttons as wide as the edits).
void MakeNarrow(QPushButton* button, std::initializer_list<const char*> captions) {
    int widest = 0;
    for (const char* c : captions)
        widest = std::max(widest, button->fontMetrics().horizontalAdvance(QLatin1String(c)));
    button->setFixedWidth(widest + button->fontMetrics().horizontalAdvance(QLatin1Char('0')) + 8);
}

// The captions a step button may carry once its step is chosen from its menu.
constexpr std::initializer_list<const char*> kStepCaptions = {"+10", "-10", "+0.1", "-0.1"};

} // namespace

CFullControlBar::CFullControlBar(CParameterSet* params, SettingsStore* settings, QWidget* parent)
    : QWidget(parent), m_pParams(params), m_pSettings(settings) {
    setObjectName(QStringLiteral("id320"));
    setWindowTitle(QStringLiteral("Xelmor Control Panel"));
    ReadPanelSettings(*settings, *params);
    BuildControls();
    ValuesToControls();
}

void CFullControlBar::BuildControls() {
    // The controls sit in a scrolling area, so that a short main window cuts the panel off at
    // the bottom (as a docked bar would be) instead of growing to the panel's height.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("panelScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    auto* content = new QWidget(scroll);
    content->setObjectName(QStringLiteral("panelContent"));
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(6);

    auto button = [&](int id, const char* caption, QWidget* parent) {
        return Named(new QPushButton(QString::fromLatin1(caption), parent), id);
    };
    auto label = [](const char* text, QWidget* parent) {
        return new QLabel(QString::fromLatin1(text), parent);
    };
    auto tip = [](QWidget* w, const char* text) { w->setToolTip(QString::fromLatin1(text)); };
    // An Enter-reporting edit; its Enter runs the update cycle.
    auto edit = [&](int id, QWidget* parent) {
        auto* e = Named(new CEdit_Enter(parent), id);
        e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("-10000.125")) + 8);
        connect(e, &CEdit_Enter::Command, this, [this](int cmd) { OnCommand(cmd); });
        return e;
    };
    auto combo = [&](int id, auto items, QWidget* parent) {
        auto* c = Named(new CCombo_EnterSel(parent), id);
        for (const char* item : items)
            c->addItem(QString::fromLatin1(item));
        c->setMaxVisibleItems(static_cast<int>(items.size()));
        connect(c, &CCombo_EnterSel::Command, this, [this](int cmd) { OnCommand(cmd); });
        return c;
    };
    // A step-button pair on `target`, stepping within the limits and starting a cycle after a
    // step that changed the text.
    auto pair = [&](int plusId, int minusId, const char* plusText, const char* minusText,
                    CEdit_Enter* target, PairLimits limits, int stepIndex, CStepButton*& plus,
                    CStepButton*& minus, QWidget* parent) {
        plus = Named(new CStepButton(QString::fromLatin1(plusText), parent), plusId);
        minus = Named(new CStepButton(QString::fromLatin1(minusText), parent), minusId);
        MakeNarrow(plus, kStepCaptions);
        MakeNarrow(minus, kStepCaptions);
        plus->BindPair(minus, target, ID_UPDATE_BAR, limits.minimum, limits.maximum);
        plus->SetStepIndex(stepIndex);
        connect(plus, &CStepButton::Command, this, [this](int cmd) { OnCommand(cmd); });
    };
    auto unitLabel = [&](QWidget* parent) { return label("mm", parent); };

    // Crystal, Geometry and the zoom.
    {
        auto* row = new QHBoxLayout;
        m_pCrystal = button(1005, "Crystal", content);
        tip(m_pCrystal, "Import Crystal structure");
        m_pGeometry = button(1006, "Geometry", content);
        tip(m_pGeometry, "Set diffraction Geometry");
        m_pZoom = combo(1072, kZoomList, content);
        tip(m_pZoom, "Zoom");
        m_pZoom->setAccessibleName(QStringLiteral("Zoom"));
        row->addWidget(m_pCrystal);
        row->addWidget(m_pGeometry);
        row->addWidget(m_pZoom, 1);
        column->addLayout(row);
        connect(m_pCrystal, &QPushButton::clicked, this, &CFullControlBar::OnCrystal);
        connect(m_pGeometry, &QPushButton::clicked, this, &CFullControlBar::OnGeometry);
        connect(m_pZoom, &QComboBox::activated, this, &CFullControlBar::OnZoomPicked);
    }

    // The imaging distance and the Update button.
    {
        auto* row = new QHBoxLayout;
        auto* group = new QGroupBox(QStringLiteral("Imaging Distance"), content);
        auto* g = new QGridLayout(group);
        g->setContentsMargins(6, 4, 6, 6);
        auto* dLabel = label("D:", group);
        m_pD = edit(1070, group);
        dLabel->setBuddy(m_pD);
        pair(1023, 1062, "+10", "-10", m_pD, kDistanceLimits, kDistanceStepIndex, m_pDPlus,
             m_pDMinus, group);
        g->addWidget(dLabel, 0, 0);
        g->addWidget(m_pD, 0, 1);
        g->addWidget(unitLabel(group), 0, 2);
        g->addWidget(m_pDPlus, 0, 3);
        g->addWidget(m_pDMinus, 0, 4);
        g->setColumnStretch(1, 1);
        m_pUpdate = button(ID_PANEL_UPDATE, "Update\nPattern", content);
        tip(m_pUpdate, "After Typing in Edit or Dropdown boxes, press Enter or click Update!");
        m_pUpdate->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        row->addWidget(group, 1);
        row->addWidget(m_pUpdate);
        column->addLayout(row);
        connect(m_pUpdate, &QPushButton::clicked, this, [this] { OnCommand(ID_PANEL_UPDATE); });
    }

    // The crystal rotation with the picture of the lab axes.
    {
        auto* group = new QGroupBox(QStringLiteral("Rotate Crystal"), content);
        auto* v = new QVBoxLayout(group);
        v->setContentsMargins(6, 4, 6, 6);
        m_pPicture = Named(new CGoniometerPicture(group), 1112);
        v->addWidget(m_pPicture);
        auto* g = new QGridLayout;
        const int labelIds[3] = {1101, 1102, 1084};
        const int editIds[3] = {1075, 1076, 1083};
        const int plusIds[3] = {1025, 1029, 1027};
        const int minusIds[3] = {1026, 1030, 1028};
        for (int i = 0; i < 3; ++i) {
            m_pRotLabel[i] = Named(label("", group), labelIds[i]);
            m_pRot[i] = edit(editIds[i], group);
            m_pRotLabel[i]->setBuddy(m_pRot[i]);
            pair(plusIds[i], minusIds[i], "+1", "-1", m_pRot[i], kAngleLimits, kDefaultStepIndex,
                 m_pRotPlus[i], m_pRotMinus[i], group);
            g->addWidget(m_pRotLabel[i], i, 0);
            g->addWidget(m_pRot[i], i, 1);
            g->addWidget(m_pRotPlus[i], i, 2);
            g->addWidget(m_pRotMinus[i], i, 3);
        }
        // The step-menu tip sits on the first two rotation pairs.
        tip(m_pRotPlus[0], "Right click to change stepsize");
        tip(m_pRotPlus[1], "Right click to change stepsize");
        g->setColumnStretch(1, 1);
        v->addLayout(g);

        auto* tools = new QHBoxLayout;
        auto* lut = button(1238, "Look-Up Table", group);
        tip(lut, "Show the Look-Up Table dialog");
        auto* rotG = button(1086, "Rotate G...", group);
        tip(rotG, "Rotate Crystal along a selected G vector");
        auto* seqHelp = button(1080, "?", group);
        tip(seqHelp, "Help for Crystal Rotation around XYZ");
        MakeNarrow(seqHelp, {"?"});
        tools->addWidget(lut, 1);
        tools->addWidget(rotG, 1);
        tools->addWidget(seqHelp);
        v->addLayout(tools);
        auto* orient = button(1087, "Crystal Orient in Lab Coords...", group);
        tip(orient, "Crystal orientation in the fixed Lab coordinate system (F5)");
        v->addWidget(orient);
        column->addWidget(group);

        connect(lut, &QPushButton::clicked, this, [this] { Send(ID_SHOW_LUT); });
        connect(rotG, &QPushButton::clicked, this, &CFullControlBar::OnRotateAroundG);
        connect(seqHelp, &QPushButton::clicked, this, &CFullControlBar::OnRotationSequenceHelp);
        connect(orient, &QPushButton::clicked, this, [this] { Send(ID_LAB_ORIENTATION); });
    }

    // The detector: tilt and shifts.
    {
        auto* group = new QGroupBox(QStringLiteral("Set CCD or Film"), content);
        auto* g = new QGridLayout(group);
        g->setContentsMargins(6, 4, 6, 6);
        m_pTiltLabel = Named(label("", group), 1081);
        m_pTilt = edit(1032, group);
        tip(m_pTilt, "Tilt CCD. See Help (?) for Setting CCD or Film");
        m_pTiltLabel->setBuddy(m_pTilt);
        pair(1038, 1039, "+1", "-1", m_pTilt, kAngleLimits, kDefaultStepIndex, m_pTiltPlus,
             m_pTiltMinus, group);
        m_pShiftYLabel = Named(label("", group), 1091);
        m_pShiftY = edit(1036, group);
        m_pShiftYLabel->setBuddy(m_pShiftY);
        pair(1050, 1049, "+10", "-10", m_pShiftY, kShiftLimits, kShiftStepIndex, m_pShiftYPlus,
             m_pShiftYMinus, group);
        m_pShiftXLabel = Named(label("", group), 1090);
        m_pShiftX = edit(1033, group);
        m_pShiftXLabel->setBuddy(m_pShiftX);
        pair(1051, 1053, "+10", "-10", m_pShiftX, kShiftLimits, kShiftStepIndex, m_pShiftXPlus,
             m_pShiftXMinus, group);
        for (CStepButton* plus : {m_pTiltPlus, m_pShiftYPlus, m_pDPlus})
            tip(plus, "Right click to change stepsize");

        struct Row {
            QLabel* label;
            CEdit_Enter* edit;
            bool mm;
            CStepButton* plus;
            CStepButton* minus;
        };
        const Row rows[] = {{m_pTiltLabel, m_pTilt, false, m_pTiltPlus, m_pTiltMinus},
                            {m_pShiftYLabel, m_pShiftY, true, m_pShiftYPlus, m_pShiftYMinus},
                            {m_pShiftXLabel, m_pShiftX, true, m_pShiftXPlus, m_pShiftXMinus}};
        int r = 0;
        for (const Row& row : rows) {
            g->addWidget(row.label, r, 0);
            g->addWidget(row.edit, r, 1);
            if (row.mm)
                g->addWidget(unitLabel(group), r, 2);
            g->addWidget(row.plus, r, 3);
            g->addWidget(row.minus, r, 4);
            ++r;
        }
        auto* filmHelp = button(1069, "?", group);
        tip(filmHelp, "Help for Setting CCD or Film");
        MakeNarrow(filmHelp, {"?"});
        g->addWidget(filmHelp, r, 3);
        g->setColumnStretch(1, 1);
        column->addWidget(group);
        connect(filmHelp, &QPushButton::clicked, this, &CFullControlBar::OnFilmHelp);
    }

    // The intensity levels, the spot style and the spot size.
    {
        auto* group = new QGroupBox(content);
        auto* g = new QGridLayout(group);
        g->setContentsMargins(6, 6, 6, 6);
        auto* satLabel = label("Saturate above", group);
        m_pSaturate = combo(1073, kSaturateList, group);
        tip(m_pSaturate, "Saturation level, above which spots are all black");
        satLabel->setBuddy(m_pSaturate);
        auto* normalise = button(ID_PANEL_NORMALISE, "N", group);
        tip(normalise, "Normalize Intensity (Set Saturate=100%)");
        MakeNarrow(normalise, {"N"});
        auto* truncLabel = label("Truncate below", group);
        m_pTruncate = combo(1074, kTruncateList, group);
        tip(m_pTruncate, "Truncation level, below which spots are not shown");
        truncLabel->setBuddy(m_pTruncate);
        auto* intensityHelp = button(1067, "?", group);
        tip(intensityHelp, "Help for Intensity Adjustment");
        MakeNarrow(intensityHelp, {"N"});
        g->addWidget(satLabel, 0, 0);
        g->addWidget(m_pSaturate, 0, 1);
        g->addWidget(normalise, 0, 2);
        g->addWidget(truncLabel, 1, 0);
        g->addWidget(m_pTruncate, 1, 1);
        g->addWidget(intensityHelp, 1, 2);
        g->setColumnStretch(1, 1);

        auto* style = new QHBoxLayout;
        auto* darkGray = button(1065, "Dark <> Gray", group);
        tip(darkGray, "Switch between gray-scale and dark spots");
        auto* index = button(1066, "Index h k l", group);
        tip(index, "Show or Hide Indices h k l of spots. F3");
        style->addWidget(darkGray, 1);
        style->addWidget(index, 1);
        g->addLayout(style, 2, 0, 1, 3);

        auto* size = new QHBoxLayout;
        auto* increase = Named(new CBtnRightClk(QStringLiteral("Increase^"), group), 1071);
        tip(increase, "Enlarge Spots by 1 mm. Right Click for fine adjustment");
        auto* reduce = Named(new CBtnRightClk(QStringLiteral("Reduce Spot Size"), group), 1079);
        tip(reduce, "Shrink Spots by 1 mm. Right Click for fine adjustment");
        size->addWidget(increase, 1);
        size->addWidget(reduce, 1);
        g->addLayout(size, 3, 0, 1, 3);
        column->addWidget(group);

        connect(m_pSaturate, &QComboBox::activated, this,
                [this] { Post([this] { OnCommand(ID_UPDATE_BAR); }); });
        connect(m_pTruncate, &QComboBox::activated, this,
                [this] { Post([this] { OnCommand(ID_UPDATE_BAR); }); });
        connect(normalise, &QPushButton::clicked, this, [this] { OnCommand(ID_PANEL_NORMALISE); });
        connect(intensityHelp, &QPushButton::clicked, this, &CFullControlBar::OnIntensityHelp);
        connect(darkGray, &QPushButton::clicked, this, &CFullControlBar::OnDarkGray);
        connect(index, &QPushButton::clicked, this, &CFullControlBar::OnShowIndex);
        connect(increase, &QPushButton::clicked, this, &CFullControlBar::OnIncreaseSpots);
        connect(reduce, &QPushButton::clicked, this, &CFullControlBar::OnReduceSpots);
        for (CBtnRightClk* b : {increase, reduce})
            connect(b, &CBtnRightClk::Command, this, [this](int cmd) { Send(cmd); });
    }

    // The selected spot.
    {
        auto* group = new QGroupBox(QStringLiteral("Selected Spot   "), content);
        auto* g = new QGridLayout(group);
        g->setContentsMargins(6, 4, 6, 6);
        auto* reflLabel = Named(label("Reflection:", group), 1199);
        m_pReflection = Named(new CEdit_Enter(group), 1078);
        m_pReflection->SetFind(true);
        tip(m_pReflection, "Index of the spot you (double) clicked. Also see the More dialog");
        reflLabel->setBuddy(m_pReflection);
        auto* find = button(1055, "&Find", group);
        // Its Alt+F would be ambiguous with the File menu's in the whole window; the panel
        // takes the key only while the focus is inside it.
        find->setShortcut(QKeySequence());
        m_pFind = find;
        tip(find, "Click a spot to see its reflection here. Or input h,k,l to Find a spot in "
                  "current pattern");
        auto* waveLabel = label("Wavelength:", group);
        m_pWavelength = Named(new CEdit_Color(group), 1052);
        tip(m_pWavelength, "Wavelength/Photon Energy of selected Bragg reflection");
        waveLabel->setBuddy(m_pWavelength);
        auto* more = button(1054, "&More...", group);
        g->addWidget(reflLabel, 0, 0);
        g->addWidget(m_pReflection, 0, 1);
        g->addWidget(find, 0, 2);
        g->addWidget(waveLabel, 1, 0);
        g->addWidget(m_pWavelength, 1, 1);
        g->addWidget(more, 1, 2);
        g->setColumnStretch(1, 1);
        column->addWidget(group);

        connect(m_pReflection, &CEdit_Enter::Command, this, [this](int cmd) { OnCommand(cmd); });
        connect(find, &QPushButton::clicked, this, &CFullControlBar::OnFind);
        connect(more, &QPushButton::clicked, this, &CFullControlBar::OnMore);
    }

    m_pSpotCount = Named(new QLabel(QStringLiteral(" 0 spots"), content), 1167);
    column->addWidget(m_pSpotCount);
    column->addStretch(1);

    scroll->setWidget(content);
    // The panel sees the keys and right clicks of its controls first (eventFilter).
    for (QWidget* w : content->findChildren<QWidget*>())
        if (!w->isWindow())
            w->installEventFilter(this);
    // As wide as the controls need, with room for the scroll bar of a short window.
    setMinimumWidth(content->minimumSizeHint().width() +
                    scroll->verticalScrollBar()->sizeHint().width());
}

QSize CFullControlBar::sizeHint() const {
    // Docked, the panel starts as narrow as its controls allow.
    return {minimumWidth(), QWidget::sizeHint().height()};
}

void CFullControlBar::Send(int id) {
    if (m_send)
        m_send(id);
}

CFullControlBar::~CFullControlBar() {
    // The child controls outlive this part of the destruction: a signal they send while they
    // are torn down (a combo box losing its focus) must not reach a half-destroyed panel.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

void CFullControlBar::Post(std::function<void()> action) {
    QTimer::singleShot(0, this, std::move(action));
}

bool CFullControlBar::IsFindKey(const QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return QKeySequence(key->keyCombination()) == QKeySequence::mnemonic(m_pFind->text());
}

bool CFullControlBar::eventFilter(QObject* watched, QEvent* event) {
    // A right click on a plain button opens no menu of the panel's.
    if (event->type() == QEvent::ContextMenu && qobject_cast<QPushButton*>(watched) &&
        watched->metaObject() == &QPushButton::staticMetaObject) {
        event->accept();
        return true;
    }
    // Alt+F from any control of the panel is Find's, before an edit could type the letter.
    if (IsFindKey(event)) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            m_pFind->animateClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool CFullControlBar::OnCommand(int id) {
    switch (id) {
    case ID_UPDATE_BAR:
    case ID_PANEL_UPDATE:
        OnUpdateBar();
        return true;
    case ID_PANEL_NORMALISE:
        OnNormalise();
        return true;
    case ID_RESET_PARAMS_TO_0:
        OnResetToZero();
        return true;
    case ID_FIND_REFLECTION:
        // Enter in the Reflection box: Find belongs to the view, which the main window reaches.
        Send(ID_FIND_REFLECTION);
        return true;
    default:
        return false;
    }
}

bool CFullControlBar::CheckInputs() {
    const SimulateBlock block = CanSimulate(*m_pParams);
    if (block == SimulateBlock::None)
        return true;
    RefuseInputs(block, false);
    return false;
}

void CFullControlBar::RefuseInputs(SimulateBlock block, bool zeroEdits) {
    ShowMessage(this, SimulateBlockMessage(block));
    if (zeroEdits)
        ZeroSixEdits();
    // The Crystal button supplies the crystal, the Geometry button the geometry.
    if (block == SimulateBlock::NoCrystal)
        m_pCrystal->setFocus();
    else if (block == SimulateBlock::NoGeometry)
        m_pGeometry->setFocus();
}

void CFullControlBar::ZeroSixEdits() {
    for (CEdit_Enter* e : {m_pRot[0], m_pRot[1], m_pRot[2], m_pTilt, m_pShiftY, m_pShiftX})
        e->setText(QStringLiteral("0"));
}

void CFullControlBar::OnUpdateBar() {
    const SimulateBlock block = CanSimulate(*m_pParams);
    if (block != SimulateBlock::None) {
        RefuseInputs(block, true);
        return;
    }
    PanelTexts texts;
    texts.zoom = TextOf(m_pZoom);
    texts.distance = TextOf(m_pD);
    for (int i = 0; i < 3; ++i)
        texts.rot[i] = TextOf(m_pRot[i]);
    texts.tilt = TextOf(m_pTilt);
    texts.shiftY = TextOf(m_pShiftY);
    texts.shiftX = TextOf(m_pShiftX);
    texts.saturate = TextOf(m_pSaturate);
    texts.truncate = TextOf(m_pTruncate);

    const PanelReading read = ReadPanel(*m_pParams, texts);
    Show(m_pZoom, read.texts.zoom);
    Show(m_pD, read.texts.distance);
    for (int i = 0; i < 3; ++i)
        Show(m_pRot[i], read.texts.rot[i]);
    Show(m_pTilt, read.texts.tilt);
    Show(m_pShiftY, read.texts.shiftY);
    Show(m_pShiftX, read.texts.shiftX);
    Show(m_pSaturate, read.texts.saturate);
    Show(m_pTruncate, read.texts.truncate);

    if (read.zoomChanged)
        Send(ID_ZOOM_CALIB);
    // The run rescales the levels, refills the spot list and shows the spot count.
    Send(ID_UPDATE_BAR_TO_APP);
}

void CFullControlBar::ValuesToControls() {
    const PanelTexts t = PanelTextsOf(*m_pParams);
    Show(m_pZoom, t.zoom);
    Show(m_pD, t.distance);
    for (int i = 0; i < 3; ++i)
        Show(m_pRot[i], t.rot[i]);
    Show(m_pTilt, t.tilt);
    Show(m_pShiftY, t.shiftY);
    Show(m_pShiftX, t.shiftX);
    Show(m_pSaturate, t.saturate);
    Show(m_pTruncate, t.truncate);
    SetRotationLabels();
}

void CFullControlBar::SetRotationLabels() {
    const auto axes = RotationAxisLabels(m_pParams->m_RotCrystSeq);
    for (int i = 0; i < 3; ++i)
        m_pRotLabel[i]->setText(QString::fromLatin1(axes[i]));
    const DetectorLabels detector = DetectorLabelsFor(m_pParams->m_bTiltX);
    m_pTiltLabel->setText(QString::fromLatin1(detector.tilt));
    m_pShiftYLabel->setText(QString::fromLatin1(detector.shift1091));
    m_pShiftXLabel->setText(QString::fromLatin1(detector.shift1090));
}

void CFullControlBar::ShowLevels() {
    Show(m_pSaturate, SaturatePercentText(m_pParams->m_Saturate));
    Show(m_pTruncate, TruncatePercentText(m_pParams->m_Truncate));
}

void CFullControlBar::ClearSelectedSpot() {
    m_pReflection->clear();
    m_pWavelength->clear();
}

void CFullControlBar::ShowSelectedSpot(const QString& reflection, const QString& wavelength) {
    m_pReflection->setText(reflection);
    m_pWavelength->setText(wavelength);
}

QString CFullControlBar::ReflectionText() const {
    return m_pReflection->text();
}

void CFullControlBar::SetReflectionText(const QString& text) {
    m_pReflection->setText(text);
}

void CFullControlBar::FocusReflection() {
    m_pReflection->setFocus();
}

void CFullControlBar::ZeroRotationsAndUpdate() {
    for (CEdit_Enter* e : m_pRot)
        e->setText(QStringLiteral("0"));
    OnUpdateBar();
}

void CFullControlBar::OnRotateAroundG() {
    CDlgFixReflRotHelp dialog(this);
    RunModal(dialog);
}

void CFullControlBar::OnFind() {
    Send(ID_FIND_REFLECTION);
}

void CFullControlBar::OnMore() {
    if (!m_pSpotDialog)
        return;
    m_pSpotDialog->show();
    m_pSpotDialog->raise();
}

void CFullControlBar::SetSpotCountText(const QString& text) {
    m_pSpotCount->setText(text);
}

void CFullControlBar::OnCrystal() {
    if (m_pParams->nSpectrum() <= 1) {
        ShowMessage(this, SimulateBlockMessage(SimulateBlock::NoSpectrum));
        ZeroSixEdits();
        return;
    }
    // A new crystal is drawn without the old spots and needs its geometry at once.
    if (RunCrystalDialog(this, *m_pParams, *m_pDirCrystal, m_strProgramDir)) {
        Send(ID_INVALIDATE_VIEW);
        OnGeometry();
    }
}

void CFullControlBar::OnGeometry() {
    if (m_pParams->nAtoms() == 0) {
        RefuseInputs(SimulateBlock::NoCrystal, true);
        return;
    }
    if (RunGeometryDialog(this, *m_pParams)) {
        m_pD->setText(QString::fromStdString(PanelNumber(m_pParams->m_D / 10)));
        OnUpdateBar();
    }
}

void CFullControlBar::OnSpectrum() {
    if (RunSpectrumDialog(this, *m_pParams, *m_pSettings, *m_pDirSpectrum, m_strProgramDir))
        OnUpdateBar();
}

void CFullControlBar::SetFolders(QString* dirCrystal, QString* dirSpectrum, QString programDir) {
    m_pDirCrystal = dirCrystal;
    m_pDirSpectrum = dirSpectrum;
    m_strProgramDir = std::move(programDir);
}

void CFullControlBar::OnRotationSequenceHelp() {
    if (RunSequenceDialog(this, *m_pParams, *m_pSettings)) {
        SetRotationLabels();
        OnUpdateBar();
    }
}

void CFullControlBar::OnFilmHelp() {
    RunFilmHelp(this);
}

void CFullControlBar::OnIntensityHelp() {
    CDlgHelpIntensity dialog(this);
    RunModal(dialog);
}

void CFullControlBar::OnNormalise() {
    m_pSaturate->setEditText(QStringLiteral("100%"));
    OnUpdateBar();
}

void CFullControlBar::OnResetToZero() {
    ZeroSixEdits();
    OnUpdateBar();
}

void CFullControlBar::OnZoomPicked(int index) {
    // A list entry is a valid zoom as it stands: no cycle and no clamp.
    m_pParams->m_nZoom = ZoomOfListEntry(m_pZoom->itemText(index).toStdString());
    Post([this] { Send(ID_ZOOM_CALIB); });
}

void CFullControlBar::OnDarkGray() {
    m_pParams->m_bGrayScale = m_pParams->m_bGrayScale ? 0 : 1;
    Send(ID_INVALIDATE_VIEW);
}

void CFullControlBar::OnShowIndex() {
    Send(ID_SHOW_INDEX);
}

void CFullControlBar::OnIncreaseSpots() {
    m_pParams->m_SpotWidth = IncreaseSpotSize(m_pParams->m_SpotWidth);
    m_pParams->m_SpotHeight = IncreaseSpotSize(m_pParams->m_SpotHeight);
    Send(ID_INVALIDATE_VIEW);
}

void CFullControlBar::OnReduceSpots() {
    m_pParams->m_SpotWidth = ReduceSpotSize(m_pParams->m_SpotWidth);
    m_pParams->m_SpotHeight = ReduceSpotSize(m_pParams->m_SpotHeight);
    Send(ID_INVALIDATE_VIEW);
}

void CFullControlBar::contextMenuEvent(QContextMenuEvent* event) {
    // Only the background comes here (labels, frames, the picture): the edits keep their edit
    // menu, the step buttons their step menu, and the other buttons take their right click.
    event->accept();
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setObjectName(QStringLiteral("id385"));
    QAction* reset = menu->addAction(QStringLiteral("Reset parameters to 0"));
    reset->setObjectName(IdName(ID_RESET_PARAMS_TO_0));
    connect(reset, &QAction::triggered, this, [this] { OnCommand(ID_RESET_PARAMS_TO_0); });
    menu->popup(event->globalPos());
}

} // namespace xelmor
