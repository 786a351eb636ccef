#include "xelmor/dialogs/dlg_help_intensity.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "xelmor/dialogs/calculator_pictures.h"

namespace xelmor {

namespace {

QLabel* Paragraph(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

CDlgHelpIntensity::CDlgHelpIntensity(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("id399"));
    setWindowTitle(QStringLiteral("Help for Adjusting Intensity"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Paragraph(
        this, QStringLiteral("Isat = Saturation% x Imax and Itrunct = Truncation% x Imax, where "
                             "Imax is the intensity of the strongest reflection.")));
    layout->addWidget(new CIntensityBarPicture(this), 0, Qt::AlignHCenter);
    layout->addWidget(Paragraph(
        this, QStringLiteral("Between 0 and Isat the intensities are shown in 255 linear gray "
                             "levels. Reflections weaker than Itrunct are discarded; reflections "
                             "at or above Isat are drawn fully black (or red, or blue, as chosen "
                             "in the Spot Color menu).")));
    layout->addWidget(Paragraph(
        this, QStringLiteral("Isat and Itrunct stay unchanged when other parameters change, "
                             "unless the percentages are changed explicitly. So the percentages "
                             "shown move with Imax.")));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("id1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CDlgHelpIntensity::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    setMinimumWidth(500);
}

} // namespace xelmor
