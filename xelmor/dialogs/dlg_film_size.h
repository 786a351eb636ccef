// The size dialog in its two modes: the CCD or film size ("CCD/Film Size") and the drawn spot
// size ("Diffraction Spot Size"), each with its limits and "Set as Default".
#pragma once

#include <QDialog>

class QLineEdit;

namespace xelmor {

class SettingsStore;

// What the dialog edits, in mm.
struct SizeDialogValues {
    bool spotMode = false;               // false: the detector, true: the spots
    double upper = 5000.0, lower = 20.0; // limits; the spot mode uses 0.01 .. 20 whatever is given
    double width = 0.0, height = 0.0;

    bool operator==(const SizeDialogValues&) const = default;
};

class CDlgFilmSize : public QDialog {
    Q_OBJECT
public:
    // "Set as Default" writes into `settings`.
    CDlgFilmSize(const SizeDialogValues& values, SettingsStore* settings,
                 QWidget* parent = nullptr);

    // The values, with the typed width and height once OK was accepted.
    const SizeDialogValues& Values() const { return m_Values; }

    void accept() override;

private:
    // Reads both edits; a value outside the limits shows "Enter a number between %g and %g."
    // and puts the focus on its edit.
    bool Validate();
    void OnSetAsDefault();

    SizeDialogValues m_Values;
    SettingsStore* m_pSettings;
    QLineEdit* m_pWidth;
    QLineEdit* m_pHeight;
};

} // namespace xelmor
