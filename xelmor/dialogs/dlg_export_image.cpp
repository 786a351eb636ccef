#include "xelmor/dialogs/dlg_export_image.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "structfile/number_format.h"
#include "xelmor/app/seams.h"
#include "xelmor/core/export_layout.h"

namespace xelmor {

namespace {

constexpr const char* kIgnoreList[] = {"75%", "50%", "25%", "10%", "5%", "1%", "0.1%", "0.01%"};

QString Id(int id) {
    return QStringLiteral("id%1").arg(id);
}

// An edit that takes digits only.
QLineEdit* DigitsEdit(int id, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(Id(id));
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

} // namespace

CDlgExportImage::CDlgExportImage(const ExportDialogValues& values, QWidget* parent)
    : QDialog(parent), m_Values(values) {
    setWindowTitle(QStringLiteral("Export Laue Pattern Image"));

    m_pWidth = DigitsEdit(1152, this);
    m_pWidth->setToolTip(QStringLiteral("Image width. Default is: 10 x FilmWidth"));
    m_pHeight = new QLineEdit(this);
    m_pHeight->setObjectName(Id(1180));
    m_pHeight->setReadOnly(true);
    auto* widthLabel = new QLabel(QStringLiteral("&Width:"), this);
    widthLabel->setBuddy(m_pWidth);
    auto* heightLabel = new QLabel(QStringLiteral("&Height:"), this);
    heightLabel->setBuddy(m_pHeight);
    auto* size = new QGridLayout;
    size->addWidget(widthLabel, 0, 0);
    size->addWidget(m_pWidth, 0, 1);
    size->addWidget(new QLabel(QStringLiteral("Pixels"), this), 0, 2);
    size->addWidget(heightLabel, 1, 0);
    size->addWidget(m_pHeight, 1, 1);
    size->addWidget(new QLabel(QStringLiteral("Pixels"), this), 1, 2);

    auto* depth = new QGroupBox(QStringLiteral("Image Attributes for Bitmap"), this);
    m_p16 = new QRadioButton(QStringLiteral("&16-bit per pixel"), depth);
    m_p16->setObjectName(Id(1171));
    m_p24 = new QRadioButton(QStringLiteral("&24-bit per pixel"), depth);
    m_p24->setObjectName(Id(1172));
    auto* depthLayout = new QVBoxLayout(depth);
    depthLayout->addWidget(m_p16);
    depthLayout->addWidget(m_p24);

    m_pIndices = new QCheckBox(QStringLiteral("Plot Reflection Indices"), this);
    m_pIndices->setObjectName(Id(1173));
    m_pSeparators = new QCheckBox(QStringLiteral("with white space as separators"), this);
    m_pSeparators->setObjectName(Id(1174));
    m_pFont = new QComboBox(this);
    m_pFont->setObjectName(Id(1176));
    m_pFont->addItems({QStringLiteral("Arial Narrow"), QStringLiteral("Times New Roman")});
    auto* fontLabel = new QLabel(QStringLiteral("Font:"), this);
    fontLabel->setBuddy(m_pFont);
    m_pFontHeight = DigitsEdit(1177, this);
    m_pFontHeight->setToolTip(QStringLiteral(
        "For default image size. Will change proportionally for other image sizes."));
    auto* fontHeightLabel = new QLabel(QStringLiteral("Font Height:"), this);
    fontHeightLabel->setBuddy(m_pFontHeight);
    m_pXOffset = new QLineEdit(this);
    m_pXOffset->setObjectName(Id(1113));
    m_pXOffset->setToolTip(QStringLiteral("Distance of Index Left from Spot Left"));
    auto* xLabel = new QLabel(QStringLiteral("X-offset:"), this);
    xLabel->setBuddy(m_pXOffset);
    m_pYOffset = new QLineEdit(this);
    m_pYOffset->setObjectName(Id(1115));
    m_pYOffset->setToolTip(QStringLiteral("Distance of Index Bottom from Spot Top"));
    auto* yLabel = new QLabel(QStringLiteral("Y-offset:"), this);
    yLabel->setBuddy(m_pYOffset);
    m_pIgnore = new QComboBox(this);
    m_pIgnore->setObjectName(Id(1178));
    m_pIgnore->setEditable(true);
    m_pIgnore->setInsertPolicy(QComboBox::NoInsert);
    for (const char* item : kIgnoreList)
        m_pIgnore->addItem(QString::fromLatin1(item));
    auto* ignoreLabel =
        new QLabel(QStringLiteral("Ignore the indices of spots with intensities below:"), this);
    ignoreLabel->setBuddy(m_pIgnore);

    auto* labels = new QGridLayout;
    labels->addWidget(m_pIndices, 0, 0, 1, 3);
    labels->addWidget(m_pSeparators, 1, 0, 1, 3);
    labels->addWidget(fontLabel, 2, 0);
    labels->addWidget(m_pFont, 2, 1);
    labels->addWidget(fontHeightLabel, 3, 0);
    labels->addWidget(m_pFontHeight, 3, 1);
    labels->addWidget(new QLabel(QStringLiteral("pixels"), this), 3, 2);
    labels->addWidget(xLabel, 4, 0);
    labels->addWidget(m_pXOffset, 4, 1);
    labels->addWidget(new QLabel(QStringLiteral("pixels"), this), 4, 2);
    labels->addWidget(yLabel, 5, 0);
    labels->addWidget(m_pYOffset, 5, 1);
    labels->addWidget(new QLabel(QStringLiteral("pixels"), this), 5, 2);
    labels->addWidget(ignoreLabel, 6, 0, 1, 3);
    labels->addWidget(m_pIgnore, 7, 1);

    m_pSort = new QCheckBox(QStringLiteral("Sort  Merged Spots"), this);
    m_pSort->setObjectName(Id(1187));
    m_pSort->setToolTip(QStringLiteral("Make strong spots over weak ones"));
    m_pInfo = new QCheckBox(QStringLiteral("Show Information"), this);
    m_pInfo->setObjectName(Id(1188));

    auto* proceed = new QPushButton(QStringLiteral("&Continue..."), this);
    proceed->setObjectName(Id(1));
    proceed->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(Id(2));
    cancel->setAutoDefault(false);
    connect(proceed, &QPushButton::clicked, this, &CDlgExportImage::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgExportImage::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(proceed);
    buttons->addWidget(cancel);

    auto* top = new QVBoxLayout(this);
    top->addLayout(size);
    top->addWidget(depth);
    top->addLayout(labels);
    top->addWidget(m_pSort);
    top->addWidget(m_pInfo);
    top->addWidget(
        new QLabel(QStringLiteral("Can export  Bitmap, JPEG, and TIFF format images"), this));
    top->addLayout(buttons);

    // The values.
    connect(m_pWidth, &QLineEdit::textChanged, this, &CDlgExportImage::OnWidthChanged);
    m_pWidth->setText(QString::number(m_Values.width));
    OnWidthChanged();
    (m_Values.colorDepth == 0 ? m_p16 : m_p24)->setChecked(true);
    m_pIndices->setChecked(m_Values.plotIndices != 0);
    m_pSeparators->setChecked(m_Values.whiteSpaceSep != 0);
    m_pFont->setCurrentIndex(m_Values.fontNo == 0 ? 0 : 1);
    m_pFontHeight->setText(QString::number(m_Values.fontHeight));
    m_pXOffset->setText(QString::number(m_Values.xOffset));
    m_pYOffset->setText(QString::number(m_Values.yOffset));
    m_pIgnore->setEditText(QString::fromStdString(FormatNumber(m_Values.ignorePct, 3)) +
                           QLatin1Char('%'));
    m_pSort->setChecked(m_Values.sortMerged != 0);
    m_pSort->setEnabled(m_Values.sortAvailable);
    m_pInfo->setChecked(m_Values.showInfo != 0);
    connect(m_pIndices, &QCheckBox::toggled, this, &CDlgExportImage::EnableLabelControls);
    EnableLabelControls();
}

void CDlgExportImage::OnWidthChanged() {
    const int width = ParseInt(m_pWidth->text().toStdString());
    m_pHeight->setText(QString::number(ExportHeight(width, m_Values.ratio)));
}

void CDlgExportImage::EnableLabelControls() {
    const bool on = m_pIndices->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(m_pSeparators), static_cast<QWidget*>(m_pFont),
                       static_cast<QWidget*>(m_pFontHeight), static_cast<QWidget*>(m_pXOffset),
                       static_cast<QWidget*>(m_pYOffset), static_cast<QWidget*>(m_pIgnore)})
        w->setEnabled(on);
}

void CDlgExportImage::accept() {
    const int width = ParseInt(m_pWidth->text().toStdString());
    if (std::optional<Message> refused = CheckExportWidth(width, m_Values.ratio)) {
        ShowMessage(this, *refused);
        m_pWidth->setFocus();
        m_pWidth->selectAll();
        return;
    }
    m_Values.width = width;
    m_Values.colorDepth = m_p16->isChecked() ? 0 : 1;
    m_Values.plotIndices = m_pIndices->isChecked() ? 1 : 0;
    m_Values.sortMerged = m_pSort->isChecked() ? 1 : 0;
    m_Values.showInfo = m_pInfo->isChecked() ? 1 : 0;
    if (m_Values.plotIndices) {
        m_Values.whiteSpaceSep = m_pSeparators->isChecked() ? 1 : 0;
        m_Values.fontNo = m_pFont->currentIndex();
        m_Values.fontHeight = ParseInt(m_pFontHeight->text().toStdString());
        m_Values.xOffset = ParseInt(m_pXOffset->text().toStdString());
        m_Values.yOffset = ParseInt(m_pYOffset->text().toStdString());
        m_Values.ignorePct = std::max(0.0, ParseDouble(m_pIgnore->currentText().toStdString()));
    }
    QDialog::accept();
}

} // namespace xelmor
