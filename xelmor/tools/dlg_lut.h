// The look-up table of lattice-plane pairs and triplets: a modeless window that lives for the
// whole run of the program, created hidden with the main window and shown on demand. The view
// writes the positions of the two marked spots into it; it searches plane pairs and triplets
// whose angles match the spots, and simulates the orientation of a listed row.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

#include "xelmor/core/lut.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace xelmor {

class CEdit_Color;
class CFullControlBar;

class CDlgLUT : public QDialog {
    Q_OBJECT
public:
    explicit CDlgLUT(QWidget* parent = nullptr);

    // The parameter set the table works on; the view hands it over when it is first set up.
    void SetParameters(CParameterSet* params) { m_pBar = params; }
    // Where the table sends its commands (the main window's routing): 32956 after the markers
    // change, 32965 after a simulation.
    void SetCommandTarget(std::function<void(int)> send) { m_send = std::move(send); }
    // The control panel whose update cycle "Simulate Pattern" runs.
    void SetControlPanel(CFullControlBar* panel) { m_pPanel = panel; }
    // The program folder, which holds the help document.
    void SetProgramDir(const QString& dir) { m_strProgramDir = dir; }

    // The position edits "x, y" in mm: the Major spot (1231) and the 2nd spot (1104).
    QLineEdit* MajorPosition() const { return m_pMajor; }
    QLineEdit* SecondPosition() const { return m_pSecond; }

    // Shows the window and brings it to the front.
    void ShowTable();
    // Gives the focus back to the table (after a simulation it ran).
    void FocusTable();

    // The table's state (the candidates, the rows, the measured directions).
    const CLookUpTable& Table() const { return m_Table; }

    // The buttons' operations.
    void OnSearchPairs();
    void OnSavePairs();
    void OnSearchTriplets();
    void OnSimulate();
    void OnSwap();
    // d = 0 applies the typed positions; 1..8 move a spot by one step (see MoveSpot).
    void OnMoveSpot(int d);
    // Limit edit i (0 Hmax, 1 Kmax, 2 Lmax) by delta.
    void OnLimit(int i, int delta);
    void OnBackToSaved();
    void OnHelp();

protected:
    // Enter never closes the table; on a focused button it presses that button.
    void accept() override {}
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Send(int id);
    void OnSelectionChanged(int row);
    void FillList();
    void SelectRow(int row);
    int SelectedRow() const;
    void WritePositions();
    void SetLimitTexts(const std::array<std::string, 3>& texts);
    std::array<std::string, 3> LimitTexts() const;

    CParameterSet* m_pBar = nullptr;
    CFullControlBar* m_pPanel = nullptr;
    std::function<void(int)> m_send;
    QString m_strProgramDir;
    CLookUpTable m_Table;
    bool m_bFilling = false; // the list changes by program, not by the user

    QLineEdit* m_pMajor = nullptr;     // 1231
    QLineEdit* m_pSecond = nullptr;    // 1104
    QComboBox* m_pStep = nullptr;      // 1223
    CEdit_Color* m_pAngle = nullptr;   // 1233
    QComboBox* m_pTolerance = nullptr; // 1241
    QLineEdit* m_pLimit[3] = {};       // 1106, 1107, 1108
    QListWidget* m_pList = nullptr;    // 1235
    QLabel* m_pCount = nullptr;        // 1239
    QPushButton* m_pSwap = nullptr;    // 1247
};

} // namespace xelmor
