#include "xelmor/dialogs/dlg_index_font.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <climits>
#include <optional>

#include "xelmor/core/calculators.h"
#include "xelmor/dialogs/dialog_buttons.h"
#include "xelmor/dialogs/first_pattern.h"

namespace xelmor {

namespace {

// A label height must be positive; beyond 100 mm a label is no label any more, and a height or
// offset out of all proportion would overflow the painting arithmetic.
constexpr int kMinHeight = 1;
constexpr int kMaxHeight = 1000;
constexpr int kMaxOffset = 10000;

QLineEdit* IntEdit(QWidget* parent, int id) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("id%1").arg(id));
    edit->setMaximumWidth(80);
    return edit;
}

// The typed integer of an enabled edit within [lo, hi]; a disabled edit cannot be corrected by
// the user, so only its number is checked.
std::optional<int> Exchange(QLineEdit* edit, int lo, int hi) {
    if (!edit->isEnabled())
        return ExchangeInt(edit, INT_MIN, INT_MAX);
    return ExchangeInt(edit, lo, hi);
}

} // namespace

CDlgIndexFont::CDlgIndexFont(const IndexFontValues& values, QWidget* parent)
    : QDialog(parent), m_values(values) {
    setObjectName(QStringLiteral("id389"));
    setWindowTitle(QStringLiteral("Set Fonts for Spot Indices (Unit: 0.1 mm = 0.28 points)"));

    m_pFontScreen = new QComboBox(this);
    m_pFontScreen->setObjectName(QStringLiteral("id1176"));
    m_pFontScreen->addItems({QStringLiteral("Arial Narrow"), QStringLiteral("Times New Roman"),
                             QStringLiteral("System Font")});
    m_pFontPrint = new QComboBox(this);
    m_pFontPrint->setObjectName(QStringLiteral("id1179"));
    m_pFontPrint->addItems({QStringLiteral("Arial Narrow"), QStringLiteral("Times New Roman")});
    m_pFontPrint->setEnabled(false);

    m_pHeightScreen = IntEdit(this, 1177);
    m_pHeightPrint = IntEdit(this, 1178);
    m_pHeightPrint->setEnabled(false);
    m_pYoffsetScreen = IntEdit(this, 1115);
    m_pYoffsetPrint = IntEdit(this, 1116);
    m_pYoffsetPrint->setEnabled(false);
    m_pXoffset = IntEdit(this, 1113);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Screen"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Print"), this), 0, 2);
    struct Row {
        const char* label;
        QWidget* screen;
        QWidget* print;
    };
    const Row rows[] = {
        {"&Font:", m_pFontScreen, m_pFontPrint},
        {"&Height:", m_pHeightScreen, m_pHeightPrint},
        {"&Y Offset:", m_pYoffsetScreen, m_pYoffsetPrint},
        {"&X Offset:", m_pXoffset, nullptr},
    };
    int r = 1;
    for (const Row& row : rows) {
        auto* label = new QLabel(QString::fromLatin1(row.label), this);
        label->setBuddy(row.screen);
        grid->addWidget(label, r, 0);
        grid->addWidget(row.screen, r, 1);
        if (row.print)
            grid->addWidget(row.print, r, 2);
        ++r;
    }
    auto* note = new QLabel(QStringLiteral("Heights and offsets in 0.1 mm. The X offset holds for "
                                           "screen and print."),
                            this);
    note->setWordWrap(true);
    grid->addWidget(note, r, 0, 1, 3);
    auto* box = new QGroupBox(QStringLiteral("Spot Indices"), this);
    box->setLayout(grid);

    const auto [ok, cancel] = MakeOkCancel(this);
    QPushButton* reset = DialogButton(this, 1181, QStringLiteral("&Reset"));
    connect(reset, &QPushButton::clicked, this, &CDlgIndexFont::OnReset);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addSpacing(12);
    buttons->addWidget(reset);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(box, 1);
    layout->addLayout(buttons);

    connect(m_pFontScreen, &QComboBox::currentIndexChanged, this,
            &CDlgIndexFont::OnScreenFontChanged);
    ShowValues(values);
}

void CDlgIndexFont::ShowValues(const IndexFontValues& v) {
    // An index the lists do not hold selects nothing.
    m_pFontScreen->setCurrentIndex(
        v.fontNoScreen >= 0 && v.fontNoScreen < m_pFontScreen->count() ? v.fontNoScreen : -1);
    m_pFontPrint->setCurrentIndex(
        v.fontNoPrint >= 0 && v.fontNoPrint < m_pFontPrint->count() ? v.fontNoPrint : -1);
    m_pHeightScreen->setText(QString::number(v.heightScreen));
    m_pHeightPrint->setText(QString::number(v.heightPrint));
    m_pYoffsetScreen->setText(QString::number(v.yOffsetScreen));
    m_pYoffsetPrint->setText(QString::number(v.yOffsetPrint));
    m_pXoffset->setText(QString::number(v.xOffset));
    OnScreenFontChanged(m_pFontScreen->currentIndex());
}

void CDlgIndexFont::OnScreenFontChanged(int index) {
    m_pHeightScreen->setEnabled(ScreenFontHasHeight(index));
}

void CDlgIndexFont::OnReset() {
    ShowValues(IndexFontValues{});
}

void CDlgIndexFont::accept() {
    IndexFontValues v = m_values;
    // A list without a selection keeps the index the dialog was opened with.
    if (m_pFontScreen->currentIndex() >= 0)
        v.fontNoScreen = m_pFontScreen->currentIndex();
    if (m_pFontPrint->currentIndex() >= 0)
        v.fontNoPrint = m_pFontPrint->currentIndex();
    struct Field {
        QLineEdit* edit;
        int* value;
        int lo, hi;
    };
    const Field fields[] = {
        {m_pHeightScreen, &v.heightScreen, kMinHeight, kMaxHeight},
        {m_pHeightPrint, &v.heightPrint, kMinHeight, kMaxHeight},
        {m_pYoffsetScreen, &v.yOffsetScreen, -kMaxOffset, kMaxOffset},
        {m_pYoffsetPrint, &v.yOffsetPrint, -kMaxOffset, kMaxOffset},
        {m_pXoffset, &v.xOffset, -kMaxOffset, kMaxOffset},
    };
    for (const Field& f : fields) {
        const std::optional<int> value = Exchange(f.edit, f.lo, f.hi);
        if (!value)
            return;
        *f.value = *value;
    }
    m_values = v;
    QDialog::accept();
}

} // namespace xelmor
