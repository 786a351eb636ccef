// The "Help for Crystal Rotation around XYZ axes" dialog: explains the three-circle goniometer
// and selects the sequence of the three rotations, with a default kept in the settings.
#pragma once

#include <QDialog>

class QButtonGroup;
class QPushButton;

namespace xelmor {

class SettingsStore;

class CDlgHelpCrystRot : public QDialog {
    Q_OBJECT
public:
    // `sequence`: 0 YXZ, 1 YZX, 2 XYZ, 3 XZY, 4 ZXY, 5 ZYX. "Set as Default" writes `settings`.
    CDlgHelpCrystRot(int sequence, SettingsStore* settings, QWidget* parent = nullptr);

    // The selected sequence.
    int Sequence() const { return m_nSequence; }

private:
    void OnSelect(int sequence);
    void OnSetAsDefault();

    int m_nSequence;
    int m_nOpening; // the sequence at opening: OK is enabled only for another one
    SettingsStore* m_pSettings;
    QPushButton* m_pOk = nullptr;
};

} // namespace xelmor
