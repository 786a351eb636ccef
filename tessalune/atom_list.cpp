#include "tessalune/atom_list.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

#include "structfile/elements.h"
#include "structfile/number_format.h"
#include "tessalune/single_atom.h"
#include "xelmor/app/seams.h"

namespace xelmor::tessalune {

namespace {

constexpr int kColumnWidths[CAtomList::ColumnCount] = {30, 50, 95, 95, 95, 70};

QString Num(double v) {
    return QString::fromStdString(FormatNumber(v, 8));
}

double ReadCell(const QString& text) {
    return ParseDouble(text.toStdString());
}

} // namespace

CAtomList::CAtomList(QWidget* parent) : QTableWidget(0, ColumnCount, parent) {
    setObjectName(QStringLiteral("id1100"));
    // The columns' headings are the labels above the list.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    for (int c = 0; c < ColumnCount; ++c)
        setColumnWidth(c, kColumnWidths[c]);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(false);
    AppendEmptyRow();
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int, int) { OnEdit(); });
}

void CAtomList::SetCell(int row, int column, const QString& text) {
    QTableWidgetItem* cell = item(row, column);
    if (cell == nullptr) {
        cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row, column, cell);
    }
    cell->setText(text);
}

QString CAtomList::Cell(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void CAtomList::AppendEmptyRow() {
    const int row = rowCount();
    insertRow(row);
    SetCell(row, ColNumber, QString::number(row + 1));
    for (int c = ColSymbol; c < ColumnCount; ++c)
        SetCell(row, c, QString());
}

void CAtomList::SetAtoms(const std::vector<AtomSite>& atoms) {
    clearContents();
    setRowCount(0);
    for (const AtomSite& atom : atoms) {
        const int row = rowCount();
        insertRow(row);
        const char* symbol = ElementSymbol(atom.Z);
        SetCell(row, ColNumber, QString::number(row + 1));
        SetCell(row, ColSymbol, QString::fromLatin1(symbol ? symbol : ""));
        SetCell(row, ColX, Num(atom.x));
        SetCell(row, ColY, Num(atom.y));
        SetCell(row, ColZ, Num(atom.z));
        SetCell(row, ColOccupancy, Num(atom.occupancy));
    }
    AppendEmptyRow();
}

std::vector<AtomSite> CAtomList::Atoms() const {
    std::vector<AtomSite> atoms;
    for (int row = 0; row < AtomCount(); ++row) {
        AtomSite atom;
        atom.Z = FindElement(Cell(row, ColSymbol).toStdString());
        atom.x = ReadCell(Cell(row, ColX));
        atom.y = ReadCell(Cell(row, ColY));
        atom.z = ReadCell(Cell(row, ColZ));
        atom.occupancy = ReadCell(Cell(row, ColOccupancy));
        atoms.push_back(atom);
    }
    return atoms;
}

std::vector<int> CAtomList::AtomZ() const {
    std::vector<int> out;
    for (int row = 0; row < AtomCount(); ++row)
        out.push_back(FindElement(Cell(row, ColSymbol).toStdString()));
    return out;
}

QStringList CAtomList::AtomTexts(int row) const {
    QStringList out;
    for (int c = ColSymbol; c < ColumnCount; ++c)
        out << Cell(row, c);
    return out;
}

int CAtomList::SelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void CAtomList::SelectRow(int row) {
    setCurrentCell(row, ColNumber);
    selectRow(row);
}

bool CAtomList::OnCommand(int id) {
    switch (id) {
    case ID_ATOMLIST_EDIT:
        OnEdit();
        return true;
    case ID_ATOMLIST_DELETE:
        OnDelete();
        return true;
    default:
        return false;
    }
}

void CAtomList::OnEdit() {
    const int row = SelectedRow();
    if (row < 0)
        return;
    scrollToItem(item(row, ColNumber));
    const bool adding = row == AtomCount();
    AtomInput input; // a new atom: the blank entry, at the origin, fully occupied
    if (!adding) {
        input.element = FindElement(Cell(row, ColSymbol).toStdString());
        input.x = ReadCell(Cell(row, ColX));
        input.y = ReadCell(Cell(row, ColY));
        input.z = ReadCell(Cell(row, ColZ));
        input.occupancy = ReadCell(Cell(row, ColOccupancy));
    }
    CSingleAtom dialog(input, window());
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    const AtomInput& atom = dialog.Atom();
    SetCell(row, ColSymbol, QString::fromLatin1(ElementSymbol(atom.element)));
    SetCell(row, ColX, Num(atom.x));
    SetCell(row, ColY, Num(atom.y));
    SetCell(row, ColZ, Num(atom.z));
    SetCell(row, ColOccupancy, Num(atom.occupancy));
    if (adding)
        AppendEmptyRow();
}

void CAtomList::OnDelete() {
    const int row = SelectedRow();
    if (row < 0 || row == AtomCount())
        return;
    scrollToItem(item(row, ColNumber));
    removeRow(row);
    Renumber();
}

void CAtomList::Renumber() {
    for (int row = 0; row < rowCount(); ++row)
        SetCell(row, ColNumber, QString::number(row + 1));
}

std::unique_ptr<QMenu> CAtomList::ContextMenu() {
    const int row = SelectedRow();
    if (row < 0)
        return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    QAction* edit = menu->addAction(QStringLiteral("&Edit\t^E/ Dblclk"));
    connect(edit, &QAction::triggered, this, [this] { OnCommand(ID_ATOMLIST_EDIT); });
    QAction* remove = menu->addAction(QStringLiteral("&Delete\tDel"));
    remove->setEnabled(row != AtomCount());
    connect(remove, &QAction::triggered, this, [this] { OnCommand(ID_ATOMLIST_DELETE); });
    return menu;
}

void CAtomList::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu = ContextMenu();
    if (!menu)
        return;
    QPoint at = event->globalPos();
    // From the keyboard the menu opens at the selected row.
    if (event->reason() == QContextMenuEvent::Keyboard)
        at = viewport()->mapToGlobal(visualItemRect(item(SelectedRow(), ColSymbol)).center());
    menu->exec(at);
}

void CAtomList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_E:
        OnCommand(ID_ATOMLIST_EDIT);
        return;
    case Qt::Key_Delete:
        OnCommand(ID_ATOMLIST_DELETE);
        return;
    default:
        QTableWidget::keyPressEvent(event);
    }
}

} // namespace xelmor::tessalune
