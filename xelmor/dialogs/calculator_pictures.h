// The pictures of the calculators and the intensity help, drawn in code: two lattice planes with
// their normals, the typeset intensity equation, and the intensity bar.
#pragma once

#include <QString>
#include <QWidget>

namespace xelmor {

// Two lattice planes seen edge-on with their normals G1 and G2 and the angle between them.
class CAnglePicture : public QWidget {
public:
    explicit CAnglePicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;
};

// The intensity formula of the simulation and the atomic scattering factor, typeset with
// fractions, powers and the sum sign. Its accessible description is the formula as text.
class CEquationPicture : public QWidget {
public:
    explicit CEquationPicture(QWidget* parent = nullptr);

    // The picture's content as plain text.
    static QString PlainText();

protected:
    void paintEvent(QPaintEvent*) override;
};

// The intensity axis from 0 to Imax with the marks Itrunct and Isat: 255 grey levels between 0
// and Isat, all black between Isat and Imax, and nothing below Itrunct.
class CIntensityBarPicture : public QWidget {
public:
    explicit CIntensityBarPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace xelmor
