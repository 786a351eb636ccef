#include "xelmor/dialogs/dlg_struct_fact.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "xelmor/core/intensity.h"
#include "xelmor/panel/input_controls.h"

namespace xelmor {

namespace {

const int kIndexIds[3] = {1117, 1104, 1105};
const char* const kIndexNames[3] = {"&h:", "&k:", "&l:"};
// The "-" and "+" button of each index.
const int kMinusIds[3] = {1131, 1133, 1135};
const int kPlusIds[3] = {1130, 1132, 1134};

} // namespace

CDlgStructFact::CDlgStructFact(const ReciprocalBasis& basis, std::vector<ElementGroup> groups,
                               QWidget* parent)
    : QDialog(parent), m_basis(basis), m_groups(std::move(groups)) {
    setObjectName(QStringLiteral("id396"));
    setWindowTitle(QStringLiteral("Structure Factor (Approximately)"));

    auto* indices = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_pIndex[i] = new QLineEdit(QStringLiteral("0"), this);
        m_pIndex[i]->setObjectName(QStringLiteral("id%1").arg(kIndexIds[i]));
        m_pIndex[i]->setMaximumWidth(60);
        auto* label = new QLabel(QString::fromLatin1(kIndexNames[i]), this);
        label->setBuddy(m_pIndex[i]);
        indices->addWidget(label);
        indices->addWidget(m_pIndex[i]);
        // The "-" button reads the edit: integers, cut toward zero.
        for (int direction : {0, 1}) {
            auto* b = new CUnitStepButton(
                direction == 1 ? QStringLiteral("+") : QStringLiteral("-"), this);
            b->setObjectName(
                QStringLiteral("id%1").arg(direction == 1 ? kPlusIds[i] : kMinusIds[i]));
            b->SetEdit(m_pIndex[i]);
            b->SetDirection(direction == 1 ? 1 : -1);
            b->SetInteger(direction == 0);
            b->setAutoDefault(false);
            b->setFixedWidth(22);
            indices->addWidget(b);
            if (direction == 0)
                m_pMinus[i] = b;
        }
        indices->addSpacing(8);
    }
    indices->addStretch(1);

    auto* results = new QGridLayout;
    struct Result {
        QLineEdit** edit;
        int id;
        const char* label;
        const char* unit;
    };
    const Result rows[] = {{&m_pAbsF, 1192, "| F| =", ""},
                           {&m_pPhase, 1129, "Phase =", "\u00b0"},
                           {&m_pD, 1193, "d-spacing:", "A"}};
    int r = 0;
    for (const Result& row : rows) {
        auto* edit = new CEdit_Color(this);
        edit->setObjectName(QStringLiteral("id%1").arg(row.id));
        edit->setMinimumWidth(140);
        *row.edit = edit;
        auto* label = new QLabel(QString::fromLatin1(row.label), this);
        label->setBuddy(edit);
        results->addWidget(label, r, 0, Qt::AlignRight);
        results->addWidget(edit, r, 1);
        results->addWidget(new QLabel(QString::fromUtf8(row.unit), this), r, 2);
        ++r;
    }
    results->setColumnStretch(3, 1);

    auto* calculate = new QPushButton(QStringLiteral("&Calculate"), this);
    calculate->setObjectName(QStringLiteral("id1165"));
    calculate->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("id2"));
    close->setAutoDefault(false);
    connect(calculate, &QPushButton::clicked, this, &CDlgStructFact::OnCalculate);
    connect(close, &QPushButton::clicked, this, &CDlgStructFact::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(calculate);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(indices);
    layout->addLayout(results);
    layout->addLayout(buttons);

    OnCalculate();
}

void CDlgStructFact::OnCalculate() {
    int hkl[3];
    for (int i = 0; i < 3; ++i)
        hkl[i] = static_cast<int>(m_pMinus[i]->ReadValue());
    const StructureFactorTexts t =
        FormatStructureFactor(CalculateStructureFactor(m_basis, m_groups, hkl[0], hkl[1], hkl[2]));
    m_pAbsF->setText(QString::fromStdString(t.absF));
    m_pPhase->setText(QString::fromStdString(t.phase));
    m_pD->setText(QString::fromStdString(t.d));
}

} // namespace xelmor
