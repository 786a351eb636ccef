#include "xelmor/dialogs/dlg_calib_zoom.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <charconv>
#include <cmath>

#include "xelmor/app/seams.h"
#include "xelmor/core/prompts.h"

namespace xelmor {

namespace {

constexpr double kMinLength = 1.0;
constexpr double kMaxLength = 1000000.0;

// The bar and its dimension line, drawn in units of 0.1 mm of nominal screen with y up, so that
// at 100 % the bar is 100 mm long when the screen reports its resolution truly.
class CalibBar : public QWidget {
public:
    explicit CalibBar(QWidget* parent) : QWidget(parent) {
        setFixedSize(Px(1200, logicalDpiX()), Px(170, logicalDpiY()));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(Qt::black, 0));
        Line(p, 100, -50, 100, -150);
        Line(p, 1100, -50, 1100, -150);
        Line(p, 130, -120, 1070, -120);
        Arrow(p, 100, 30);
        Arrow(p, 1100, -30);
        Line(p, 600, -100, 600, -140);
        // The bar: 1000 units from x = 101, 15 units high above y = -70.
        p.fillRect(QRect(Dev(101, -55), Dev(1101, -70)).adjusted(0, 0, -1, -1), Qt::red);
    }

private:
    static int Px(int units, int dpi) { return static_cast<int>(std::lround(units * dpi / 254.0)); }
    QPoint Dev(int x, int y) const { return {Px(x, logicalDpiX()), Px(-y, logicalDpiY())}; }
    void Line(QPainter& p, int x1, int y1, int x2, int y2) { p.drawLine(Dev(x1, y1), Dev(x2, y2)); }
    // A closed arrow head with its tip at (tip, -120), opening toward tip + back.
    void Arrow(QPainter& p, int tip, int back) {
        const QPoint head[3] = {Dev(tip, -120), Dev(tip + back, -110), Dev(tip + back, -130)};
        p.setBrush(Qt::black);
        p.drawPolygon(head, 3);
    }
};

// Reads a typed real as the dialog's number check does: blanks around it, an optional sign and
// nothing else after the number.
bool ParseReal(const QString& text, double& value) {
    std::string s = text.trimmed().toStdString();
    if (!s.empty() && s.front() == '+')
        s.erase(0, 1);
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, value);
    return !s.empty() && r.ec == std::errc() && r.ptr == end;
}

} // namespace

int CalibZoomOf(double lengthMm) {
    return static_cast<int>(std::trunc(lengthMm * 10.0 + 0.5));
}

CDlgCalibZoom::CDlgCalibZoom(const CalibZoomValues& values, QWidget* parent)
    : QDialog(parent), m_values(values) {
    setObjectName(QStringLiteral("id361"));
    setWindowTitle(QStringLiteral("Calibrate Zoom of Screen"));

    auto* status =
        new QLabel(values.calibrated
                       ? QStringLiteral("You already calibrated the zoom, but you may re-check it.")
                       : QStringLiteral("   You have not calibrated the zoom. Assume 100 mm."),
                   this);
    status->setObjectName(QStringLiteral("id1104"));

    auto* lengthLabel = new QLabel(QStringLiteral("Measured &Length: "), this);
    m_pLength = new QLineEdit(QString::number(values.lengthMm, 'g', 15), this);
    m_pLength->setObjectName(QStringLiteral("id1103"));
    lengthLabel->setBuddy(m_pLength);
    auto* row = new QHBoxLayout;
    row->addWidget(lengthLabel);
    row->addWidget(m_pLength);
    row->addWidget(new QLabel(QStringLiteral("mm"), this));
    row->addStretch(1);

    auto* help = new QLabel(
        QStringLiteral("Measure the red bar on the screen with a ruler and type its length. If "
                       "the bar is cut off on the right, measure half of it and type twice that "
                       "length. Type 100 if the pattern need not match real size on the screen."),
        this);
    help->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("id1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("id2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgCalibZoom::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgCalibZoom::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new CalibBar(this));
    layout->addWidget(status);
    layout->addLayout(row);
    layout->addWidget(help);
    layout->addWidget(buttons);
}

void CDlgCalibZoom::accept() {
    double length = 0.0;
    if (!ParseReal(m_pLength->text(), length)) {
        ShowMessage(this, MakeMessage(kNumberPrompt, MsgIcon::Exclamation));
    } else if (!(length >= kMinLength && length <= kMaxLength)) {
        ShowMessage(this,
                    MakeMessage(NumberRangePrompt(kMinLength, kMaxLength), MsgIcon::Exclamation));
    } else {
        m_values.lengthMm = length;
        QDialog::accept();
        return;
    }
    m_pLength->setFocus();
    m_pLength->selectAll();
}

} // namespace xelmor
