#include "xelmor/dialogs/dlg_merge_bitmap.h"

#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "structfile/number_format.h"
#include "xelmor/app/seams.h"
#include "xelmor/core/prompts.h"
#include "xelmor/dialogs/dialog_buttons.h"
#include "xelmor/files/settings_values.h"
#include "xelmor/view/recorded_image.h"

namespace xelmor {

namespace {

// The accepted real width, mm.
constexpr double kRealWidthMin = 0.1, kRealWidthMax = 10000.0;
constexpr int kDecimals = 8;

QLineEdit* ShownValue(const char* id, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(id));
    edit->setReadOnly(true);
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 225));
    edit->setPalette(pal);
    return edit;
}

QString Num(double v) {
    return QString::fromStdString(FormatNumber(v, kDecimals));
}

} // namespace

CDlgMergeBitmap::CDlgMergeBitmap(const RecordedImageValues& values, SettingsStore* settings,
                                 QWidget* parent)
    : QDialog(parent), m_Values(values), m_pSettings(settings) {
    setWindowTitle(QStringLiteral("Import a Recorded Laue Pattern Image"));
    m_pFile = ShownValue("id1103", this);
    m_pPixelWidth = ShownValue("id1186", this);
    m_pPixelHeight = ShownValue("id1130", this);
    m_pRealHeight = ShownValue("id1129", this);
    m_pRealWidth = new QLineEdit(this);
    m_pRealWidth->setObjectName(QStringLiteral("id1185"));
    m_pImport = new QPushButton(QStringLiteral("Import..."), this);
    m_pImport->setObjectName(QStringLiteral("id1184"));
    m_pImport->setAutoDefault(false);
    m_pRemove = new QPushButton(QStringLiteral("Remove"), this);
    m_pRemove->setObjectName(QStringLiteral("id1166"));
    m_pRemove->setAutoDefault(false);

    auto* grid = new QGridLayout;
    const auto row = [&](int r, const QString& text, QLineEdit* edit, const QString& unit) {
        auto* label = new QLabel(text, this);
        label->setBuddy(edit);
        grid->addWidget(label, r, 0);
        grid->addWidget(edit, r, 1);
        if (!unit.isEmpty())
            grid->addWidget(new QLabel(unit, this), r, 2);
    };
    row(0, QStringLiteral("File:"), m_pFile, QString());
    row(1, QStringLiteral("Pixel Width:"), m_pPixelWidth, QStringLiteral("pixels"));
    row(2, QStringLiteral("Pixel Height:"), m_pPixelHeight, QStringLiteral("pixels"));
    row(3, QStringLiteral("Real Width:"), m_pRealWidth, QStringLiteral("mm"));
    row(4, QStringLiteral("Real Height:"), m_pRealHeight, QStringLiteral("mm"));
    grid->addWidget(m_pImport, 0, 3);
    grid->addWidget(m_pRemove, 1, 3);

    auto* formats = new QLabel(
        QStringLiteral("Supports bitmap, jpeg formats, and also some tiff (8-bit) formats."), this);
    auto* realSize = new QLabel(
        QStringLiteral("The Real Size is required so as to plot the image in correct size."), this);
    const auto [ok, cancel] = MakeOkCancel(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addWidget(formats);
    top->addWidget(realSize);
    top->addLayout(buttons);

    connect(m_pImport, &QPushButton::clicked, this, &CDlgMergeBitmap::OnImport);
    connect(m_pRemove, &QPushButton::clicked, this, &CDlgMergeBitmap::OnRemove);
    connect(m_pRealWidth, &QLineEdit::textChanged, this, &CDlgMergeBitmap::ShowRealHeight);

    m_pFile->setText(m_Values.fileName);
    m_pPixelWidth->setText(QString::number(m_Values.pixelWidth));
    m_pPixelHeight->setText(QString::number(m_Values.pixelHeight));
    if (!m_Values.fileName.isEmpty() && m_Values.pixelWidth > 0)
        m_Aspect = static_cast<double>(m_Values.pixelHeight) / m_Values.pixelWidth;
    if (!m_Values.fileName.isEmpty()) {
        m_pRealWidth->setText(Num(m_Values.realWidth));
        m_pImport->setEnabled(false);
    } else {
        const std::string fallback = m_pSettings ? ReadDefaultImportBitmapWidth(*m_pSettings)
                                                 : std::string(kDefaultImportBitmapWidthText);
        m_pRealWidth->setText(QString::fromStdString(fallback));
        m_pRemove->setEnabled(false);
        m_pRealWidth->setEnabled(false);
    }
    ShowRealHeight();
}

void CDlgMergeBitmap::ShowRealHeight() {
    m_pRealHeight->setText(Num(ParseDouble(m_pRealWidth->text().toStdString()) * m_Aspect));
}

void CDlgMergeBitmap::OnImport() {
    const QString path = Files().Open(
        this, QStringLiteral("Import an image file"),
        QStringLiteral("*.tif; *.tiff; *.bmp; *.jpg; *.jpeg;|*.tif;*.tiff;*.bmp;*.jpg;*.jpeg;||"),
        QStringLiteral("bmp"), QString());
    if (path.isEmpty())
        return;
    m_pImage.reset();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<RecordedImage> read = LoadRecordedImage(path);
    QApplication::restoreOverrideCursor();
    if (!read) {
        m_Values.fileName.clear();
        m_pFile->clear();
        ShowMessage(this, RecordedImageFailure(path));
        return;
    }
    m_pImage = std::make_unique<QImage>(std::move(read->image));
    m_Values.fileName = QFileInfo(path).fileName();
    m_Values.pixelWidth = read->pixelWidth;
    m_Values.pixelHeight = read->pixelHeight;
    m_Aspect = static_cast<double>(read->pixelHeight) / read->pixelWidth;
    m_pFile->setText(m_Values.fileName);
    m_pPixelWidth->setText(QString::number(m_Values.pixelWidth));
    m_pPixelHeight->setText(QString::number(m_Values.pixelHeight));
    m_pRemove->setEnabled(true);
    m_pImport->setEnabled(false);
    m_pRealWidth->setEnabled(true);
    ShowRealHeight();
}

void CDlgMergeBitmap::OnRemove() {
    m_pImage.reset();
    m_Values.fileName.clear();
    m_pFile->clear();
    m_pRemove->setEnabled(false);
    m_pImport->setEnabled(true);
    m_pRealWidth->setEnabled(false);
}

void CDlgMergeBitmap::accept() {
    if (m_Values.fileName.isEmpty())
        m_pRealWidth->setText(QStringLiteral("1")); // passes the range check
    const double width = ParseDouble(m_pRealWidth->text().toStdString());
    if (!(width >= kRealWidthMin && width <= kRealWidthMax)) {
        ShowMessage(this,
                    MakeMessage(NumberRangePrompt(kRealWidthMin, kRealWidthMax), MsgIcon::None));
        m_pRealWidth->setFocus();
        m_pRealWidth->selectAll();
        return;
    }
    // Only a width that is taken becomes the default of the next first import.
    if (!m_Values.fileName.isEmpty() && m_pSettings)
        StoreDefaultImportBitmapWidth(*m_pSettings, width);
    m_Values.realWidth = width;
    QDialog::accept();
}

} // namespace xelmor
