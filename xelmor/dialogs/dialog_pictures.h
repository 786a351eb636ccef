// The pictures of the crystal, geometry, rotation-sequence and film-help dialogs, drawn in code.
#pragma once

#include <QWidget>

namespace xelmor {

// A unit cell with its edges a, b, c and the angles alpha, beta, gamma between them.
class CUnitCellPicture : public QWidget {
public:
    explicit CUnitCellPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;
};

// The frame of the geometry dialog: the picture of the current geometry, transmission or back
// reflection, drawn unscaled 5 pixels right of and 11 pixels below the frame's top-left corner.
class CGeometryPicture : public QWidget {
public:
    explicit CGeometryPicture(QWidget* parent = nullptr);

    void SetBackReflection(bool back);
    bool BackReflection() const { return m_bBack; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool m_bBack = false;
};

// The three-circle goniometer with its crystal-bound axes X, Y, Z and the laboratory axes.
class CGoniometerAxesPicture : public QWidget {
public:
    explicit CGoniometerAxesPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;
};

// The detector: its axes x and y, the origin O at the crystal's perpendicular foot, the
// distance D and the sense of a positive tilt, in both geometries.
class CFilmHelpPicture : public QWidget {
public:
    explicit CFilmHelpPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace xelmor
