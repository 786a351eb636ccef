#include "xelmor/tools/dlg_lut.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "structfile/number_format.h"
#include "xelmor/app/commands.h"
#include "xelmor/app/seams.h"
#include "xelmor/core/params.h"
#include "xelmor/core/spot_pick.h"
#include "xelmor/panel/full_control_bar.h"
#include "xelmor/panel/input_controls.h"

namespace xelmor {

namespace {

// How often a long search lets the window repaint (and drops the input that came meanwhile).
constexpr qint64 kBusyPumpMs = 100;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

std::string S(const QString& s) {
    return s.toStdString();
}

template <class W> W* Named(W* widget, int id) {
    widget->setObjectName(QStringLiteral("id%1").arg(id));
    return widget;
}

// While a search runs, the program's windows take no input and show the wait cursor; now and
// then the pending events are handled, so the windows repaint and input that came meanwhile
// reaches only disabled widgets and is dropped.
class BusyWindows {
public:
    explicit BusyWindows(QWidget* dialog) : m_pDialog(dialog) {
        QWidget* parent = dialog->parentWidget();
        m_pFrame = parent ? parent->window() : nullptr;
        m_pFocus = QApplication::focusWidget();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_bDialogEnabled = dialog->isEnabled();
        dialog->setEnabled(false);
        if (m_pFrame) {
            m_bFrameEnabled = m_pFrame->isEnabled();
            m_pFrame->setEnabled(false);
        }
        m_clock.start();
    }
    ~BusyWindows() {
        QCoreApplication::processEvents();
        if (m_pDialog)
            m_pDialog->setEnabled(m_bDialogEnabled);
        if (m_pFrame)
            m_pFrame->setEnabled(m_bFrameEnabled);
        QApplication::restoreOverrideCursor();
        if (m_pFocus)
            m_pFocus->setFocus();
    }
    BusyWindows(const BusyWindows&) = delete;
    BusyWindows& operator=(const BusyWindows&) = delete;

    SearchProgress Progress() {
        return [this](long long, long long) {
            if (m_clock.elapsed() >= m_nextPumpMs) {
                QCoreApplication::processEvents();
                m_nextPumpMs = m_clock.elapsed() + kBusyPumpMs;
            }
            return true;
        };
    }

private:
    QPointer<QWidget> m_pDialog;
    QPointer<QWidget> m_pFrame;
    QPointer<QWidget> m_pFocus;
    bool m_bDialogEnabled = true, m_bFrameEnabled = true;
    QElapsedTimer m_clock;
    qint64 m_nextPumpMs = 0;
};

} // namespace

CDlgLUT::CDlgLUT(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Look-up Table (LUT) of Lattice Plane Pairs or Triplets"));
    setModal(false);
    BuildControls();
}

void CDlgLUT::BuildControls() {
    auto* top = new QVBoxLayout(this);
    auto button = [this](int id, const char* caption, const char* tip = nullptr) {
        auto* b = Named(new QPushButton(QString::fromLatin1(caption), this), id);
        // Enter in an edit must not press a button: only a focused button takes it.
        b->setAutoDefault(false);
        if (tip)
            b->setToolTip(QString::fromLatin1(tip));
        return b;
    };
    auto label = [this](const char* text) { return new QLabel(QString::fromLatin1(text), this); };
    auto narrow = [](QPushButton* b) {
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 12);
    };

    // The two spots, their arrows and the step.
    {
        auto* grid = new QGridLayout;
        auto addSpot = [&](int row, const char* name, int id, const char* tip, const char* how) {
            auto* l = label(name);
            auto* e = Named(new QLineEdit(this), id);
            e->setToolTip(QString::fromLatin1(tip));
            l->setBuddy(e);
            grid->addWidget(l, row, 0);
            grid->addWidget(e, row, 1);
            grid->addWidget(label("mm"), row, 2);
            grid->addWidget(label(how), row, 3);
            return e;
        };
        m_pMajor =
            addSpot(0, "Major Spot (+)", 1231, "Position of the selected Major spot in the pattern",
                    "Right Mouse Click to select");
        m_pSecond = addSpot(1, "2nd Spot (x)", 1104, "Position of the 2nd spot.",
                            "Ctrl + Right Mouse Click to select");
        top->addLayout(grid);

        struct Arrow {
            int id;
            const char* caption;
            int d;
            const char* tip;
        };
        const Arrow major[4] = {{1171, "<", 1, nullptr},
                                {1245, ">", 2, nullptr},
                                {1172, "^", 3, nullptr},
                                {1173, "-", 4, "Move Major down"}};
        const Arrow second[4] = {
            {1175, "<", 5, nullptr},
            {1174, ">", 6, "You can adjust the spots by the arrows with stepsize (mm) on right"},
            {1176, "^", 7, nullptr},
            {1177, "-", 8, "Move 2nd down"}};
        auto* arrows = new QHBoxLayout;
        auto addArrows = [&](const char* name, const Arrow(&set)[4]) {
            arrows->addWidget(label(name));
            for (const Arrow& a : set) {
                QPushButton* b = button(a.id, a.caption, a.tip);
                narrow(b);
                const int d = a.d;
                connect(b, &QPushButton::clicked, this, [this, d] { OnMoveSpot(d); });
                arrows->addWidget(b);
            }
            arrows->addSpacing(12);
        };
        addArrows("+", major);
        addArrows("x", second);
        m_pStep = Named(new QComboBox(this), 1223);
        m_pStep->setEditable(true);
        m_pStep->setInsertPolicy(QComboBox::NoInsert);
        for (const char* item : kStepList)
            m_pStep->addItem(QString::fromLatin1(item));
        m_pStep->setToolTip(
            QStringLiteral("Step size (mm) for adjustment when clicking the arrows"));
        auto* stepLabel = label("mm");
        stepLabel->setBuddy(m_pStep);
        arrows->addWidget(m_pStep);
        arrows->addWidget(stepLabel);
        QPushButton* apply =
            button(1230, ".",
                   "You can manually type the two position values and click here to make the "
                   "changes");
        narrow(apply);
        connect(apply, &QPushButton::clicked, this, [this] { OnMoveSpot(0); });
        arrows->addWidget(apply);
        arrows->addStretch(1);
        top->addLayout(arrows);
    }

    // The measured angle, the tolerance and the limits.
    {
        auto* grid = new QGridLayout;
        auto* angleLabel = label("Angle between the two lattice planes:");
        m_pAngle = Named(new CEdit_Color(this), 1233);
        m_pAngle->setReadOnly(true);
        m_pAngle->setToolTip(QStringLiteral("Angle between the two corresponding lattice planes"));
        angleLabel->setBuddy(m_pAngle);
        grid->addWidget(angleLabel, 0, 0);
        grid->addWidget(m_pAngle, 0, 1);
        grid->addWidget(label("o"), 0, 2);
        auto* tolLabel = label("Angular tolearance");
        m_pTolerance = Named(new QComboBox(this), 1241);
        m_pTolerance->setEditable(true);
        m_pTolerance->setInsertPolicy(QComboBox::NoInsert);
        for (const char* item : kToleranceList)
            m_pTolerance->addItem(QString::fromLatin1(item));
        tolLabel->setBuddy(m_pTolerance);
        grid->addWidget(tolLabel, 1, 0);
        grid->addWidget(m_pTolerance, 1, 1);
        grid->addWidget(label("o"), 1, 2);
        top->addLayout(grid);

        auto* limits = new QHBoxLayout;
        const char* names[3] = {"Hmax", "Kmax", "Lmax"};
        const int editIds[3] = {1106, 1107, 1108};
        const int minusIds[3] = {1166, 1168, 1170};
        const int plusIds[3] = {1236, 1167, 1169};
        for (int i = 0; i < 3; ++i) {
            auto* l = label(names[i]);
            m_pLimit[i] = Named(new QLineEdit(this), editIds[i]);
            m_pLimit[i]->setMaximumWidth(
                m_pLimit[i]->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
            l->setBuddy(m_pLimit[i]);
            QPushButton* minus = button(minusIds[i], "-");
            QPushButton* plus = button(plusIds[i], "+");
            narrow(minus);
            narrow(plus);
            connect(minus, &QPushButton::clicked, this, [this, i] { OnLimit(i, -1); });
            connect(plus, &QPushButton::clicked, this, [this, i] { OnLimit(i, +1); });
            limits->addWidget(l);
            limits->addWidget(m_pLimit[i]);
            limits->addWidget(minus);
            limits->addWidget(plus);
            limits->addSpacing(8);
        }
        m_pLimit[0]->setToolTip(QStringLiteral("Maximum value of |h|, |k|, |l|"));
        limits->addStretch(1);
        top->addLayout(limits);
    }

    // The searches.
    {
        auto* row = new QHBoxLayout;
        QPushButton* search =
            button(1232, "Search Pairs",
                   "Find all Pairs having this inter-plane angle within the Angular tolerance");
        QPushButton* save =
            button(1242, "Save Pairs",
                   "Save the current set of Pairs for comparison to find triplets later");
        QPushButton* back = button(1252, "<-", "Go back to last Saved");
        narrow(back);
        QPushButton* triplets =
            button(1243, "Search Triplets with Current + Saved",
                   "Compare current set with last saved set to find triplets satisfying the "
                   "three-spot conditions");
        connect(search, &QPushButton::clicked, this, &CDlgLUT::OnSearchPairs);
        connect(save, &QPushButton::clicked, this, &CDlgLUT::OnSavePairs);
        connect(back, &QPushButton::clicked, this, &CDlgLUT::OnBackToSaved);
        connect(triplets, &QPushButton::clicked, this, &CDlgLUT::OnSearchTriplets);
        row->addWidget(search);
        row->addWidget(save);
        row->addWidget(back);
        row->addWidget(triplets);
        top->addLayout(row);
    }

    // The rows.
    {
        auto* head = new QHBoxLayout;
        auto* listLabel = Named(label("Lattice Plane Pairs satsifying this angle:"), 1246);
        m_pCount = Named(new QLabel(this), 1239);
        head->addWidget(listLabel);
        head->addWidget(m_pCount, 1);
        top->addLayout(head);
        m_pList = Named(new QListWidget(this), 1235);
        m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
        m_pList->setUniformItemSizes(true);
        m_pList->setMinimumHeight(m_pList->fontMetrics().height() * 10);
        listLabel->setBuddy(m_pList);
        connect(m_pList, &QListWidget::itemSelectionChanged, this,
                [this] { OnSelectionChanged(SelectedRow()); });
        m_pList->installEventFilter(this);
        top->addWidget(m_pList, 1);

        auto* row = new QHBoxLayout;
        m_pSwap = button(1247, "Swap", "Swap the order of the two indices of each pair");
        m_pSwap->setCheckable(true);
        m_pSwap->setEnabled(false);
        QPushButton* simulate = button(1237, "Simulate Pattern",
                                       "Simulate the Laue pattern of the selected Pair. You can "
                                       "also use UP, DOWN keys.");
        QPushButton* help = button(1234, "Help");
        connect(m_pSwap, &QPushButton::clicked, this, &CDlgLUT::OnSwap);
        connect(simulate, &QPushButton::clicked, this, &CDlgLUT::OnSimulate);
        connect(help, &QPushButton::clicked, this, &CDlgLUT::OnHelp);
        row->addWidget(m_pSwap);
        row->addWidget(simulate, 1);
        row->addWidget(help);
        top->addLayout(row);
    }

    // The start values.
    m_pStep->setEditText(Q(FormatNumber(m_Table.m_StepMm, 8)));
    for (QLineEdit* e : m_pLimit)
        e->setText(QString::number(kStartSearchLimit));
    m_pTolerance->setEditText(Q(FormatNumber(m_Table.m_TolDeg, 8)));
    m_pCount->clear();
}

void CDlgLUT::ShowTable() {
    show();
    raise();
    activateWindow();
}

void CDlgLUT::FocusTable() {
    if (!isVisible())
        return;
    raise();
    activateWindow();
}

void CDlgLUT::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget()); b && b->isEnabled())
            b->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CDlgLUT::eventFilter(QObject* watched, QEvent* event) {
    // The focus alone makes a row current without selecting it; UP or DOWN in a list without a
    // selection selects the first row rather than the one after the current.
    if (watched == m_pList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && SelectedRow() < 0 &&
            m_pList->count() > 0) {
            m_pList->setCurrentRow(0);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int CDlgLUT::SelectedRow() const {
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    return selected.isEmpty() ? -1 : m_pList->row(selected.front());
}

void CDlgLUT::Send(int id) {
    if (m_send)
        m_send(id);
}

std::array<std::string, 3> CDlgLUT::LimitTexts() const {
    return {S(m_pLimit[0]->text()), S(m_pLimit[1]->text()), S(m_pLimit[2]->text())};
}

void CDlgLUT::SetLimitTexts(const std::array<std::string, 3>& texts) {
    for (int i = 0; i < 3; ++i)
        m_pLimit[i]->setText(Q(texts[static_cast<std::size_t>(i)]));
}

void CDlgLUT::WritePositions() {
    m_pMajor->setText(Q(MarkerPositionText(m_pBar->m_MajorX, m_pBar->m_MajorY)));
    m_pSecond->setText(Q(MarkerPositionText(m_pBar->m_SecondX, m_pBar->m_SecondY)));
}

void CDlgLUT::FillList() {
    QStringList rows;
    for (const std::string& r : m_Table.ShownRowTexts())
        rows << Q(r);
    m_bFilling = true;
    m_pList->clear();
    m_pList->addItems(rows);
    m_pList->setCurrentRow(-1);
    m_bFilling = false;
}

void CDlgLUT::SelectRow(int row) {
    m_bFilling = true;
    m_pList->setCurrentRow(row);
    m_bFilling = false;
}

void CDlgLUT::OnSearchPairs() {
    if (!m_pBar)
        return;
    PairSearchTexts texts;
    texts.havePositions = !m_pMajor->text().isEmpty() && !m_pSecond->text().isEmpty();
    texts.tolerance = S(m_pTolerance->currentText());
    texts.limits = LimitTexts();
    PairSearchOutcome out;
    {
        BusyWindows busy(this);
        out = m_Table.SearchPairs(*m_pBar, texts, busy.Progress());
    }
    if (out.angleCleared)
        m_pAngle->clear();
    if (out.markersChanged)
        Send(ID_FINE_ADJUST_LUT);
    if (out.angleText)
        m_pAngle->setText(Q(*out.angleText));
    if (out.toleranceText)
        m_pTolerance->setEditText(Q(*out.toleranceText));
    if (out.limitTexts)
        SetLimitTexts(*out.limitTexts);
    if (out.listed) {
        FillList();
        // Rows are read as they are shown: unswapped.
        m_pSwap->setChecked(false);
        if (out.end == PairSearchEnd::Complete) {
            m_pCount->setText(Q(PairCountText(m_Table.m_PairFirst.Count())));
            m_pSwap->setEnabled(true);
        }
    }
    if (out.message)
        ShowMessage(this, *out.message);
}

void CDlgLUT::OnSavePairs() {
    if (const std::optional<Message> message = m_Table.SavePairs())
        ShowMessage(this, *message);
}

void CDlgLUT::OnSearchTriplets() {
    if (!m_pBar)
        return;
    TripletSearchOutcome out;
    {
        BusyWindows busy(this);
        out = m_Table.SearchTriplets(m_pBar->m_Recip);
    }
    if (out.message) {
        ShowMessage(this, *out.message);
        return;
    }
    FillList();
    m_pCount->setText(Q(TripletCountText(m_Table.m_TripletFirst.Count())));
    m_pSwap->setChecked(false);
    m_pSwap->setEnabled(false);
}

void CDlgLUT::OnSimulate() {
    if (!m_pBar)
        return;
    if (m_pList->count() == 0) {
        ShowMessage(this, EmptyListMessage());
        return;
    }
    int s = SelectedRow();
    if (s < 0) {
        s = 0;
        SelectRow(0);
    }
    if (s >= m_Table.ShownCount())
        return;
    if (!m_Table.ApplyRow(*m_pBar, s)) {
        ShowMessage(this, ParallelRowMessage());
        return;
    }
    WritePositions();
    // The panel's rotation edits show "0" and its update cycle simulates the new orientation.
    if (m_pPanel)
        m_pPanel->ZeroRotationsAndUpdate();
    // The run removes the markers; the table puts them back.
    m_pBar->m_bMajorSpot = 1;
    m_pBar->m_bSecondSpot = 1;
    Send(ID_FINE_ADJUST_LUT);
    Send(ID_FOCUS_LUT);
    m_pList->setFocus();
}

void CDlgLUT::OnSelectionChanged(int row) {
    if (m_bFilling || row < 0 || row >= m_Table.ShownCount())
        return;
    OnSimulate();
    m_pCount->setText(Q(RowOfCountText(row + 1, m_Table.ShownCount())));
}

void CDlgLUT::OnSwap() {
    m_Table.m_bSwap = m_Table.m_bSwap ? 0 : 1;
    m_pSwap->setChecked(m_Table.m_bSwap != 0);
    const int row = SelectedRow();
    FillList();
    if (row >= 0 && row < m_pList->count()) {
        SelectRow(row);
        OnSimulate();
    }
}

void CDlgLUT::OnMoveSpot(int d) {
    if (!m_pBar)
        return;
    ParseSpotPosition(S(m_pMajor->text()), m_pBar->m_MajorX, m_pBar->m_MajorY);
    ParseSpotPosition(S(m_pSecond->text()), m_pBar->m_SecondX, m_pBar->m_SecondY);
    if (d != 0) {
        m_Table.m_StepMm = ReadStep(S(m_pStep->currentText()));
        m_pStep->setEditText(Q(FormatNumber(m_Table.m_StepMm, 8)));
        MoveSpot(*m_pBar, d, m_Table.m_StepMm);
    }
    WritePositions();
    Send(ID_FINE_ADJUST_LUT);
}

void CDlgLUT::OnLimit(int i, int delta) {
    std::array<std::string, 3> texts = LimitTexts();
    for (int j = 0; j < 3; ++j) {
        auto& t = texts[static_cast<std::size_t>(j)];
        t = std::to_string(StepLimit(t, j == i ? delta : 0));
    }
    SetLimitTexts(texts);
}

void CDlgLUT::OnBackToSaved() {
    if (m_Table.m_SavedFirst.Empty())
        return;
    const auto& pos = m_Table.m_SavedPos;
    m_pMajor->setText(Q(MarkerPositionText(pos[0], pos[1])));
    m_pSecond->setText(Q(MarkerPositionText(pos[2], pos[3])));
    OnMoveSpot(0);
    OnSearchPairs();
}

void CDlgLUT::OnHelp() {
    const QString path =
        QDir::toNativeSeparators(m_strProgramDir + QLatin1Char('/') + QLatin1String(kLutHelpFile));
    // A missing document is reported as the desktop would fail to open it.
    if (!QFileInfo::exists(path) || !DesktopShell().OpenDocument(path))
        ShowMessage(this, HelpMissingMessage());
}

} // namespace xelmor
