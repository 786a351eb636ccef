// The "Crystal Structure" dialog: imports a structure file, lists its atoms, edits the six
// lattice parameters and saves the structure again.
#pragma once

#include <QDialog>
#include <QString>

#include "structfile/struct_file.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace xelmor {

class CEdit_Color;

class CDlgCryst : public QDialog {
    Q_OBJECT
public:
    // `crystal`: the structure the program holds (no atoms: none). `dirCrystal`: the folder of
    // the last structure file imported; `programDir` holds the example file.
    CDlgCryst(const StructureData& crystal, const QString& dirCrystal, const QString& programDir,
              QWidget* parent = nullptr);

    // The dialog's structure: after OK with the lattice parameters as typed.
    const StructureData& Crystal() const { return m_crystal; }
    // Whether a file was read while the dialog was open.
    bool Imported() const { return m_bImported; }
    // The folder of the last file chosen for import (also when it could not be read).
    const QString& DirCrystal() const { return m_strDirCrystal; }

    // Refuses without a structure ("No Crystal Structure has been imported yet.") and checks
    // the six lattice edits.
    void accept() override;

private:
    void OnImport();
    void OnSaveAs();
    void OnFormatHelp();
    // Reads the six lattice edits in order into the structure: lengths 0.001 .. 5000, angles
    // 0.001 .. 179.999. The first that fails shows the range prompt and takes the focus.
    bool ExchangeLattice();
    // Name, lattice edits and the atom list from the structure.
    void FillView();

    StructureData m_crystal;
    bool m_bImported = false;
    QString m_strDirCrystal;
    QString m_strProgramDir;
    QString m_strExampleFile;

    CEdit_Color* m_pName = nullptr;   // 1126
    QLineEdit* m_pLattice[6] = {};    // 1118 .. 1123: a, b, c, alpha, beta, gamma
    QTableWidget* m_pAtoms = nullptr; // 1124
    QPushButton* m_pOk = nullptr;
};

} // namespace xelmor
