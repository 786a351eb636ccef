#include "tessalune/single_atom.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

#include "structfile/elements.h"
#include "structfile/number_format.h"
#include "tessalune/data_exchange.h"
#include "xelmor/app/seams.h"

namespace xelmor::tessalune {

namespace {

constexpr double kCoordMin = -10.0;
constexpr double kCoordMax = 10.0;
constexpr double kOccupancyMin = 1e-30;
constexpr double kOccupancyMax = 1.0;

QLineEdit* NumberEdit(QWidget* parent, int id, double value) {
    auto* edit = new QLineEdit(QString::fromStdString(FormatNumber(value, 8)), parent);
    edit->setObjectName(QStringLiteral("id%1").arg(id));
    return edit;
}

} // namespace

CSingleAtom::CSingleAtom(const AtomInput& atom, QWidget* parent) : QDialog(parent), m_atom(atom) {
    setWindowTitle(QStringLiteral("Add or Modify Individual Atom"));

    m_pElement = new QComboBox(this);
    m_pElement->setObjectName(QStringLiteral("id1092"));
    m_pElement->addItem(QStringLiteral(" "));
    for (int Z = 1; Z <= kElementCount; ++Z)
        m_pElement->addItem(QString::fromLatin1(ElementSymbol(Z)));
    m_pElement->setMaxVisibleItems(20);
    m_pElement->setCurrentIndex(atom.element >= 0 && atom.element <= kElementCount ? atom.element
                                                                                   : -1);

    const int coordIds[3] = {1093, 1029, 1030};
    const double coords[3] = {atom.x, atom.y, atom.z};
    for (int i = 0; i < 3; ++i)
        m_pCoord[i] = NumberEdit(this, coordIds[i], coords[i]);
    m_pOccupancy = NumberEdit(this, 1031, atom.occupancy);

    auto* grid = new QGridLayout;
    const char* const captions[5] = {"Atoms:", "X:", "Y:", "Z:", "Occupancy:"};
    QWidget* fields[5] = {m_pElement, m_pCoord[0], m_pCoord[1], m_pCoord[2], m_pOccupancy};
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(QString::fromLatin1(captions[i]), this);
        label->setBuddy(fields[i]);
        grid->addWidget(label, 0, i);
        grid->addWidget(fields[i], 1, i);
        fields[i]->setMinimumWidth(i == 0 ? 60 : 90);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("id1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("id2"));
    connect(ok, &QPushButton::clicked, this, &CSingleAtom::accept);
    connect(cancel, &QPushButton::clicked, this, &CSingleAtom::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    m_pElement->setFocus();
}

void CSingleAtom::accept() {
    double coords[3] = {};
    for (int i = 0; i < 3; ++i) {
        const std::optional<double> v = ExchangeReal(m_pCoord[i], kCoordMin, kCoordMax);
        if (!v)
            return;
        coords[i] = *v;
    }
    const std::optional<double> occupancy =
        ExchangeReal(m_pOccupancy, kOccupancyMin, kOccupancyMax);
    if (!occupancy)
        return;
    const int element = m_pElement->currentIndex();
    if (element <= 0) {
        ShowMessage(this, MakeMessage("Please select an atom! ", MsgIcon::None));
        m_pElement->setFocus();
        return;
    }
    m_atom.element = element;
    m_atom.x = coords[0];
    m_atom.y = coords[1];
    m_atom.z = coords[2];
    m_atom.occupancy = *occupancy;
    QDialog::accept();
}

} // namespace xelmor::tessalune
