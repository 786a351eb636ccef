#include "xelmor/dialogs/dlg_film_size.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "structfile/number_format.h"
#include "xelmor/app/seams.h"
#include "xelmor/core/prompts.h"
#include "xelmor/dialogs/dialog_buttons.h"
#include "xelmor/files/settings_values.h"

namespace xelmor {

namespace {

// The limits of the spot size, mm.
constexpr double kSpotUpper = 20.0;
constexpr double kSpotLower = 0.01;

// A small picture of a spot with the extent its edit sets: across for the width, up for the
// height.
class SpotSizePicture : public QWidget {
public:
    SpotSizePicture(bool vertical, QWidget* parent) : QWidget(parent), vertical_(vertical) {
        setFixedSize(44, 36);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF spot(12, 8, 20, 20);
        p.fillRect(spot, QColor(255, 0, 0));
        p.setPen(QPen(Qt::black, 1));
        if (vertical_) {
            const double x = spot.right() + 6;
            p.drawLine(QPointF(x, spot.top()), QPointF(x, spot.bottom()));
            Arrow(p, QPointF(x, spot.top()), 0, 1);
            Arrow(p, QPointF(x, spot.bottom()), 0, -1);
        } else {
            const double y = spot.bottom() + 5;
            p.drawLine(QPointF(spot.left(), y), QPointF(spot.right(), y));
            Arrow(p, QPointF(spot.left(), y), 1, 0);
            Arrow(p, QPointF(spot.right(), y), -1, 0);
        }
    }

private:
    // An arrow head at `tip`, opening along (dx, dy).
    static void Arrow(QPainter& p, QPointF tip, double dx, double dy) {
        const QPointF back = tip + QPointF(4 * dx, 4 * dy);
        const QPointF side(3 * dy, 3 * dx);
        p.drawLine(tip, back + side);
        p.drawLine(tip, back - side);
    }

    bool vertical_;
};

} // namespace

CDlgFilmSize::CDlgFilmSize(const SizeDialogValues& values, SettingsStore* settings, QWidget* parent)
    : QDialog(parent), m_Values(values), m_pSettings(settings) {
    if (m_Values.spotMode) {
        m_Values.upper = kSpotUpper;
        m_Values.lower = kSpotLower;
    }
    setWindowTitle(m_Values.spotMode ? QStringLiteral("Diffraction Spot Size")
                                     : QStringLiteral("CCD/Film Size"));

    m_pWidth = new QLineEdit(QString::fromStdString(FormatNumber(m_Values.width, 8)), this);
    m_pWidth->setObjectName(QStringLiteral("id1152"));
    m_pHeight = new QLineEdit(QString::fromStdString(FormatNumber(m_Values.height, 8)), this);
    m_pHeight->setObjectName(QStringLiteral("id1113"));
    auto* widthLabel = new QLabel(
        m_Values.spotMode ? QStringLiteral("Spot Width:") : QStringLiteral("Width (X):"), this);
    auto* heightLabel = new QLabel(
        m_Values.spotMode ? QStringLiteral("Spot Height:") : QStringLiteral("Height (Y):"), this);
    widthLabel->setBuddy(m_pWidth);
    heightLabel->setBuddy(m_pHeight);

    auto* grid = new QGridLayout;
    grid->addWidget(widthLabel, 0, 0);
    grid->addWidget(m_pWidth, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm"), this), 0, 2);
    grid->addWidget(heightLabel, 1, 0);
    grid->addWidget(m_pHeight, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("mm"), this), 1, 2);
    if (m_Values.spotMode) {
        auto* widthPicture = new SpotSizePicture(false, this);
        widthPicture->setObjectName(QStringLiteral("spotWidthPicture"));
        auto* heightPicture = new SpotSizePicture(true, this);
        heightPicture->setObjectName(QStringLiteral("spotHeightPicture"));
        grid->addWidget(widthPicture, 0, 3);
        grid->addWidget(heightPicture, 1, 3);
    }

    const auto [ok, cancel] = MakeOkCancel(this);
    QPushButton* setDefault = DialogButton(this, 1157, QStringLiteral("Set as Default"));
    connect(setDefault, &QPushButton::clicked, this, &CDlgFilmSize::OnSetAsDefault);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(setDefault);
    buttons->addStretch();

    auto* top = new QHBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(12);
    top->addLayout(buttons);
}

bool CDlgFilmSize::Validate() {
    const Message prompt =
        MakeMessage(NumberRangePrompt(m_Values.lower, m_Values.upper), MsgIcon::None);
    for (QLineEdit* edit : {m_pWidth, m_pHeight}) {
        const double v = ParseDouble(edit->text().toStdString());
        if (v < m_Values.lower || v > m_Values.upper) {
            ShowMessage(this, prompt);
            edit->setFocus();
            edit->selectAll();
            return false;
        }
    }
    m_Values.width = ParseDouble(m_pWidth->text().toStdString());
    m_Values.height = ParseDouble(m_pHeight->text().toStdString());
    return true;
}

void CDlgFilmSize::accept() {
    if (Validate())
        QDialog::accept();
}

void CDlgFilmSize::OnSetAsDefault() {
    // Only the store learns the values; they reach the pattern by OK alone.
    if (!Validate() || !m_pSettings)
        return;
    if (m_Values.spotMode)
        WriteSpotSizeDefault(*m_pSettings, m_Values.width * 10, m_Values.height * 10);
    else
        WriteFilmSizeDefault(*m_pSettings, m_Values.width * 10, m_Values.height * 10);
}

} // namespace xelmor
