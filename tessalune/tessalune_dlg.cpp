#include "tessalune/tessalune_dlg.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

#include "structfile/elements.h"
#include "structfile/number_format.h"
#include "tessalune/atom_list.h"
#include "tessalune/crystal_density.h"
#include "tessalune/data_exchange.h"
#include "tessalune/pictures.h"
#include "xelmor/app/seams.h"

namespace xelmor::tessalune {

namespace {

constexpr double kLengthMin = 0.001;
constexpr double kLengthMax = 5000.0;
constexpr double kAngleMin = 0.001;
constexpr double kAngleMax = 179.999;

constexpr const char* kOpenTitle = "Open Crystal Structure File";
constexpr const char* kOpenFilter =
    "Crystal Structure Files (*.struct)|*.struct|All Files (*.*)|*.*||";
constexpr const char* kSaveTitle = "Save Crystal Structure";
constexpr const char* kSaveFilter = "Structure File (*.struct)|*.struct|All Files (*.*)|*.*||";
constexpr const char* kStructExt = "struct";

QString Num(double v) {
    return QString::fromStdString(FormatNumber(v, 8));
}

std::string RangeMessage(double lo, double hi) {
    return "Please enter a number between " + FormatBound(lo) + " and " + FormatBound(hi) + ".";
}

QString Id(int id) {
    return QStringLiteral("id%1").arg(id);
}

QLineEdit* MakeEdit(QWidget* parent, int id, int width) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(Id(id));
    edit->setMinimumWidth(width);
    return edit;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, QWidget* buddy = nullptr) {
    auto* label = new QLabel(text, parent);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

// A label whose text stands for a picture of a symbol or unit, in the serif face those
// pictures use.
QLabel* SymbolLabel(QWidget* parent, const QString& text, QWidget* buddy = nullptr) {
    QLabel* label = MakeLabel(parent, text, buddy);
    QFont serif(QStringLiteral("Times New Roman"));
    serif.setPointSizeF(label->font().pointSizeF() * 1.15);
    label->setFont(serif);
    return label;
}

// The kind a temperature edit is labelled with ("645 (Si)" -> 14), 0 when it names none.
int KindLabel(const QString& text) {
    const QString t = text.trimmed();
    const int open = t.lastIndexOf(QLatin1Char('('));
    if (open < 0 || !t.endsWith(QLatin1Char(')')))
        return 0;
    return FindElement(t.mid(open + 1, t.size() - open - 2).trimmed().toStdString());
}

// The distinct atomic numbers in ascending order.
std::vector<int> Kinds(const std::vector<int>& atomZ) {
    std::vector<AtomSite> atoms;
    for (int Z : atomZ)
        atoms.push_back(AtomSite{Z, 0, 0, 0, 1});
    return AtomKinds(atoms);
}

} // namespace

CTessaluneDlg::CTessaluneDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Editor of Crystal Structures"));
    setWindowIcon(TessaluneIcon());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // Name.
    m_pName = MakeEdit(this, 1007, 260);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(MakeLabel(this, QStringLiteral("Crystal Name:"), m_pName));
    nameRow->addWidget(m_pName, 1);

    // Cell: lengths left, angles right, the picture of the cell beside them.
    for (int i = 0; i < 6; ++i)
        m_pCell[i] = MakeEdit(this, 1008 + i, 90);
    auto* cell = new QGridLayout;
    const char* const lengthLabels[3] = {"a =", "b =", "c ="};
    const QString angleLabels[3] = {QStringLiteral("\u03B1 ="), QStringLiteral("\u03B2 ="),
                                    QStringLiteral("\u03B3 =")};
    for (int i = 0; i < 3; ++i) {
        cell->addWidget(MakeLabel(this, QString::fromLatin1(lengthLabels[i]), m_pCell[i]), i, 0,
                        Qt::AlignRight);
        cell->addWidget(m_pCell[i], i, 1);
        cell->addWidget(SymbolLabel(this, angleLabels[i], m_pCell[3 + i]), i, 3, Qt::AlignRight);
        cell->addWidget(m_pCell[3 + i], i, 4);
    }
    cell->addWidget(SymbolLabel(this, QStringLiteral("\u00C5")), 2, 2);
    cell->addWidget(SymbolLabel(this, QStringLiteral("\u00B0")), 2, 5);
    cell->setColumnMinimumWidth(2, 24);
    cell->setColumnMinimumWidth(5, 12);
    cell->setColumnStretch(6, 1);
    auto* cellBox = new QVBoxLayout;
    cellBox->addLayout(nameRow);
    cellBox->addSpacing(6);
    cellBox->addLayout(cell);
    cellBox->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(cellBox, 1);
    top->addWidget(new CUnitCellPicture(this));

    // Atoms, with the labels of the list's columns above it.
    m_pAtoms = new CAtomList(this);
    m_pAtoms->setMinimumSize(470, 210);
    auto* coordTitle = new QLabel(QStringLiteral("Fractional Coordinates in Unit Cell"), this);
    coordTitle->setAlignment(Qt::AlignCenter);
    auto* coordRow = new QHBoxLayout;
    coordRow->setSpacing(0);
    coordRow->addSpacing(30 + 50 + 2);
    coordTitle->setFixedWidth(3 * 95);
    coordRow->addWidget(coordTitle);
    coordRow->addStretch();
    auto* headings = new QHBoxLayout;
    headings->setSpacing(0);
    headings->addSpacing(30 + 2);
    const char* const headingTexts[5] = {"Atoms:", "X:", "Y:", "Z:", "Occupancy:"};
    const int headingWidths[5] = {50, 95, 95, 95, 70};
    for (int i = 0; i < 5; ++i) {
        QLabel* heading = MakeLabel(this, QString::fromLatin1(headingTexts[i]));
        // The last column stretches, and so may its heading.
        if (i < 4)
            heading->setFixedWidth(headingWidths[i]);
        else
            heading->setMinimumWidth(headingWidths[i]);
        heading->setIndent(3);
        if (i == 0)
            heading->setBuddy(m_pAtoms);
        headings->addWidget(heading, i < 4 ? 0 : 1);
    }
    auto* atoms = new QVBoxLayout;
    atoms->setSpacing(2);
    atoms->addLayout(coordRow);
    atoms->addLayout(headings);
    atoms->addWidget(m_pAtoms, 1);

    // Debye temperatures.
    auto* temperatures = new QGridLayout;
    temperatures->setVerticalSpacing(3);
    temperatures->addWidget(
        new QLabel(QStringLiteral("Debye Temperatures: (set 0 if unknown)"), this), 0, 0, 1, 3);
    for (int i = 0; i < 6; ++i) {
        m_pTemperature[i] = MakeEdit(this, 1015 + i, 110);
        temperatures->addWidget(
            MakeLabel(this, QStringLiteral("%1:").arg(i + 1), m_pTemperature[i]), i + 1, 0,
            Qt::AlignRight);
        temperatures->addWidget(m_pTemperature[i], i + 1, 1);
        temperatures->addWidget(new QLabel(QStringLiteral("K"), this), i + 1, 2);
    }
    temperatures->setColumnStretch(1, 1);
    auto* sixKinds = new QLabel(
        QStringLiteral("Add ONE temperature for EACH KIND of atoms. If > 6 kinds of atoms, use "
                       "Notepad to manually add the reamaining temperatures."),
        this);
    auto* sorted = new QLabel(QStringLiteral("The temperatures MUST be strictly sorted by the "
                                             "Z-number of atoms from low to high! See "
                                             "\"GaAs.struct\"."),
                              this);
    for (QLabel* note : {sixKinds, sorted}) {
        note->setWordWrap(true);
        note->setFixedWidth(230);
    }
    auto* right = new QVBoxLayout;
    right->addLayout(temperatures);
    right->addSpacing(6);
    right->addWidget(sixKinds);
    right->addSpacing(4);
    right->addWidget(sorted);
    right->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addLayout(atoms, 1);
    middle->addSpacing(10);
    middle->addLayout(right);

    // Density and the file buttons.
    auto* density = new QPushButton(QStringLiteral("Density:"), this);
    density->setObjectName(Id(1102));
    m_pDensity = MakeEdit(this, 1101, 110);
    m_pDensity->setReadOnly(true);
    m_pOpen = new QPushButton(QStringLiteral("Open ..."), this);
    m_pOpen->setObjectName(Id(1074));
    m_pOpen->setDefault(true);
    auto* save = new QPushButton(QStringLiteral("Save As ..."), this);
    save->setObjectName(Id(1038));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(Id(1));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(density);
    buttons->addWidget(m_pDensity);
    buttons->addWidget(SymbolLabel(this, QStringLiteral("g/cm\u00B3")));
    buttons->addStretch();
    buttons->addWidget(m_pOpen);
    buttons->addWidget(save);
    buttons->addWidget(close);

    auto* notes = new QHBoxLayout;
    notes->addWidget(new QLabel(QStringLiteral("You can also use Notepad to edit\n <*.struct> "
                                               "files, see <Silicon.struct>."),
                                this));
    notes->addStretch();
    auto* remember = new QLabel(QStringLiteral("(Rember to save if new or modified !!!)"), this);
    QFont bold = remember->font();
    bold.setBold(true);
    remember->setFont(bold);
    notes->addWidget(remember);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(4);
    layout->addLayout(middle, 1);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->addLayout(notes);

    connect(density, &QPushButton::clicked, this, &CTessaluneDlg::OnDensity);
    connect(m_pOpen, &QPushButton::clicked, this, &CTessaluneDlg::OnOpen);
    connect(save, &QPushButton::clicked, this, &CTessaluneDlg::OnSaveAs);
    connect(close, &QPushButton::clicked, this, &CTessaluneDlg::reject);

    // A new structure: no name, no atoms, a cell of zero edges and right angles.
    m_struct.alpha = m_struct.beta = m_struct.gamma = 90.0;
    m_struct.temperatures.assign(kMaxTemperatureKinds, 0.0);
    m_strLengthRange = RangeMessage(kLengthMin, kLengthMax);
    m_strAngleRange = RangeMessage(kAngleMin, kAngleMax);
    RefreshControls();
}

void CTessaluneDlg::RefreshControls() {
    m_pName->setText(QString::fromStdString(m_struct.name));
    const double cell[6] = {m_struct.a,     m_struct.b,    m_struct.c,
                            m_struct.alpha, m_struct.beta, m_struct.gamma};
    for (int i = 0; i < 6; ++i)
        m_pCell[i]->setText(Num(cell[i]));
    for (QLineEdit* edit : m_pTemperature)
        edit->clear();
    m_kindList = Kinds(m_pAtoms->AtomZ());
    if (m_kindList.size() > static_cast<std::size_t>(kMaxTemperatureKinds))
        m_kindList.resize(kMaxTemperatureKinds);
    for (std::size_t i = 0; i < m_kindList.size(); ++i) {
        const double t = i < m_struct.temperatures.size() ? m_struct.temperatures[i] : 0.0;
        m_pTemperature[i]->setText(Num(t) + QStringLiteral(" (") +
                                   QString::fromLatin1(ElementSymbol(m_kindList[i])) +
                                   QLatin1Char(')'));
    }
}

void CTessaluneDlg::Refuse(QLineEdit* edit, const std::string& text) {
    ShowMessage(this, MakeMessage(text, MsgIcon::None));
    FocusField(edit);
}

void CTessaluneDlg::CollectTemperatures(const std::vector<int>& kinds) {
    double value[kMaxTemperatureKinds] = {};
    int label[kMaxTemperatureKinds] = {};
    for (int i = 0; i < kMaxTemperatureKinds; ++i) {
        const QString text = m_pTemperature[i]->text();
        const double t = ParseDouble(text.toStdString());
        // A negative temperature counts as unknown, and so does one too large for a number.
        value[i] = t > 0.0 && std::isfinite(t) ? t : 0.0;
        label[i] = KindLabel(text);
    }
    // A temperature the edits show as "360 (Ga)" belongs to gallium: when atoms of other kinds
    // were added or removed it moves with its kind instead of staying in its position. The
    // kinds without such an edit take the unlabelled edits in order, as typed.
    std::vector<double>& slot = m_struct.temperatures;
    slot.assign(kMaxTemperatureKinds, 0.0);
    bool taken[kMaxTemperatureKinds] = {};
    bool given[kMaxTemperatureKinds] = {};
    const int held = std::min<int>(static_cast<int>(kinds.size()), kMaxTemperatureKinds);
    for (int j = 0; j < held; ++j) {
        for (int i = 0; i < kMaxTemperatureKinds; ++i) {
            if (label[i] == kinds[j] && !taken[i]) {
                slot[j] = value[i];
                taken[i] = given[j] = true;
                break;
            }
        }
    }
    int next = 0;
    for (int j = 0; j < kMaxTemperatureKinds; ++j) {
        if (given[j])
            continue;
        while (next < kMaxTemperatureKinds && label[next] != 0)
            ++next;
        if (next == kMaxTemperatureKinds)
            break;
        slot[j] = value[next++];
    }
}

bool CTessaluneDlg::CollectAndCheck() {
    const std::string name = m_pName->text().trimmed().toStdString();
    if (name.empty()) {
        Refuse(m_pName, "Please enter a crystal name!   ");
        return false;
    }
    double cell[6] = {};
    for (int i = 0; i < 6; ++i) {
        const double v = ParseDouble(m_pCell[i]->text().toStdString());
        bool accepted = false;
        if (i < 3)
            accepted = v >= kLengthMin && v <= kLengthMax;
        else if (i == 3)
            accepted = v >= kAngleMin && v <= kAngleMax;
        else
            accepted = v >= kAngleMin && v < kAngleMax;
        if (!accepted) {
            Refuse(m_pCell[i], i < 3 ? m_strLengthRange : m_strAngleRange);
            return false;
        }
        cell[i] = v;
    }
    if (m_pAtoms->AtomCount() == 0) {
        ShowMessage(this, MakeMessage("No atom was added!   ", MsgIcon::None));
        m_pAtoms->setFocus();
        m_pAtoms->SelectRow(0);
        return false;
    }

    m_struct.name = name;
    m_struct.a = cell[0];
    m_struct.b = cell[1];
    m_struct.c = cell[2];
    m_struct.alpha = cell[3];
    m_struct.beta = cell[4];
    m_struct.gamma = cell[5];
    m_struct.atoms = m_pAtoms->Atoms();
    CollectTemperatures(Kinds(m_pAtoms->AtomZ()));
    RefreshControls();
    return true;
}

void CTessaluneDlg::OnDensity() {
    if (!CollectAndCheck())
        return;
    const std::optional<double> volume = CellVolume(m_struct.a, m_struct.b, m_struct.c,
                                                    m_struct.alpha, m_struct.beta, m_struct.gamma);
    if (!volume) {
        // Angles such as 170, 170, 170 pass each its own check but span no cell: there is no
        // volume to divide by.
        m_pDensity->clear();
        ShowMessage(this, MakeMessage("The cell angles alpha, beta and gamma do not form a "
                                      "unit cell.",
                                      MsgIcon::Exclamation));
        FocusField(m_pCell[3]);
        return;
    }
    m_pDensity->setText(Num(CrystalDensity(m_pAtoms->AtomZ(), *volume)));
}

void CTessaluneDlg::OnOpen() {
    const QString path =
        Files().Open(this, QString::fromLatin1(kOpenTitle), QString::fromLatin1(kOpenFilter),
                     QString::fromLatin1(kStructExt), QString());
    if (path.isEmpty())
        return;
    StructReadResult read =
        ReadStructureFile(QDir::toNativeSeparators(path).toStdString(), StructDialect::Tessalune);
    if (!read.data) {
        m_struct.name.clear();
        m_struct.atoms.clear();
        ShowMessage(this, read.message);
        return;
    }
    m_struct = std::move(*read.data);
    m_struct.temperatures.resize(kMaxTemperatureKinds, 0.0);
    m_pAtoms->SetAtoms(m_struct.atoms);
    RefreshControls();
    // The density shown belonged to the structure before.
    m_pDensity->clear();
}

void CTessaluneDlg::OnSaveAs() {
    if (!CollectAndCheck())
        return;
    QString proposed = QString::fromStdString(m_struct.name);
    // The name is proposed as a file name: a separator in it would make it a path.
    proposed.replace(QLatin1Char('/'), QLatin1Char('_'));
    proposed.replace(QDir::separator(), QLatin1Char('_'));
    const QString path =
        Files().Save(this, QString::fromLatin1(kSaveTitle), QString::fromLatin1(kSaveFilter),
                     QString::fromLatin1(kStructExt), QString(), proposed);
    if (path.isEmpty())
        return;
    const std::optional<Message> failure =
        SaveStructureTessalune(QDir::toNativeSeparators(path).toStdString(), m_struct);
    if (failure)
        ShowMessage(this, *failure);
}

} // namespace xelmor::tessalune
