// Turning the crystal about a fixed reflection G: the reflection is set to diffract into the
// marked point, then the crystal turns about it by a typed angle, by steps, or automatically at
// a fixed interval (AutoRotate), while that spot stays where it is.
#pragma once

#include <QDialog>

#include <functional>

#include "xelmor/core/fix_refl.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace xelmor {

struct CParameterSet;
class CStepButton;

class CDlgFixReflRot : public QDialog {
    Q_OBJECT
public:
    // `apply` puts "0" into the panel's rotation edits and runs its update cycle (which reads
    // the panel and simulates); `redraw` redraws the view without simulating.
    CDlgFixReflRot(CParameterSet* params, std::function<void()> apply, std::function<void()> redraw,
                   QWidget* parent = nullptr);
    ~CDlgFixReflRot() override;

    // Reads G, the reference direction and the angle, orients the crystal and simulates.
    // False when the input was refused (after its message).
    bool OnUpdate();
    // Starts AutoRotate when it is stopped, stops it when it runs.
    void OnAutoRotate();
    // One AutoRotate step: the step and interval read and limited, the angle advanced, Update.
    void AutoRotateStep();
    bool IsAutoRotating() const { return m_bAutoRotating; }
    // The interval of the AutoRotate timer, ms.
    int AutoRotateIntervalMs() const;

    // The triad fixed when the dialog opened, and how it was found.
    const TriadResult& Triad() const { return m_triad; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnPerpendicular();
    void OnSpotSize(bool increase);
    void SetAutoControls(bool running);
    QLineEdit* Edit(int i) const { return m_pHkl[i]; }

    CParameterSet* m_pBar;
    std::function<void()> m_apply, m_redraw;
    TriadResult m_triad;
    bool m_bAutoRotating = false;
    bool m_bPlaced = false;
    QLineEdit* m_pHkl[3] = {};
    QLineEdit* m_pAngle = nullptr;
    CStepButton* m_pPlus = nullptr;
    CStepButton* m_pMinus = nullptr;
    QPushButton* m_pAuto = nullptr;
    QPushButton* m_pUpdate = nullptr;
    QComboBox* m_pStep = nullptr;
    QComboBox* m_pInterval = nullptr;
    QTimer* m_pTimer = nullptr;
};

} // namespace xelmor
