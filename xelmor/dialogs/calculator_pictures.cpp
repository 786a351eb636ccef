#include "xelmor/dialogs/calculator_pictures.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace xelmor {

namespace {

// ---- A small box layout for typesetting one formula ----

// A piece of a formula: it knows its extent around its baseline and draws itself there.
class Box {
public:
    virtual ~Box() = default;
    double width = 0, ascent = 0, descent = 0;
    virtual void Draw(QPainter& p, double x, double baseline) const = 0;
};
using BoxPtr = std::shared_ptr<Box>;

// The fonts of one formula: upright and italic at the main size and at the script size.
struct MathFonts {
    QFont upright, italic, scriptUpright, scriptItalic, paren, big;

    explicit MathFonts(double pixelSize) {
        upright = QFont(QStringLiteral("Times New Roman"));
        upright.setPixelSize(static_cast<int>(pixelSize));
        italic = upright;
        italic.setItalic(true);
        scriptUpright = upright;
        scriptUpright.setPixelSize(static_cast<int>(pixelSize * 0.7));
        scriptItalic = scriptUpright;
        scriptItalic.setItalic(true);
        paren = upright;
        paren.setPixelSize(static_cast<int>(pixelSize * 1.5));
        big = upright;
        big.setPixelSize(static_cast<int>(pixelSize * 1.6));
    }
};

class TextBox : public Box {
public:
    TextBox(QString text, const QFont& font) : m_text(std::move(text)), m_font(font) {
        const QFontMetricsF m(font);
        width = m.horizontalAdvance(m_text);
        ascent = m.ascent();
        descent = m.descent();
    }
    void Draw(QPainter& p, double x, double baseline) const override {
        p.setFont(m_font);
        p.drawText(QPointF(x, baseline), m_text);
    }

private:
    QString m_text;
    QFont m_font;
};

// Boxes side by side on one baseline.
class RowBox : public Box {
public:
    explicit RowBox(std::vector<BoxPtr> items) : m_items(std::move(items)) {
        for (const BoxPtr& b : m_items) {
            width += b->width;
            ascent = std::max(ascent, b->ascent);
            descent = std::max(descent, b->descent);
        }
    }
    void Draw(QPainter& p, double x, double baseline) const override {
        for (const BoxPtr& b : m_items) {
            b->Draw(p, x, baseline);
            x += b->width;
        }
    }

private:
    std::vector<BoxPtr> m_items;
};

// A base with a superscript and/or a subscript after it.
class ScriptBox : public Box {
public:
    ScriptBox(BoxPtr base, BoxPtr sup, BoxPtr sub)
        : m_base(std::move(base)), m_sup(std::move(sup)), m_sub(std::move(sub)) {
        m_raise = m_base->ascent * 0.45;
        m_lower = m_base->ascent * 0.25;
        double scripts = 0;
        ascent = m_base->ascent;
        descent = m_base->descent;
        if (m_sup) {
            scripts = m_sup->width;
            ascent = std::max(ascent, m_raise + m_sup->ascent);
        }
        if (m_sub) {
            scripts = std::max(scripts, m_sub->width);
            descent = std::max(descent, m_lower + m_sub->descent);
        }
        width = m_base->width + scripts + 1;
    }
    void Draw(QPainter& p, double x, double baseline) const override {
        m_base->Draw(p, x, baseline);
        const double sx = x + m_base->width + 0.5;
        if (m_sup)
            m_sup->Draw(p, sx, baseline - m_raise);
        if (m_sub)
            m_sub->Draw(p, sx, baseline + m_lower);
    }

private:
    BoxPtr m_base, m_sup, m_sub;
    double m_raise = 0, m_lower = 0;
};

// A numerator over a denominator, centred on a rule at the height of the minus sign.
class FractionBox : public Box {
public:
    FractionBox(BoxPtr num, BoxPtr den, double axis)
        : m_num(std::move(num)), m_den(std::move(den)), m_axis(axis) {
        width = std::max(m_num->width, m_den->width) + 6;
        ascent = m_axis + kGap + m_num->descent + m_num->ascent;
        descent = -m_axis + kGap + m_den->ascent + m_den->descent;
    }
    void Draw(QPainter& p, double x, double baseline) const override {
        const double rule = baseline - m_axis;
        m_num->Draw(p, x + (width - m_num->width) / 2, rule - kGap - m_num->descent);
        m_den->Draw(p, x + (width - m_den->width) / 2, rule + kGap + m_den->ascent);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(QPointF(x + 1, rule), QPointF(x + width - 1, rule));
    }

private:
    static constexpr double kGap = 3;
    BoxPtr m_num, m_den;
    double m_axis;
};

// A large operator with its limits above and below.
class LimitsBox : public Box {
public:
    LimitsBox(BoxPtr op, BoxPtr over, BoxPtr under)
        : m_op(std::move(op)), m_over(std::move(over)), m_under(std::move(under)) {
        width = std::max({m_op->width, m_over->width, m_under->width}) + 4;
        ascent = m_op->ascent + m_over->descent + m_over->ascent;
        descent = m_op->descent + m_under->ascent + m_under->descent;
    }
    void Draw(QPainter& p, double x, double baseline) const override {
        m_op->Draw(p, x + (width - m_op->width) / 2, baseline);
        m_over->Draw(p, x + (width - m_over->width) / 2,
                     baseline - m_op->ascent * 0.8 - m_over->descent);
        m_under->Draw(p, x + (width - m_under->width) / 2,
                      baseline + m_op->descent + m_under->ascent);
    }

private:
    BoxPtr m_op, m_over, m_under;
};

// The builders of the two formulas.
struct Formula {
    const MathFonts& f;
    double axis;

    BoxPtr T(const QString& s) const { return std::make_shared<TextBox>(s, f.upright); }
    BoxPtr I(const QString& s) const { return std::make_shared<TextBox>(s, f.italic); }
    BoxPtr ST(const QString& s) const { return std::make_shared<TextBox>(s, f.scriptUpright); }
    BoxPtr SI(const QString& s) const { return std::make_shared<TextBox>(s, f.scriptItalic); }
    // A parenthesis tall enough for a fraction.
    BoxPtr P(const QString& s) const { return std::make_shared<TextBox>(s, f.paren); }
    BoxPtr Row(std::vector<BoxPtr> items) const { return std::make_shared<RowBox>(items); }
    BoxPtr Sup(BoxPtr base, BoxPtr sup) const {
        return std::make_shared<ScriptBox>(base, sup, nullptr);
    }
    BoxPtr Sub(BoxPtr base, BoxPtr sub) const {
        return std::make_shared<ScriptBox>(base, nullptr, sub);
    }
    BoxPtr Frac(BoxPtr num, BoxPtr den) const {
        return std::make_shared<FractionBox>(num, den, axis);
    }

    // I = P(lambda) lambda^3 |F|^2 / sin 2theta . (1 + cos^2 2theta) / 2
    BoxPtr Intensity() const {
        const QString lambda(QChar(0x03bb)), theta(QChar(0x03b8));
        BoxPtr num =
            Row({I(QStringLiteral("P")), T(QStringLiteral("(")), I(lambda), T(QStringLiteral(") ")),
                 Sup(I(lambda), ST(QStringLiteral("3"))), T(QStringLiteral(" |")),
                 I(QStringLiteral("F")), Sup(T(QStringLiteral("|")), ST(QStringLiteral("2")))});
        BoxPtr den = Row({T(QStringLiteral("sin 2")), I(theta)});
        BoxPtr polNum =
            Row({T(QStringLiteral("1 + ")), Sup(T(QStringLiteral("cos")), ST(QStringLiteral("2"))),
                 T(QStringLiteral(" 2")), I(theta)});
        return Row({I(QStringLiteral("I")), T(QStringLiteral(" = ")), Frac(num, den),
                    T(QString::fromUtf8(" \u00b7 ")), Frac(polNum, T(QStringLiteral("2")))});
    }

    // f = Sum_{i=1}^{4} a_i exp(-b_i sin^2 theta / lambda^2) + c
    BoxPtr ScatteringFactor() const {
        const QString lambda(QChar(0x03bb)), theta(QChar(0x03b8));
        BoxPtr sum = std::make_shared<LimitsBox>(
            std::make_shared<TextBox>(QString(QChar(0x03a3)), f.big), ST(QStringLiteral("4")),
            Row({SI(QStringLiteral("i")), ST(QStringLiteral(" = 1"))}));
        BoxPtr expNum = Row({Sup(T(QStringLiteral("sin")), ST(QStringLiteral("2"))), I(theta)});
        BoxPtr expDen = Sup(I(lambda), ST(QStringLiteral("2")));
        return Row({I(QStringLiteral("f")), T(QStringLiteral(" = ")), sum, T(QStringLiteral(" ")),
                    Sub(I(QStringLiteral("a")), SI(QStringLiteral("i"))), T(QStringLiteral(" exp")),
                    P(QStringLiteral("(")), T(QString(QChar(0x2212))),
                    Sub(I(QStringLiteral("b")), SI(QStringLiteral("i"))), T(QStringLiteral(" ")),
                    Frac(expNum, expDen), P(QStringLiteral(")")), T(QStringLiteral(" + ")),
                    I(QStringLiteral("c"))});
    }
};

constexpr int kEquationWidth = 560;
constexpr int kEquationHeight = 330;
constexpr double kEquationMargin = 16;
constexpr double kFormulaPixels = 22;

// Draws a paragraph into the band starting at `top`; returns the bottom of what it drew.
double Paragraph(QPainter& p, const QFont& font, double top, double width, const QString& text) {
    p.setFont(font);
    const QRectF box(kEquationMargin, top, width, 1000);
    QRectF used;
    p.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text, &used);
    return used.bottom();
}

} // namespace

// ---- The angle picture ----

CAnglePicture::CAnglePicture(QWidget* parent) : QWidget(parent) {
    setFixedSize(210, 125);
    setAccessibleName(QStringLiteral("Two lattice planes with normals G1 and G2"));
}

void CAnglePicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QPointF o(90, 100);
    const double a1 = 15 * M_PI / 180, a2 = 60 * M_PI / 180; // plane directions on screen
    auto dir = [](double a) { return QPointF(std::cos(a), -std::sin(a)); };
    // The two planes, edge-on.
    p.setPen(QPen(QColor(40, 90, 230), 2));
    p.drawLine(o - dir(a1) * 50, o + dir(a1) * 95);
    p.setPen(QPen(QColor(0, 140, 60), 2));
    p.drawLine(o - dir(a2) * 30, o + dir(a2) * 70);
    // Their normals.
    auto arrow = [&p](QPointF from, QPointF to) {
        p.drawLine(from, to);
        const double ang = std::atan2(to.y() - from.y(), to.x() - from.x());
        const QPointF l = to - QPointF(7 * std::cos(ang - 0.4), 7 * std::sin(ang - 0.4));
        const QPointF r = to - QPointF(7 * std::cos(ang + 0.4), 7 * std::sin(ang + 0.4));
        p.setBrush(p.pen().color());
        p.drawPolygon(QPolygonF({to, l, r}));
    };
    const QPointF n1 = dir(a1 + M_PI / 2), n2 = dir(a2 + M_PI / 2);
    p.setPen(QPen(QColor(40, 90, 230), 1));
    arrow(o, o + n1 * 70);
    p.setPen(QPen(QColor(0, 140, 60), 1));
    arrow(o, o + n2 * 70);
    // The angle between the normals.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    const double r = 30;
    p.drawArc(QRectF(o.x() - r, o.y() - r, 2 * r, 2 * r), static_cast<int>((90 + 15) * 16),
              static_cast<int>(45 * 16));
    QFont font = p.font();
    font.setItalic(true);
    p.setFont(font);
    p.drawText(o + n1 * 74 + QPointF(-4, -2), QStringLiteral("G1"));
    p.drawText(o + n2 * 74 + QPointF(-18, 2), QStringLiteral("G2"));
    p.drawText(o + dir(M_PI / 2 + 37.5 * M_PI / 180) * 40 + QPointF(-4, 4), QString(QChar(0x03c6)));
    p.drawText(o + dir(a1) * 95 + QPointF(-58, 32), QStringLiteral("(H1K1L1)"));
    p.drawText(o + dir(a2) * 70 + QPointF(6, 12), QStringLiteral("(H2K2L2)"));
}

// ---- The equation picture ----

CEquationPicture::CEquationPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("id398"));
    setFixedSize(kEquationWidth, kEquationHeight);
    setAccessibleName(QStringLiteral("Intensity Calculation Equation"));
    setAccessibleDescription(PlainText());
}

QString CEquationPicture::PlainText() {
    return QString::fromUtf8(
        "Intensity is calculated on basis of I = P(\u03bb) \u03bb\u00b3|F|\u00b2/sin 2\u03b8 "
        "\u00b7 (1 + cos\u00b2 2\u03b8)/2, where \u03bb is wavelength, F structure factor, "
        "\u03b8 Bragg angle, P(\u03bb) spectrum of incident beam. Atomic scattering factor is "
        "based on f = \u03a3(i=1\u20264) a\u1d62 exp(\u2212b\u1d62 sin\u00b2\u03b8/\u03bb\u00b2) "
        "+ c, where a\u1d62, b\u1d62 and c are from International Tables for X-ray "
        "Crystallography Vol. IV, pp. 99\u2013101.");
}

void CEquationPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::black);

    const MathFonts fonts(kFormulaPixels);
    QFont prose(QStringLiteral("Times New Roman"));
    prose.setPixelSize(16);
    const double textWidth = width() - 2 * kEquationMargin;
    const QString lambda(QChar(0x03bb)), theta(QChar(0x03b8));
    // The rule of a fraction sits at the height of the minus sign: half the x-height.
    const Formula formula{fonts, QFontMetricsF(fonts.upright).xHeight() * 0.55};

    double y = kEquationMargin;
    y = Paragraph(p, prose, y, textWidth, QStringLiteral("Intensity is calculated on basis of"));
    const BoxPtr intensity = formula.Intensity();
    y += 10 + intensity->ascent;
    intensity->Draw(p, (width() - intensity->width) / 2, y);
    y += intensity->descent + 8;
    y = Paragraph(p, prose, y, textWidth,
                  QStringLiteral("where %1 is wavelength, F structure factor, %2 Bragg angle, "
                                 "P(%1) spectrum of incident beam.")
                      .arg(lambda, theta));
    y = Paragraph(p, prose, y + 12, textWidth,
                  QStringLiteral("Atomic scattering factor is based on"));
    const BoxPtr factor = formula.ScatteringFactor();
    y += 8 + factor->ascent;
    factor->Draw(p, (width() - factor->width) / 2, y);
    y += factor->descent + 8;
    const QString sub_i = QString::fromUtf8("\u1d62");
    Paragraph(p, prose, y, textWidth,
              QStringLiteral("where a%1, b%1 and c are from International Tables for X-ray "
                             "Crystallography Vol. IV, pp. 99")
                      .arg(sub_i) +
                  QChar(0x2013) + QStringLiteral("101."));
}

// ---- The intensity bar ----

CIntensityBarPicture::CIntensityBarPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("id400"));
    setFixedSize(460, 110);
    setAccessibleName(QStringLiteral("Intensity bar: 255 gray scales from 0 to Isat, all black "
                                     "from Isat to Imax, nothing below Itrunct"));
}

void CIntensityBarPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const double left = 30, right = width() - 30.0, barTop = 38, barBottom = 58;
    const double x0 = left, xTrunc = left + 0.12 * (right - left),
                 xSat = left + 0.62 * (right - left), xMax = right;

    // Grey levels from white at 0 to black at Isat; all black beyond.
    QLinearGradient grey(QPointF(x0, 0), QPointF(xSat, 0));
    grey.setColorAt(0, Qt::white);
    grey.setColorAt(1, Qt::black);
    p.fillRect(QRectF(QPointF(x0, barTop), QPointF(xSat, barBottom)), grey);
    p.fillRect(QRectF(QPointF(xSat, barTop), QPointF(xMax, barBottom)), Qt::black);
    // Below Itrunct nothing is drawn: hatched.
    p.fillRect(QRectF(QPointF(x0, barTop), QPointF(xTrunc, barBottom)),
               QBrush(QColor(200, 0, 0), Qt::BDiagPattern));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(QPointF(x0, barTop), QPointF(xMax, barBottom)));

    // The axis with its marks.
    const double axis = barBottom + 10;
    p.drawLine(QPointF(x0, axis), QPointF(xMax + 12, axis));
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF(
        {QPointF(xMax + 18, axis), QPointF(xMax + 10, axis - 4), QPointF(xMax + 10, axis + 4)}));
    QFont font = p.font();
    font.setPixelSize(13);
    p.setFont(font);
    const struct {
        double x;
        const char* text;
    } marks[] = {{x0, "0"}, {xTrunc, "Itrunct"}, {xSat, "Isat"}, {xMax, "Imax"}};
    for (const auto& m : marks) {
        p.drawLine(QPointF(m.x, axis - 4), QPointF(m.x, axis + 4));
        p.drawText(QRectF(m.x - 40, axis + 6, 80, 18), Qt::AlignHCenter | Qt::AlignTop,
                   QString::fromLatin1(m.text));
    }

    // The two ranges above the bar.
    auto range = [&p](double from, double to, double y, const QString& text) {
        p.drawLine(QPointF(from, y), QPointF(to, y));
        p.drawLine(QPointF(from, y - 4), QPointF(from, y + 4));
        p.drawLine(QPointF(to, y - 4), QPointF(to, y + 4));
        p.drawText(QRectF(from, y - 22, to - from, 18), Qt::AlignCenter, text);
    };
    range(x0, xSat, 28, QStringLiteral("255 gray scales"));
    range(xSat, xMax, 28, QStringLiteral("all black"));
}

} // namespace xelmor
