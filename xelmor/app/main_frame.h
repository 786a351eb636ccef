// The main window of Xelmor: the menu bar and the window's shortcuts built from the command
// table, the routing of every command to its owner, the enabling and texts of the menu items,
// the docked control panel, and the window placement kept in the settings.
#pragma once

#include <QMainWindow>
#include <QRect>

#include <map>

#include "xelmor/app/command_table.h"
#include "xelmor/files/settings_values.h"

class QAction;
class QDockWidget;
class QMenu;

namespace xelmor {

class CDlgLUT;
class CDlgSelSpot;
class CDlgUnitConvert;
class CFullControlBar;
class CXelmorApp;
class CXelmorDoc;
class CXelmorView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Creates the window at the stored placement with the control panel docked on the left and
    // the pattern view in the middle. The application's document must exist.
    explicit CMainFrame(CXelmorApp& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The one routing function: delivers command `id` to the object that owns it. A command
    // that is disabled, unknown, or owned by nobody is dropped. Returns the owner it was
    // delivered to (CommandOwner::None when dropped).
    CommandOwner OnCommand(int id);

    // Whether command `id` may run now (the same decision greys its menu item).
    bool IsEnabled(int id) const;
    // Brings every menu item's enabling, text and check mark up to date.
    void UpdateCommandUI();

    // The menu item or window shortcut of `id`, or nullptr.
    QAction* Action(int id) const;

    CFullControlBar* ControlBar() const { return m_pBar; }
    QDockWidget* ControlDock() const { return m_pDock; }
    CXelmorView* View() const { return m_pView; }
    CDlgSelSpot* SelSpotDialog() const { return m_pSelSpot; }
    CDlgLUT* LookUpTable() const { return m_pLUT; }
    CDlgUnitConvert* UnitConverter() const { return m_pUnitConvert; }

    // The placement the window would store now: maximised, or the outer rectangle of the
    // restored window.
    FramePlacement CurrentPlacement();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void RebuildRecentFiles();
    void OnFrameCommand(int id);
    void OnCalibZoom();
    void OnShowControlPanel();
    void OnShowLookUpTable();
    void OnIndexFont();
    void OnAnglePlanes();
    void OnUnitConversion();
    void SetSpotColor(int color);
    void SetFontColor(int color);
    void OnTitleChanged(const QString& title);
    // Gives the window the stored outer size once the window system reports its frame.
    void FitOuterSize();

    CXelmorApp& m_app;
    CXelmorDoc* m_pDoc;
    CFullControlBar* m_pBar = nullptr;
    QDockWidget* m_pDock = nullptr;
    CXelmorView* m_pView = nullptr;
    CDlgSelSpot* m_pSelSpot = nullptr;
    CDlgLUT* m_pLUT = nullptr;
    CDlgUnitConvert* m_pUnitConvert = nullptr;
    std::map<int, QAction*> m_actions;
    QMenu* m_pFileMenu = nullptr;
    QAction* m_pRecentAnchor = nullptr; // the separator after the recent documents
    QRect m_wantedOuter;                // the stored outer rectangle, until the frame is known
};

} // namespace xelmor
