#include "xelmor/app/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>

#include <array>

#include "xelmor/app/about_dlg.h"
#include "xelmor/app/commands.h"
#include "xelmor/app/seams.h"
#include "xelmor/app/xelmor_app.h"
#include "xelmor/app/xelmor_doc.h"
#include "xelmor/core/calculators.h"
#include "xelmor/dialogs/dlg_calib_zoom.h"
#include "xelmor/dialogs/dlg_angles.h"
#include "xelmor/dialogs/dlg_equation.h"
#include "xelmor/dialogs/dlg_index_font.h"
#include "xelmor/dialogs/dlg_sel_spot.h"
#include "xelmor/dialogs/dlg_unit_convert.h"
#include "xelmor/panel/full_control_bar.h"
#include "xelmor/tools/dlg_lut.h"
#include "xelmor/view/xelmor_view.h"

namespace xelmor {

namespace {

struct ColorItem {
    int id;
    int color;
};

// Spot colours 0 black, 1 blue, 2 red; label colours 0 black, 1 blue, 2 red, 3 white.
constexpr std::array kSpotColors{ColorItem{ID_SPOT_COLOR_RED, 2}, ColorItem{ID_SPOT_COLOR_BLUE, 1},
                                 ColorItem{ID_SPOT_COLOR_BLACK, 0}};
constexpr std::array kFontColors{ColorItem{ID_FONT_COLOR_BLACK, 0},
                                 ColorItem{ID_FONT_COLOR_BLUE, 1}, ColorItem{ID_FONT_COLOR_RED, 2},
                                 ColorItem{ID_FONT_COLOR_WHITE, 3}};

template <std::size_t N> const ColorItem* FindColor(const std::array<ColorItem, N>& items, int id) {
    for (const ColorItem& c : items)
        if (c.id == id)
            return &c;
    return nullptr;
}

// The window title of the document's title.
QString FrameTitle(const QString& docTitle) {
    return docTitle + QStringLiteral(" - Xelmorscope");
}

// How long after the first show the window may still learn the size of its frame.
constexpr int kFrameSettleMs = 1000;

} // namespace

CMainFrame::CMainFrame(CXelmorApp& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_pDoc(app.Document()) {
    setWindowIcon(XelmorIcon());
    CParameterSet* params = &app.m_Params;

    // The stored placement describes the outer window, frame and title bar included.
    const FramePlacement place = ReadFramePlacement(app.Settings());
    if (place.maximised) {
        setWindowState(Qt::WindowMaximized);
    } else {
        m_wantedOuter = QRect(place.x, place.y, place.cx, place.cy);
        move(place.x, place.y); // a window's position is that of its frame
        resize(place.cx, place.cy);
    }

    // The control panel, docked on the left; it may move to the right or float.
    m_pBar = new CFullControlBar(params, &app.Settings(), this);
    m_pDock = new QDockWidget(QStringLiteral("Xelmor Control Panel"), this);
    m_pDock->setObjectName(QStringLiteral("dockControlPanel"));
    m_pDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_pDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                         QDockWidget::DockWidgetFloatable);
    m_pDock->setWidget(m_pBar);
    addDockWidget(Qt::LeftDockWidgetArea, m_pDock);
    m_pBar->SetCommandTarget([this](int id) { OnCommand(id); });
    m_pDoc->SetApplyOrientation([this] { m_pBar->ZeroRotationsAndUpdate(); });
    m_pBar->SetFolders(&app.m_strDirCrystal, &app.m_strDirSpectrum, app.m_strProgramDir);

    m_pView = new CXelmorView(m_pDoc, params, &app.Settings(), this);
    setCentralWidget(m_pView);

    // The spot details, hidden until "&More..." or a double click shows them; closing the
    // dialog only hides it.
    m_pSelSpot = new CDlgSelSpot(this);
    m_pSelSpot->hide();
    m_pBar->SetSpotDialog(m_pSelSpot);

    // The look-up table, hidden until asked for; it keeps its contents while hidden.
    m_pLUT = new CDlgLUT(this);
    m_pLUT->hide();
    m_pLUT->SetParameters(params);
    m_pLUT->SetCommandTarget([this](int id) { OnCommand(id); });
    m_pLUT->SetControlPanel(m_pBar);
    m_pLUT->SetProgramDir(app.m_strProgramDir);

    // The unit converter, hidden until asked for, with degree and wavelength editable; it keeps
    // its fields while hidden.
    m_pUnitConvert = new CDlgUnitConvert(1, 0, this);
    m_pUnitConvert->hide();
    m_pView->SetSelectionTargets(m_pBar, m_pSelSpot, m_pLUT);

    BuildMenus();

    connect(m_pDoc, &CXelmorDoc::TitleChanged, this, &CMainFrame::OnTitleChanged);
    connect(m_pDoc, &CXelmorDoc::Updated, this, [this] {
        m_pView->OnUpdate();
        UpdateCommandUI();
    });
    connect(m_pDoc, &CXelmorDoc::SpotCountChanged, m_pBar, &CFullControlBar::SetSpotCountText);
    connect(m_pDoc, &CXelmorDoc::ParametersChanged, m_pBar, &CFullControlBar::ValuesToControls);
    connect(m_pDoc, &CXelmorDoc::LevelsChanged, m_pBar, &CFullControlBar::ShowLevels);
    connect(m_pDoc, &CXelmorDoc::SelectionCleared, m_pBar, &CFullControlBar::ClearSelectedSpot);
    connect(m_pDoc, &CXelmorDoc::SelectionCleared, m_pSelSpot, &CDlgSelSpot::Clear);
    connect(m_pDock, &QDockWidget::visibilityChanged, this, [this] { UpdateCommandUI(); });
    OnTitleChanged(m_pDoc->Title());

    // The frame's size is known once the window system has shown it.
    winId();
    windowHandle()->installEventFilter(this);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    // Closing the window while it is destroyed hides the dock and may expose the window; by
    // then the menu items are gone.
    disconnect(m_pDock, nullptr, this, nullptr);
    disconnect(m_pDoc, nullptr, this, nullptr);
    if (QWindow* window = windowHandle())
        window->removeEventFilter(this);
}

void CMainFrame::BuildMenus() {
    std::map<QString, QMenu*> menus;
    std::map<std::pair<QString, QString>, QMenu*> submenus;
    for (const CommandEntry& e : CommandTable()) {
        const int id = e.id;
        QAction* action = nullptr;
        if (e.menu) {
            const QString menuText = QString::fromLatin1(e.menu);
            QMenu*& menu = menus[menuText];
            if (!menu) {
                menu = menuBar()->addMenu(menuText);
                connect(menu, &QMenu::aboutToShow, this, [this, menu] {
                    if (menu == m_pFileMenu)
                        RebuildRecentFiles();
                    UpdateCommandUI();
                });
                if (menuText == QLatin1String("&File"))
                    m_pFileMenu = menu;
            }
            QMenu* target = menu;
            if (e.submenu) {
                QMenu*& sub = submenus[{menuText, QString::fromLatin1(e.submenu)}];
                if (!sub) {
                    if (e.separatorBefore)
                        menu->addSeparator();
                    sub = menu->addMenu(QString::fromLatin1(e.submenu));
                }
                target = sub;
            } else if (e.separatorBefore) {
                target->addSeparator();
            }
            action = target->addAction(QString::fromLatin1(e.text));
            if (id == ID_FILE_MRU_FILE1)
                m_pRecentAnchor = action;
        } else if (e.shortcut) {
            // A key of the window with no menu item of its own.
            action = new QAction(QString::fromLatin1(e.text), this);
            addAction(action);
        }
        if (!action)
            continue;
        action->setObjectName(QStringLiteral("id%1").arg(id));
        if (e.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(e.shortcut)));
        if (FindColor(kSpotColors, id) || FindColor(kFontColors, id))
            action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        m_actions[id] = action;
    }
}

void CMainFrame::RebuildRecentFiles() {
    // The items of the recent documents stand in place of the greyed "Recent File".
    for (int i = 1; i < kRecentFileCount; ++i)
        if (QAction* old = Action(ID_FILE_MRU_FILE1 + i)) {
            m_actions.erase(ID_FILE_MRU_FILE1 + i);
            delete old;
        }
    const CRecentFileList& recent = m_app.RecentFiles();
    QAction* first = m_pRecentAnchor;
    first->setText(recent.Size() > 0 ? recent.MenuText(0) : QStringLiteral("Recent File"));
    QAction* before = nullptr;
    const QList<QAction*> items = m_pFileMenu->actions();
    const qsizetype at = items.indexOf(first);
    if (at >= 0 && at + 1 < items.size())
        before = items[at + 1];
    for (int i = 1; i < recent.Size(); ++i) {
        const int id = ID_FILE_MRU_FILE1 + i;
        auto* action = new QAction(recent.MenuText(i), m_pFileMenu);
        action->setObjectName(QStringLiteral("id%1").arg(id));
        m_pFileMenu->insertAction(before, action);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        m_actions[id] = action;
    }
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

bool CMainFrame::IsEnabled(int id) const {
    const CommandEntry* e = FindCommand(id);
    if (!e || e->owner == CommandOwner::None)
        return false;
    switch (id) {
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_EXPORT_TEXTFILE:
    case ID_LAB_ORIENTATION:
        return m_app.m_bStarted == 1 && !m_pDoc->Spots().empty();
    case ID_SHOW_CONTROL_PANEL:
        return m_pDock->isHidden();
    default:
        break;
    }
    if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + kRecentFileCount)
        return id - ID_FILE_MRU_FILE1 < m_app.RecentFiles().Size();
    return true;
}

void CMainFrame::UpdateCommandUI() {
    const CParameterSet& p = m_app.m_Params;
    for (const auto& [id, action] : m_actions)
        action->setEnabled(IsEnabled(id));
    if (QAction* a = Action(ID_VIEW_CROSSLINE))
        a->setText(p.m_bCrossline ? QStringLiteral("Hide &Crossline")
                                  : QStringLiteral("Show &Crossline"));
    if (QAction* a = Action(ID_VIEW_SPOT000))
        a->setText(p.m_bShowSpot000 ? QStringLiteral("Hide &Spot 000")
                                    : QStringLiteral("&Show Spot 000"));
    for (const ColorItem& c : kSpotColors)
        Action(c.id)->setChecked(p.m_SpotColor == c.color);
    for (const ColorItem& c : kFontColors)
        Action(c.id)->setChecked(p.m_FontColor == c.color);
}

CommandOwner CMainFrame::OnCommand(int id) {
    const CommandEntry* e = FindCommand(id);
    if (!e || !IsEnabled(id))
        return CommandOwner::None;
    switch (e->owner) {
    case CommandOwner::App:
        m_app.OnCommand(id);
        break;
    case CommandOwner::Frame:
        OnFrameCommand(id);
        break;
    case CommandOwner::Doc:
        m_pDoc->OnCommand(id, this);
        break;
    case CommandOwner::View:
        m_pView->OnCommand(id);
        break;
    case CommandOwner::Panel:
        m_pBar->OnCommand(id);
        break;
    case CommandOwner::FixReflRot: // the rotation-around-G dialog comes with its tool
        break;
    case CommandOwner::None:
        return CommandOwner::None;
    }
    UpdateCommandUI();
    return e->owner;
}

void CMainFrame::OnFrameCommand(int id) {
    if (const ColorItem* c = FindColor(kSpotColors, id)) {
        SetSpotColor(c->color);
        return;
    }
    if (const ColorItem* c = FindColor(kFontColors, id)) {
        SetFontColor(c->color);
        return;
    }
    switch (id) {
    case ID_SPECTRUM:
        m_pBar->OnSpectrum();
        break;
    case ID_CALIB_ZOOM:
        OnCalibZoom();
        break;
    case ID_SHOW_CONTROL_PANEL:
        OnShowControlPanel();
        break;
    case ID_SHOW_LUT:
        OnShowLookUpTable();
        break;
    case ID_INDEX_FONT:
        OnIndexFont();
        break;
    case ID_ANGLE_PLANES:
        OnAnglePlanes();
        break;
    case ID_UNIT_CONVERSION:
        OnUnitConversion();
        break;
    case ID_FOCUS_LUT:
        m_pLUT->FocusTable();
        break;
    case ID_INTENSITY_MODEL: {
        CDlgEquation dialog(this);
        RunModal(dialog);
        break;
    }
    default:
        break;
    }
}

void CMainFrame::SetSpotColor(int color) {
    CParameterSet& p = m_app.m_Params;
    if (p.m_SpotColor == color)
        return;
    p.m_SpotColor = color;
    OnCommand(ID_INVALIDATE_VIEW);
}

void CMainFrame::SetFontColor(int color) {
    CParameterSet& p = m_app.m_Params;
    if (p.m_FontColor == color)
        return;
    p.m_FontColor = color;
    OnCommand(ID_INVALIDATE_VIEW);
}

void CMainFrame::OnCalibZoom() {
    CParameterSet& p = m_app.m_Params;
    CDlgCalibZoom dialog({p.m_nCalibZoom / 10.0, p.m_bZoomCalibrated != 0}, this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    const int calibZoom = CalibZoomOf(dialog.Values().lengthMm);
    SetZoomCalibration(p, calibZoom);
    WriteCalibZoom(m_app.Settings(), calibZoom);
    OnCommand(ID_ZOOM_CALIB);
    // The label heights are real sizes, so the fonts follow the calibration.
    m_pView->CreateIndexFonts(true, true);
    OnCommand(ID_INVALIDATE_VIEW);
}

void CMainFrame::OnShowControlPanel() {
    // A closed dock widget comes back docked or floating where it was.
    m_pDock->show();
    m_pDock->raise();
}

void CMainFrame::OnIndexFont() {
    CParameterSet& p = m_app.m_Params;
    CDlgIndexFont dialog(IndexFontsOf(p), this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    const IndexFontChange change = StoreChangedIndexFonts(m_app.Settings(), p, dialog.Values());
    if (change.screenFont || change.printFont)
        m_pView->CreateIndexFonts(change.screenFont, change.printFont);
    OnCommand(ID_INVALIDATE_VIEW);
}

void CMainFrame::OnAnglePlanes() {
    const CParameterSet& p = m_app.m_Params;
    CAngles dialog({AngleStartIndices(p), p.nAtoms() < 1, p.m_Recip}, this);
    RunModal(dialog);
}

void CMainFrame::OnUnitConversion() {
    m_pUnitConvert->show();
    m_pUnitConvert->raise();
    m_pUnitConvert->activateWindow();
}

void CMainFrame::OnShowLookUpTable() {
    if (!m_pBar->CheckInputs())
        return;
    m_pLUT->ShowTable();
}

void CMainFrame::OnTitleChanged(const QString& title) {
    setWindowTitle(FrameTitle(title));
}

FramePlacement CMainFrame::CurrentPlacement() {
    // A minimised window is restored first, so that its normal rectangle is the one stored.
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    FramePlacement place;
    if (isMaximized()) {
        place.maximised = true;
        return place;
    }
    const QRect outer = frameGeometry();
    place.x = outer.x();
    place.y = outer.y();
    place.cx = outer.width();
    place.cy = outer.height();
    return place;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    const LastFolders folders{m_app.m_strDirSpectrum.toStdString(),
                              m_app.m_strDirCrystal.toStdString()};
    WriteExitValues(m_app.Settings(), CurrentPlacement(), folders, m_app.m_Params);
    m_app.SaveStdProfileSettings();
    event->accept();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && m_wantedOuter.isValid()) {
        switch (event->type()) {
        case QEvent::Expose:
            if (!windowHandle()->isExposed())
                break;
            // Stop adjusting a while after the first show: from then on the user places it.
            QTimer::singleShot(kFrameSettleMs, this, [this] { m_wantedOuter = QRect(); });
            [[fallthrough]];
        case QEvent::Move:
        case QEvent::Resize:
            FitOuterSize();
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::FitOuterSize() {
    if (!m_wantedOuter.isValid() || isMaximized() || isMinimized())
        return;
    const QMargins frame = windowHandle()->frameMargins();
    if (frame.isNull())
        return;
    const QRect wanted = m_wantedOuter;
    m_wantedOuter = QRect();
    resize(wanted.width() - frame.left() - frame.right(),
           wanted.height() - frame.top() - frame.bottom());
    move(wanted.topLeft());
}

} // namespace xelmor
