// The editor's atom list: one row per atom and, always last, an empty row that stands for
// adding an atom; edited through the atom dialog, by double-click, the E key, the Delete key
// and a context menu.
#pragma once

#include <QTableWidget>

#include <memory>
#include <vector>

#include "structfile/atom_site.h"

class QMenu;

namespace xelmor::tessalune {

// The commands of the list's context menu.
enum AtomListCommand {
    ID_ATOMLIST_DELETE = 32771, // "AtomList_Delete"
    ID_ATOMLIST_EDIT = 32772,   // "AtomList Edit"
};

class CAtomList : public QTableWidget {
    Q_OBJECT
public:
    // Columns: row number, element symbol, X, Y, Z, occupancy.
    enum Column { ColNumber, ColSymbol, ColX, ColY, ColZ, ColOccupancy, ColumnCount };

    explicit CAtomList(QWidget* parent = nullptr);

    // Replaces the rows with one row per atom and the empty row.
    void SetAtoms(const std::vector<AtomSite>& atoms);
    // The atoms of the rows, in list order (the empty row left out).
    std::vector<AtomSite> Atoms() const;
    // The atomic numbers of the rows' symbols, in list order.
    std::vector<int> AtomZ() const;
    // The number of atoms: the rows but the empty one.
    int AtomCount() const { return rowCount() - 1; }
    // The cell texts of atom row `row` (symbol, X, Y, Z, occupancy).
    QStringList AtomTexts(int row) const;

    // The selected row, -1 when none.
    int SelectedRow() const;
    void SelectRow(int row);

    // Runs a list command; false for an id that is not one.
    bool OnCommand(int id);
    // Edits the selected row in the atom dialog (the empty row adds an atom).
    void OnEdit();
    // Deletes the selected atom row and renumbers the rows.
    void OnDelete();

    // The context menu for the current selection; null without one.
    std::unique_ptr<QMenu> ContextMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void AppendEmptyRow();
    void SetCell(int row, int column, const QString& text);
    QString Cell(int row, int column) const;
    void Renumber();
};

} // namespace xelmor::tessalune
