#include "xelmor/dialogs/dlg_cryst.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "structfile/elements.h"
#include "structfile/number_format.h"
#include "xelmor/app/seams.h"
#include "xelmor/dialogs/dialog_pictures.h"
#include "xelmor/dialogs/first_pattern.h"
#include "xelmor/panel/input_controls.h"

namespace xelmor {

namespace {

constexpr double kMinLength = 0.001, kMaxLength = 5000.0; // Angstrom
constexpr double kMinAngle = 0.001, kMaxAngle = 179.999;  // degrees
constexpr int kLatticeDecimals = 8;

constexpr const char* kStructFilter = "Crystal Files (*.struct)|*.struct|All Files (*.*)|*.*||";

QString Number(double v) {
    return QString::fromStdString(FormatNumber(v, kLatticeDecimals));
}

} // namespace

CDlgCryst::CDlgCryst(const StructureData& crystal, const QString& dirCrystal,
                     const QString& programDir, QWidget* parent)
    : QDialog(parent), m_crystal(crystal), m_strDirCrystal(dirCrystal), m_strProgramDir(programDir),
      m_strExampleFile(ProgramFile(programDir, QStringLiteral("Silicon.struct"))) {
    setObjectName(QStringLiteral("id366"));
    setWindowTitle(QStringLiteral("Crystal Structure"));

    // Name and lattice parameters.
    auto* nameLabel = new QLabel(QStringLiteral("Crystal &Name:"), this);
    m_pName = new CEdit_Color(this);
    m_pName->setObjectName(QStringLiteral("id1126"));
    nameLabel->setBuddy(m_pName);

    static const char* const kLatticeLabels[6] = {"&a (A):", "&b (A):", "&c (A):", "", "", ""};
    static const char16_t kGreek[3] = {u'\u03b1', u'\u03b2', u'\u03b3'};
    auto* lattice = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        m_pLattice[i] = new QLineEdit(this);
        m_pLattice[i]->setObjectName(QStringLiteral("id%1").arg(1118 + i));
        m_pLattice[i]->setEnabled(false);
        const QString text = i < 3 ? QString::fromLatin1(kLatticeLabels[i])
                                   : QString(QChar(kGreek[i - 3])) + QStringLiteral(" (deg):");
        auto* label = new QLabel(text, this);
        label->setBuddy(m_pLattice[i]);
        lattice->addWidget(label, i % 3, (i / 3) * 2);
        lattice->addWidget(m_pLattice[i], i % 3, (i / 3) * 2 + 1);
    }

    auto* cellRow = new QHBoxLayout;
    cellRow->addLayout(lattice, 1);
    cellRow->addWidget(new CUnitCellPicture(this));

    // The atoms.
    m_pAtoms = new QTableWidget(0, 6, this);
    m_pAtoms->setObjectName(QStringLiteral("id1124"));
    m_pAtoms->setHorizontalHeaderLabels({QString(), QStringLiteral("Atom"), QStringLiteral("X"),
                                         QStringLiteral("Y"), QStringLiteral("Z"),
                                         QStringLiteral("Occupancy")});
    m_pAtoms->verticalHeader()->hide();
    m_pAtoms->setShowGrid(true);
    m_pAtoms->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pAtoms->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pAtoms->setEditTriggers(QAbstractItemView::NoEditTriggers);
    static const int kWidths[6] = {38, 47, 83, 83, 83, 83};
    for (int i = 0; i < 6; ++i)
        m_pAtoms->setColumnWidth(i, kWidths[i]);
    m_pAtoms->setMinimumWidth(38 + 47 + 4 * 83 + 24);
    m_pAtoms->setAccessibleName(QStringLiteral("Atoms"));

    // The example file and the buttons.
    const ExampleFileRow exampleRow = MakeExampleFileRow(this, m_strExampleFile, 1103);
    QPushButton* formatHelp = exampleRow.formatHelp;

    auto* import = new QPushButton(QStringLiteral("&Import..."), this);
    import->setObjectName(QStringLiteral("id1105"));
    import->setDefault(true);
    auto* saveAs = new QPushButton(QStringLiteral("&Save as..."), this);
    saveAs->setObjectName(QStringLiteral("id1108"));
    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setObjectName(QStringLiteral("id1"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("id2"));
    for (QPushButton* b : {saveAs, m_pOk, cancel, formatHelp})
        b->setAutoDefault(false);
    connect(import, &QPushButton::clicked, this, &CDlgCryst::OnImport);
    connect(saveAs, &QPushButton::clicked, this, &CDlgCryst::OnSaveAs);
    connect(formatHelp, &QPushButton::clicked, this, &CDlgCryst::OnFormatHelp);
    connect(m_pOk, &QPushButton::clicked, this, &CDlgCryst::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgCryst::reject);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {import, saveAs, m_pOk, cancel})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(m_pName, 1);

    auto* left = new QVBoxLayout;
    left->addLayout(nameRow);
    left->addLayout(cellRow);
    left->addWidget(m_pAtoms, 1);
    left->addLayout(exampleRow.layout);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addSpacing(8);
    top->addLayout(buttons);

    FillView();
}

void CDlgCryst::FillView() {
    const bool any = !m_crystal.atoms.empty();
    for (QLineEdit* e : m_pLattice)
        e->setEnabled(any);
    m_pAtoms->setRowCount(0);
    if (!any)
        return;
    m_pName->setText(QString::fromStdString(m_crystal.name));
    const double cell[6] = {m_crystal.a,     m_crystal.b,    m_crystal.c,
                            m_crystal.alpha, m_crystal.beta, m_crystal.gamma};
    for (int i = 0; i < 6; ++i)
        m_pLattice[i]->setText(Number(cell[i]));
    m_pAtoms->setRowCount(static_cast<int>(m_crystal.atoms.size()));
    for (int row = 0; row < m_pAtoms->rowCount(); ++row) {
        const AtomSite& atom = m_crystal.atoms[static_cast<std::size_t>(row)];
        const QString texts[6] = {
            QString::number(row + 1), QString::fromLatin1(ElementSymbol(atom.Z)),
            Number(atom.x),           Number(atom.y),
            Number(atom.z),           Number(atom.occupancy)};
        for (int col = 0; col < 6; ++col)
            m_pAtoms->setItem(row, col, new QTableWidgetItem(texts[col]));
    }
}

bool CDlgCryst::ExchangeLattice() {
    double cell[6];
    for (int i = 0; i < 6; ++i) {
        const std::optional<double> v = i < 3 ? ExchangeReal(m_pLattice[i], kMinLength, kMaxLength)
                                              : ExchangeReal(m_pLattice[i], kMinAngle, kMaxAngle);
        if (!v)
            return false;
        cell[i] = *v;
    }
    m_crystal.a = cell[0], m_crystal.b = cell[1], m_crystal.c = cell[2];
    m_crystal.alpha = cell[3], m_crystal.beta = cell[4], m_crystal.gamma = cell[5];
    return true;
}

void CDlgCryst::OnImport() {
    const QString path = Files().Open(this, QStringLiteral("Open A Crystal Structure File"),
                                      QString::fromLatin1(kStructFilter), QStringLiteral("struct"),
                                      StartFolder(m_strDirCrystal, m_strProgramDir));
    if (path.isEmpty())
        return;
    m_strDirCrystal = FolderOf(path);
    StructReadResult read = ReadStructureFile(path.toStdString(), StructDialect::Xelmor);
    if (!read.data) {
        ShowMessage(this, read.message);
        return;
    }
    m_crystal = std::move(*read.data);
    FillView();
    m_bImported = true;
    m_pOk->setFocus();
}

void CDlgCryst::OnSaveAs() {
    if (m_crystal.atoms.empty()) {
        ShowMessage(this, MakeMessage("No crystal structure available.", MsgIcon::None));
        return;
    }
    if (!ExchangeLattice())
        return;
    const QString path = Files().Save(this, QStringLiteral("Save as A Crystal Structure File"),
                                      QString::fromLatin1(kStructFilter), QStringLiteral("struct"),
                                      StartFolder(m_strDirCrystal, m_strProgramDir), QString());
    if (path.isEmpty())
        return;
    if (const std::optional<Message> failure = SaveStructureXelmor(path.toStdString(), m_crystal))
        ShowMessage(this, *failure);
}

void CDlgCryst::OnFormatHelp() {
    ShowExampleFile(this, m_strExampleFile);
}

void CDlgCryst::accept() {
    if (m_crystal.atoms.empty()) {
        ShowMessage(this,
                    MakeMessage("No Crystal Structure has been imported yet.", MsgIcon::None));
        return;
    }
    if (ExchangeLattice())
        QDialog::accept();
}

} // namespace xelmor
