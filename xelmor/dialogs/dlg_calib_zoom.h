// The zoom calibration dialog: the user measures a bar drawn 100 mm long at 100 % zoom and
// types its real length, so 100 % can be made real size on this screen.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace xelmor {

// What the dialog edits: the measured bar length in mm and whether the screen was calibrated.
struct CalibZoomValues {
    double lengthMm = 100.0;
    bool calibrated = false;
};

class CDlgCalibZoom : public QDialog {
    Q_OBJECT
public:
    explicit CDlgCalibZoom(const CalibZoomValues& values, QWidget* parent = nullptr);

    // The values after OK.
    CalibZoomValues Values() const { return m_values; }

    // Accepts only a length from 1 to 1000000 mm; otherwise shows the range prompt and keeps
    // the dialog open with the length selected.
    void accept() override;

private:
    CalibZoomValues m_values;
    QLineEdit* m_pLength;
};

// The measured length in the stored unit of 0.1 mm, rounded half up: 95.04 mm gives 950.
int CalibZoomOf(double lengthMm);

} // namespace xelmor
