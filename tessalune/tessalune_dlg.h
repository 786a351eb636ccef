// The editor's main dialog, "Editor of Crystal Structures": the crystal name, the cell, the
// atom list, the Debye temperatures of up to six kinds of atoms and the density; opens and
// saves structure files in the editor's own dialect.
#pragma once

#include <QDialog>
#include <QString>

#include <string>

#include "structfile/struct_file.h"

class QLineEdit;
class QPushButton;

namespace xelmor::tessalune {

class CAtomList;

class CTessaluneDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTessaluneDlg(QWidget* parent = nullptr);

    // The structure of the last successful check or Open: the temperature slots hold one
    // temperature per kind of atom in ascending Z.
    const StructureData& Structure() const { return m_struct; }
    // The distinct atomic numbers of the list in ascending order, at most six: the kinds the
    // temperature edits belong to.
    const std::vector<int>& KindList() const { return m_kindList; }

    void OnDensity();
    void OnOpen();
    void OnSaveAs();

private:
    // Name, cell and temperatures from the structure; the kinds from the atom list.
    void RefreshControls();
    // Rebuilds the structure from the controls and checks it; on failure the message is shown,
    // the offending control has the focus and the controls keep what was typed.
    bool CollectAndCheck();
    // Reads the temperature edits into the six slots of the kinds (ascending Z): an edit
    // labelled with a kind ("360 (Ga)") gives that kind its temperature, the unlabelled edits
    // go in order to the other kinds. Negative values count as 0.
    void CollectTemperatures(const std::vector<int>& kinds);
    void Refuse(QLineEdit* edit, const std::string& text);

    StructureData m_struct;
    std::vector<int> m_kindList;
    std::string m_strLengthRange; // "Please enter a number between 0.001 and 5000."
    std::string m_strAngleRange;  // "Please enter a number between 0.001 and 179.999."

    QLineEdit* m_pName = nullptr;      // 1007
    QLineEdit* m_pCell[6] = {};        // 1008 .. 1013: a, b, c, alpha, beta, gamma
    CAtomList* m_pAtoms = nullptr;     // 1100
    QLineEdit* m_pTemperature[6] = {}; // 1015 .. 1020
    QLineEdit* m_pDensity = nullptr;   // 1101
    QPushButton* m_pOpen = nullptr;    // 1074
};

} // namespace xelmor::tessalune
