// The "Add or Modify Individual Atom" dialog: the element and the fractional coordinates and
// occupancy of one atom.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace xelmor::tessalune {

// The values the atom dialog edits.
struct AtomInput {
    int element = 0; // index into the element list: 0 the blank entry, 1..92 H..U; -1 none
    double x = 0.0, y = 0.0, z = 0.0;
    double occupancy = 1.0;
};

class CSingleAtom : public QDialog {
    Q_OBJECT
public:
    explicit CSingleAtom(const AtomInput& atom, QWidget* parent = nullptr);

    // After OK: the values as typed and chosen.
    const AtomInput& Atom() const { return m_atom; }

    // Takes the values over, each number in its interval (x, y, z in -10 .. 10, occupancy in
    // 1e-30 .. 1), then requires an element; the first that fails is refused with its prompt
    // and takes the focus, and the dialog stays open.
    void accept() override;

private:
    AtomInput m_atom;
    QComboBox* m_pElement = nullptr;   // 1092
    QLineEdit* m_pCoord[3] = {};       // 1093, 1029, 1030
    QLineEdit* m_pOccupancy = nullptr; // 1031
};

} // namespace xelmor::tessalune
