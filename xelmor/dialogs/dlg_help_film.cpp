#include "xelmor/dialogs/dlg_help_film.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "xelmor/dialogs/dialog_pictures.h"

namespace xelmor {

CDlgHelpFilm::CDlgHelpFilm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("id356"));
    setWindowTitle(QStringLiteral("Help for Setting CCD or X-ray Film"));

    auto* text = new QLabel(
        QStringLiteral(
            "Transmission: the screen shows the pattern looking along the incidence direction "
            "(-z'). The axes x and y are bound to the CCD. The CCD may be tilted about its x "
            "axis; a tilt greater than 0 is counter-clockwise. D is the distance from the "
            "crystal to O, the perpendicular foot of the crystal on the CCD; O is the crossing "
            "of the crosslines on the screen. The CCD may be shifted along x and y.\n\n"
            "Back reflection: the screen looks along +z'. +x still points to the right of the "
            "screen, so it is opposite to that of transmission, and a tilt greater than 0 is "
            "clockwise.\n\n"
            "In both geometries the tilt may range from -360 to +360 degrees. A CCD tilted +45 "
            "degrees in back reflection sits where one tilted +135 degrees sits in "
            "transmission, but its pattern on the screen is turned by 180 degrees, because the "
            "two geometries use different x, y axes.\n\n"
            "In the Diffraction Geometry dialog the normal of the crystal surface plane (HKL) "
            "is the z' axis, and the horizontal orientation (hkl) is the normal of the side "
            "surface drawn in blue in the picture there, which is the x' axis."),
        this);
    text->setWordWrap(true);
    text->setObjectName(QStringLiteral("filmHelpText"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("id1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CDlgHelpFilm::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new CFilmHelpPicture(this), 0, Qt::AlignHCenter);
    layout->addWidget(text);
    layout->addLayout(buttons);
    setMinimumWidth(480);
}

} // namespace xelmor
