#include "xelmor/dialogs/dlg_spectrum.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "xelmor/app/seams.h"
#include "xelmor/core/spectrum_plot.h"
#include "xelmor/dialogs/first_pattern.h"
#include "xelmor/files/settings_values.h"
#include "xelmor/panel/input_controls.h"

namespace xelmor {

namespace {

constexpr const char* kNoSpectrum = "No Spectrum Loaded Yet.";
constexpr const char* kImportFilter =
    "Spectra (*.spct;*.spectrum)|*.spct;*.spectrum|All Files (*.*)|*.*||";
constexpr const char* kSaveFilter = "Spectrum Text Files (*.spct)|*.spct|All Files (*.*)|*.*||";

// The frame is tall enough for one intensity unit of 250 pixels with its margins.
constexpr int kPlotWidth = 480, kPlotHeight = 290;

// A line as the plot lays it out: from its start up to, not including, its end.
void DrawLine(QPainter& p, const PlotLine& l) {
    const int dx = (l.x2 > l.x1) - (l.x2 < l.x1);
    const int dy = (l.y2 > l.y1) - (l.y2 < l.y1);
    p.drawLine(l.x1, l.y1, l.x2 - dx, l.y2 - dy);
}

} // namespace

CSpectrumPlot::CSpectrumPlot(QWidget* parent) : QWidget(parent) {
    setFixedSize(kPlotWidth, kPlotHeight);
}

void CSpectrumPlot::SetSpectrum(const Spectrum* spectrum) {
    m_pSpectrum = spectrum;
    update();
}

void CSpectrumPlot::paintEvent(QPaintEvent*) {
    static const std::vector<double> kNone;
    const SpectrumPlot plot =
        LayoutSpectrumPlot({0, 0, width(), height()}, m_pSpectrum ? m_pSpectrum->wavelength : kNone,
                           m_pSpectrum ? m_pSpectrum->intensity : kNone);
    QPainter p(this);
    p.setClipRect(rect());
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(Qt::black, 0));
    const PlotPoint tl = plot.boxTopLeft, br = plot.boxBottomRight;
    const QPoint corners[5] = {
        {tl.x, tl.y}, {br.x, tl.y}, {br.x, br.y}, {tl.x, br.y}, {tl.x, tl.y}};
    p.drawPolyline(corners, 5);
    for (const PlotLine& l : plot.ticks)
        DrawLine(p, l);

    const QFontMetrics fm(font());
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(Qt::white);
    for (const PlotLabel& l : plot.labels) {
        const QString text = QString::fromStdString(l.text);
        const int w = fm.horizontalAdvance(text);
        const int x = l.centred ? l.x - w / 2 : l.x;
        p.drawText(QRect(x, l.y, w, fm.height()), Qt::AlignLeft | Qt::AlignTop, text);
    }
    p.setBackgroundMode(Qt::TransparentMode);

    if (plot.curve.size() >= 2) {
        p.setPen(QPen(Qt::red, 2));
        QPolygon curve;
        curve.reserve(static_cast<int>(plot.curve.size()));
        for (const PlotPoint& pt : plot.curve)
            curve << QPoint(pt.x, pt.y);
        p.drawPolyline(curve);
    }
}

CDlgSpectrum::CDlgSpectrum(const SpectrumDialogValues& values, SettingsStore* settings,
                           const QString& dirSpectrum, const QString& programDir, QWidget* parent)
    : QDialog(parent), m_values(values), m_pSettings(settings), m_strDirSpectrum(dirSpectrum),
      m_strProgramDir(programDir),
      m_strExampleFile(QString::fromStdString(DeliveredSpectrumPath(programDir.toStdString()))) {
    setObjectName(QStringLiteral("id319"));
    setWindowTitle(QStringLiteral("Spectrum of Incident X-Ray Beam"));

    auto* nameLabel = new QLabel(QStringLiteral("Spectrum &Name:"), this);
    m_pName = new CEdit_Color(this);
    m_pName->setObjectName(QStringLiteral("id1103"));
    nameLabel->setBuddy(m_pName);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(m_pName, 1);

    m_pPlot = new CSpectrumPlot(this);
    m_pPlot->setObjectName(QStringLiteral("id1109"));
    m_pPlot->SetSpectrum(&m_values.spectrum);
    auto* intensityLabel = new QLabel(QStringLiteral("Normalized\nIntensity"), this);
    intensityLabel->setAlignment(Qt::AlignCenter);
    auto* wavelengthLabel = new QLabel(QStringLiteral("Wavelength (Angstrom)"), this);
    wavelengthLabel->setAlignment(Qt::AlignCenter);
    auto* plotGrid = new QGridLayout;
    plotGrid->addWidget(intensityLabel, 0, 0, Qt::AlignVCenter);
    plotGrid->addWidget(m_pPlot, 0, 1);
    plotGrid->addWidget(wavelengthLabel, 1, 1);

    const ExampleFileRow exampleRow = MakeExampleFileRow(this, m_strExampleFile, 1128);
    QPushButton* formatHelp = exampleRow.formatHelp;
    auto* notepad = new QLabel(QStringLiteral("You can edit *.spct files using Notepad."), this);

    auto* import = new QPushButton(QStringLiteral("&Import Spectrum..."), this);
    import->setObjectName(QStringLiteral("id1105"));
    auto* saveAs = new QPushButton(QStringLiteral("&Save as..."), this);
    saveAs->setObjectName(QStringLiteral("id1108"));
    auto* setDefault = new QPushButton(QStringLiteral("Set as &Default Spectrum"), this);
    setDefault->setObjectName(QStringLiteral("id1100"));
    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setObjectName(QStringLiteral("id1"));
    m_pOk->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("id2"));
    for (QPushButton* b : {import, saveAs, setDefault, cancel, formatHelp})
        b->setAutoDefault(false);
    connect(import, &QPushButton::clicked, this, &CDlgSpectrum::OnImport);
    connect(saveAs, &QPushButton::clicked, this, &CDlgSpectrum::OnSaveAs);
    connect(setDefault, &QPushButton::clicked, this, &CDlgSpectrum::OnSetAsDefault);
    connect(formatHelp, &QPushButton::clicked, this, &CDlgSpectrum::OnFormatHelp);
    connect(m_pOk, &QPushButton::clicked, this, &CDlgSpectrum::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgSpectrum::reject);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_pOk, cancel})
        buttons->addWidget(b);
    buttons->addSpacing(16);
    for (QPushButton* b : {import, saveAs, setDefault})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addLayout(nameRow);
    left->addLayout(plotGrid);
    left->addLayout(exampleRow.layout);
    left->addWidget(notepad);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addSpacing(8);
    top->addLayout(buttons);

    ShowName();
}

void CDlgSpectrum::ShowName() {
    m_pName->setText(m_values.spectrum.Count() < 2
                         ? QString::fromLatin1(kNoSpectrum)
                         : QString::fromStdString(m_values.spectrum.name));
}

void CDlgSpectrum::OnImport() {
    const QString path =
        Files().Open(this, QStringLiteral("Import Spectrum"), QString::fromLatin1(kImportFilter),
                     QStringLiteral("spct"), StartFolder(m_strDirSpectrum, m_strProgramDir));
    if (path.isEmpty())
        return;
    m_strDirSpectrum = FolderOf(path);
    SpectrumReadResult read = ReadSpectrumFile(path.toStdString());
    if (!read.message.text.empty())
        ShowMessage(this, read.message);
    if (!read.spectrum || read.spectrum->Count() < 2)
        return;
    m_values.spectrum = std::move(*read.spectrum);
    m_values.file = path;
    m_pPlot->update();
    ShowName();
    m_bChanged = true;
    m_pOk->setFocus();
}

void CDlgSpectrum::OnSaveAs() {
    if (const std::optional<Message> none = CheckSpectrumLoaded(m_values.spectrum)) {
        ShowMessage(this, *none);
        return;
    }
    const QString path = Files().Save(this, QStringLiteral("Save Spectrum as"),
                                      QString::fromLatin1(kSaveFilter), QStringLiteral("spct"),
                                      StartFolder(m_strDirSpectrum, m_strProgramDir), QString());
    if (path.isEmpty())
        return;
    m_strDirSpectrum = FolderOf(path);
    if (const std::optional<Message> failure =
            SaveSpectrumFile(path.toStdString(), m_values.spectrum)) {
        ShowMessage(this, *failure);
        return;
    }
    m_values.file = path;
}

void CDlgSpectrum::OnSetAsDefault() {
    if (!m_pSettings)
        return;
    ShowMessage(this,
                SetDefaultSpectrum(*m_pSettings, m_values.spectrum, m_values.file.toStdString()));
}

void CDlgSpectrum::OnFormatHelp() {
    ShowExampleFile(this, m_strExampleFile);
}

} // namespace xelmor
