// The control panel docked beside the pattern: the controls that edit the parameter set (zoom,
// distance, crystal rotation, detector tilt and shift, intensity levels, spot size), the update
// cycle that reads, checks and corrects them and starts a run, the panel's buttons and its
// right-click menu.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

#include "xelmor/core/params.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace xelmor {

class SettingsStore;
class CStepButton;
class CEdit_Enter;
class CCombo_EnterSel;
class CBtnRightClk;
class CEdit_Color;
class CGoniometerPicture;

// The item "Reset parameters to 0" of the panel's right-click menu.
inline constexpr int ID_RESET_PARAMS_TO_0 = 32898;
// The panel's own buttons that run a command of the panel: "Update" / "Pattern" and "N".
inline constexpr int ID_PANEL_UPDATE = 1003;
inline constexpr int ID_PANEL_NORMALISE = 1045;

class CFullControlBar : public QWidget {
    Q_OBJECT
public:
    // Builds every control and reads the zoom calibration and the label font values from the
    // settings once, as the panel's initialisation does. The controls show the parameter set.
    CFullControlBar(CParameterSet* params, SettingsStore* settings, QWidget* parent = nullptr);
    ~CFullControlBar() override;

    QSize sizeHint() const override;

    // Where the panel sends its commands (the main window's routing).
    void SetCommandTarget(std::function<void(int)> send) { m_send = std::move(send); }
    // The spot-details dialog that "&More..." shows.
    void SetSpotDialog(QWidget* dialog) { m_pSpotDialog = dialog; }

    // A command delivered to the panel: 32871 and 1003 run the update cycle, 1045 normalises,
    // 32898 resets the angles, tilt and shifts to 0, 32935 (Enter in the Reflection box) is
    // passed on to the main window, which delivers Find to the view. False for a command the
    // panel does not handle.
    bool OnCommand(int id);
    // The menu's "Spectr&um..." passed on by the main window.
    void OnSpectrum();

    // The folders the crystal and spectrum dialogs start in and update, and the program folder
    // with the example files (the application keeps them).
    void SetFolders(QString* dirCrystal, QString* dirSpectrum, QString programDir);

    // The input check of the look-up table and of a run: a spectrum, a crystal and a geometry
    // must be present. Otherwise shows the warning of the first one missing, gives the focus to
    // the panel button that supplies it and returns false.
    bool CheckInputs();

    // The update cycle: checks the inputs (on a failure the rotation, tilt and shift edits show
    // "0" and nothing runs), reads the zoom, distance, angles, tilt, shifts and levels into the
    // parameter set with every correction shown in its control, asks the view for a new scale
    // when the zoom changed, and starts the simulation run.
    void OnUpdateBar();

    // Writes every parameter into its control (lengths in mm, levels in percent) and sets the
    // rotation and detector labels.
    void ValuesToControls();
    // The axis labels of the three rotations and the tilt and shift labels.
    void SetRotationLabels();

    // The Crystal and Geometry buttons. Each first checks what it needs (a spectrum; a crystal),
    // showing the warning and zeroing the rotation, tilt and shift edits when it is missing.
    void OnCrystal();
    void OnGeometry();

public slots:
    // The spot-count text (" 0 spots" at start, emptied by a reset, "N spots" after a run).
    void SetSpotCountText(const QString& text);
    // The levels a run used, as its saturate and truncate boxes show them.
    void ShowLevels();
    // The selection is gone: the Reflection and Wavelength boxes are emptied.
    void ClearSelectedSpot();
    // A spot was selected: the Reflection and Wavelength boxes show its texts.
    void ShowSelectedSpot(const QString& reflection, const QString& wavelength);

public:
    // The Reflection box, read and written by Find.
    QString ReflectionText() const;
    void SetReflectionText(const QString& text);
    void FocusReflection();

    // A tool set a new orientation: the rotation edits show "0" and the update cycle runs.
    void ZeroRotationsAndUpdate();

protected:
    // A right click on the panel's background (not on a control) offers "Reset parameters to 0".
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Plain buttons keep their right click from the panel's menu. Alt+F, the mnemonic of
    // "&Find", clicks Find while the focus is in the panel; elsewhere in the window it stays
    // the File menu's.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    bool IsFindKey(const QEvent* event) const;
    void Send(int id);
    // Runs `action` once the events now waiting have been handled (a posted command).
    void Post(std::function<void()> action);
    // Shows the warning of a missing input and gives the focus to the button that supplies it;
    // with `zeroEdits` the rotation, tilt and shift edits show "0".
    void RefuseInputs(SimulateBlock block, bool zeroEdits);
    void ZeroSixEdits();
    void OnNormalise();
    void OnResetToZero();
    void OnZoomPicked(int index);
    void OnDarkGray();
    void OnIncreaseSpots();
    void OnReduceSpots();
    void OnShowIndex();
    // Buttons whose dialogs are not part of the program yet.
    void OnRotationSequenceHelp();
    void OnFilmHelp();
    void OnIntensityHelp();
    void OnRotateAroundG();
    void OnFind();
    void OnMore();

    CParameterSet* m_pParams;
    SettingsStore* m_pSettings;
    std::function<void(int)> m_send;
    QString m_strNoFolder;
    QString* m_pDirCrystal = &m_strNoFolder;
    QString* m_pDirSpectrum = &m_strNoFolder;
    QString m_strProgramDir;

    QPushButton* m_pCrystal = nullptr;  // 1005
    QPushButton* m_pGeometry = nullptr; // 1006
    CCombo_EnterSel* m_pZoom = nullptr; // 1072
    CEdit_Enter* m_pD = nullptr;        // 1070
    CStepButton* m_pDPlus = nullptr;    // 1023 / 1062
    CStepButton* m_pDMinus = nullptr;
    QPushButton* m_pUpdate = nullptr; // 1003
    QLabel* m_pRotLabel[3] = {};      // 1101, 1102, 1084
    CEdit_Enter* m_pRot[3] = {};      // 1075, 1076, 1083
    CStepButton* m_pRotPlus[3] = {};
    CStepButton* m_pRotMinus[3] = {};
    CGoniometerPicture* m_pPicture = nullptr; // 1112
    QLabel* m_pTiltLabel = nullptr;           // 1081
    CEdit_Enter* m_pTilt = nullptr;           // 1032
    CStepButton* m_pTiltPlus = nullptr;
    CStepButton* m_pTiltMinus = nullptr;
    QLabel* m_pShiftYLabel = nullptr; // 1091
    CEdit_Enter* m_pShiftY = nullptr; // 1036
    CStepButton* m_pShiftYPlus = nullptr;
    CStepButton* m_pShiftYMinus = nullptr;
    QLabel* m_pShiftXLabel = nullptr; // 1090
    CEdit_Enter* m_pShiftX = nullptr; // 1033
    CStepButton* m_pShiftXPlus = nullptr;
    CStepButton* m_pShiftXMinus = nullptr;
    CCombo_EnterSel* m_pSaturate = nullptr; // 1073
    CCombo_EnterSel* m_pTruncate = nullptr; // 1074
    CEdit_Enter* m_pReflection = nullptr;   // 1078
    CEdit_Color* m_pWavelength = nullptr;   // 1052
    QPushButton* m_pFind = nullptr;         // 1055
    QLabel* m_pSpotCount = nullptr;         // 1167
    QWidget* m_pSpotDialog = nullptr;
};

} // namespace xelmor
