// Helpers of the editor's widget tests: finding controls by id, the rows of the atom list,
// adding atoms through the atom dialog and writing structure files.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "tessalune/atom_list.h"
#include "tessalune/tessalune_dlg.h"
#include "tests/gui/seam_doubles.h"
#include "tests/gui/test_files.h"

namespace xelmor::test {

using namespace xelmor::tessalune;

inline QString DataFile(const char* name) {
    return QStringLiteral(TESSALUNE_TEST_DATA "/") + QLatin1String(name);
}

inline QLineEdit* Edit(QWidget& w, const char* id) {
    return w.findChild<QLineEdit*>(QLatin1String(id));
}

inline CAtomList* List(QWidget& w) {
    return w.findChild<CAtomList*>(QStringLiteral("id1100"));
}

inline void Press(QWidget& w, const char* id) {
    QPushButton* b = w.findChild<QPushButton*>(QLatin1String(id));
    QVERIFY2(b, id);
    QTest::mouseClick(b, Qt::LeftButton);
}

inline QString FocusId() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// The texts of the atom list, row by row (number, symbol, X, Y, Z, occupancy).
inline QList<QStringList> Rows(QWidget& w) {
    CAtomList* list = List(w);
    QList<QStringList> rows;
    for (int r = 0; r < list->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < list->columnCount(); ++c)
            row << (list->item(r, c) ? list->item(r, c)->text() : QString());
        rows << row;
    }
    return rows;
}

// The six temperature edits' texts.
inline QStringList Temperatures(QWidget& w) {
    QStringList out;
    for (int id = 1015; id <= 1020; ++id)
        out << Edit(w, QStringLiteral("id%1").arg(id).toLatin1().constData())->text();
    return out;
}

// Fills the atom dialog (element index, x, y, z, occupancy as typed) and presses OK.
inline void FillAtom(QDialog& d, int element, const QString& x, const QString& y, const QString& z,
                     const QString& occupancy) {
    d.findChild<QComboBox*>(QStringLiteral("id1092"))->setCurrentIndex(element);
    Edit(d, "id1093")->setText(x);
    Edit(d, "id1029")->setText(y);
    Edit(d, "id1030")->setText(z);
    Edit(d, "id1031")->setText(occupancy);
    Press(d, "id1");
}

// Adds an atom through the empty row and the atom dialog.
inline void AddAtom(QWidget& w, int Z, double x, double y, double z, double occupancy = 1.0) {
    CAtomList* list = List(w);
    DialogScript script([&](QDialog& d) {
        FillAtom(d, Z, QString::number(x), QString::number(y), QString::number(z),
                 QString::number(occupancy));
    });
    list->SelectRow(list->rowCount() - 1);
    list->OnEdit();
}

// Name and cell edits in one go.
inline void SetCell(QWidget& w, const QString& name, const QStringList& cell) {
    Edit(w, "id1007")->setText(name);
    const char* const ids[6] = {"id1008", "id1009", "id1010", "id1011", "id1012", "id1013"};
    for (int i = 0; i < 6; ++i)
        Edit(w, ids[i])->setText(cell[i]);
}

inline QStringList CellTexts(QWidget& w) {
    QStringList out;
    for (const char* id : {"id1008", "id1009", "id1010", "id1011", "id1012", "id1013"})
        out << Edit(w, id)->text();
    return out;
}

inline QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// The eight atoms of the diamond structure with the element Z.
inline void AddDiamondAtoms(QWidget& w, int Z) {
    const double fcc[4][3] = {{0, 0, 0}, {0, 0.5, 0.5}, {0.5, 0, 0.5}, {0.5, 0.5, 0}};
    for (double shift : {0.0, 0.25})
        for (const auto& f : fcc)
            AddAtom(w, Z, f[0] + shift, f[1] + shift, f[2] + shift);
}

} // namespace xelmor::test
