// The picture of the rotation group: the crystal at the origin of the lab axes X (horizontal),
// Y (up) and Z (towards the X-ray source), with an arrow around each axis for the positive
// sense of a rotation about it. Drawn in code, scaled to the widget.
#pragma once

#include <QWidget>

namespace xelmor {

class CGoniometerPicture : public QWidget {
    Q_OBJECT
public:
    explicit CGoniometerPicture(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace xelmor
