// The "Help for Adjusting Intensity" dialog: how the saturation and truncation levels turn
// intensities into grey levels, with a picture of the intensity bar.
#pragma once

#include <QDialog>

namespace xelmor {

class CDlgHelpIntensity : public QDialog {
    Q_OBJECT
public:
    explicit CDlgHelpIntensity(QWidget* parent = nullptr);
};

} // namespace xelmor
