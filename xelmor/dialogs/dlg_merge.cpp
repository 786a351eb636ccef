#include "xelmor/dialogs/dlg_merge.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "structfile/number_format.h"
#include "xelmor/app/seams.h"
#include "xelmor/core/prompts.h"

namespace xelmor {

namespace {

// Control ids of the two slots.
struct SlotIds {
    const char* label;
    int file, import, remove, color, width, height, saturate;
};
constexpr SlotIds kIds[2] = {{"Pattern 1:", 1103, 1184, 1166, 1182, 1185, 1129, 1186},
                             {"Pattern 2:", 1128, 1167, 1168, 1183, 1130, 1131, 1187}};

constexpr int kDecimals = 8;

QString Id(int id) {
    return QStringLiteral("id%1").arg(id);
}

QString Num(double v) {
    return QString::fromStdString(FormatNumber(v, kDecimals));
}

} // namespace

CDlgMerge::CDlgMerge(const MergeSlot& slot1, const MergeSlot& slot2, QWidget* parent)
    : QDialog(parent), m_Slots{MergeEditOf(slot1), MergeEditOf(slot2)} {
    setWindowTitle(QStringLiteral("Merge Data Patterns (*.pdat)"));
    auto* top = new QVBoxLayout(this);
    for (int s = 0; s < 2; ++s) {
        const SlotIds& ids = kIds[s];
        Controls& c = m_Controls[static_cast<std::size_t>(s)];
        const MergeEdit& e = m_Slots[static_cast<std::size_t>(s)];
        auto* box = new QGroupBox(this);
        auto* grid = new QGridLayout(box);

        c.file = new QLineEdit(box);
        c.file->setObjectName(Id(ids.file));
        c.file->setReadOnly(true);
        QPalette pal = c.file->palette();
        pal.setColor(QPalette::Base, QColor(255, 255, 225));
        c.file->setPalette(pal);
        auto* fileLabel = new QLabel(QString::fromLatin1(ids.label), box);
        fileLabel->setBuddy(c.file);
        c.import = new QPushButton(QStringLiteral("Import..."), box);
        c.import->setObjectName(Id(ids.import));
        c.import->setAutoDefault(false);
        c.remove = new QPushButton(QStringLiteral("Remove"), box);
        c.remove->setObjectName(Id(ids.remove));
        c.remove->setAutoDefault(false);
        grid->addWidget(fileLabel, 0, 0);
        grid->addWidget(c.file, 0, 1, 1, 5);
        grid->addWidget(c.import, 0, 6);
        grid->addWidget(c.remove, 0, 7);

        c.color = new QComboBox(box);
        c.color->setObjectName(Id(ids.color));
        for (std::string_view name : kMergeColorNames) // already in sorted order
            c.color->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        c.color->setCurrentIndex(e.nColor >= 0 && e.nColor < 3 ? e.nColor : kMergeColorRed);
        auto* colorLabel = new QLabel(QStringLiteral("Spot Color:"), box);
        colorLabel->setBuddy(c.color);
        c.width = new QLineEdit(box);
        c.width->setObjectName(Id(ids.width));
        c.height = new QLineEdit(box);
        c.height->setObjectName(Id(ids.height));
        auto* sizeLabel = new QLabel(QStringLiteral("Spot Size:"), box);
        sizeLabel->setBuddy(c.width);
        auto* xLabel = new QLabel(QStringLiteral("x"), box);
        xLabel->setBuddy(c.height);
        c.saturate = new QLineEdit(Num(e.saturatePct), box);
        c.saturate->setObjectName(Id(ids.saturate));
        auto* satLabel = new QLabel(QStringLiteral("Saturation above"), box);
        satLabel->setBuddy(c.saturate);
        grid->addWidget(colorLabel, 1, 0);
        grid->addWidget(c.color, 1, 1);
        grid->addWidget(sizeLabel, 1, 2);
        grid->addWidget(c.width, 1, 3);
        grid->addWidget(xLabel, 1, 4);
        grid->addWidget(c.height, 1, 5);
        grid->addWidget(new QLabel(QStringLiteral("mm"), box), 1, 6);
        grid->addWidget(satLabel, 2, 2);
        grid->addWidget(c.saturate, 2, 3);
        grid->addWidget(new QLabel(QStringLiteral("%"), box), 2, 4);
        top->addWidget(box);

        const int slot = s + 1;
        connect(c.import, &QPushButton::clicked, this, [this, slot] { OnImport(slot); });
        connect(c.remove, &QPushButton::clicked, this, [this, slot] { OnRemove(slot); });
        ShowSlot(slot);
    }
    m_Controls[0].saturate->setToolTip(
        QStringLiteral("If <=0, use Imax and Isat of the active pattern. If>0, use Imax and Isat "
                       "of this pattern."));

    auto* note = new QLabel(QStringLiteral("The patterns that can be imported are *.pdat text "
                                           "files exported by menu <File | Export Textfile>"),
                            this);
    note->setWordWrap(true);
    top->addWidget(note);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(Id(1));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(Id(2));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CDlgMerge::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgMerge::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    top->addLayout(buttons);
}

void CDlgMerge::ShowSlot(int slot) {
    const MergeEdit& e = m_Slots[static_cast<std::size_t>(slot - 1)];
    Controls& c = m_Controls[static_cast<std::size_t>(slot - 1)];
    c.file->setText(QString::fromStdString(e.strFile));
    c.width->setText(Num(e.spotWidthMm));
    c.height->setText(Num(e.spotHeightMm));
    const bool held = e.nRecords > 0;
    for (QWidget* w : {static_cast<QWidget*>(c.remove), static_cast<QWidget*>(c.color),
                       static_cast<QWidget*>(c.width), static_cast<QWidget*>(c.height),
                       static_cast<QWidget*>(c.saturate)})
        w->setEnabled(held);
    c.import->setEnabled(!held);
}

void CDlgMerge::OnImport(int slot) {
    const QString path = Files().Open(this, QStringLiteral("Import Xelmorscope Text File to Merge"),
                                      QStringLiteral("Xelmorscope Textfiles (*.pdat)|*.pdat||"),
                                      QStringLiteral("pdat"), QString());
    if (path.isEmpty())
        return;
    MergeReadResult read = ReadMergeFile(path.toStdString(), slot);
    if (!read.data) {
        ShowMessage(this, read.message);
        return;
    }
    TakeMergeFile(m_Slots[static_cast<std::size_t>(slot - 1)], path.toStdString(),
                  std::move(*read.data));
    ShowSlot(slot);
}

void CDlgMerge::OnRemove(int slot) {
    MergeEdit& e = m_Slots[static_cast<std::size_t>(slot - 1)];
    RemoveMergeFile(e);
    Controls& c = m_Controls[static_cast<std::size_t>(slot - 1)];
    c.file->clear();
    for (QWidget* w : {static_cast<QWidget*>(c.remove), static_cast<QWidget*>(c.color),
                       static_cast<QWidget*>(c.width), static_cast<QWidget*>(c.height),
                       static_cast<QWidget*>(c.saturate)})
        w->setEnabled(false);
    c.import->setEnabled(true);
}

void CDlgMerge::accept() {
    const Message prompt =
        MakeMessage(NumberRangePrompt(kMergeSpotMin, kMergeSpotMax), MsgIcon::None);
    // Every size is checked in the order of the dialog, as the data exchange checks them.
    for (Controls& c : m_Controls) {
        for (QLineEdit* edit : {c.width, c.height}) {
            const double v = ParseDouble(edit->text().toStdString());
            if (!(v >= kMergeSpotMin && v <= kMergeSpotMax)) {
                ShowMessage(this, prompt);
                edit->setFocus();
                edit->selectAll();
                return;
            }
        }
    }
    for (std::size_t s = 0; s < 2; ++s) {
        MergeEdit& e = m_Slots[s];
        const Controls& c = m_Controls[s];
        e.nColor = c.color->currentIndex();
        e.spotWidthMm = ParseDouble(c.width->text().toStdString());
        e.spotHeightMm = ParseDouble(c.height->text().toStdString());
        e.saturatePct = ParseDouble(c.saturate->text().toStdString());
    }
    QDialog::accept();
}

} // namespace xelmor
