// The reference direction perpendicular to G (h' k' l') of the rotation about a fixed
// reflection, typed by the user; the next Update tests and corrects it.
#pragma once

#include <QDialog>

#include "xelmor/core/fix_refl.h"

class QLineEdit;

namespace xelmor {

class CDlgFRRperpend : public QDialog {
    Q_OBJECT
public:
    explicit CDlgFRRperpend(const Hkl& perp, QWidget* parent = nullptr);
    // The three numbers as typed (unreadable text reads as 0).
    Hkl Values() const;

private:
    QLineEdit* m_pEdit[3] = {};
};

} // namespace xelmor
