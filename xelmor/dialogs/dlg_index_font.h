// The "Set Fonts for Spot Indices" dialog: face, height and offsets of the h k l labels, in
// units of 0.1 mm. The print values are shown but cannot be changed.
#pragma once

#include <QDialog>

#include "xelmor/files/settings_values.h"

class QComboBox;
class QLineEdit;

namespace xelmor {

class CDlgIndexFont : public QDialog {
    Q_OBJECT
public:
    explicit CDlgIndexFont(const IndexFontValues& values, QWidget* parent = nullptr);

    // The values after OK.
    IndexFontValues Values() const { return m_values; }

    // "Reset": both faces to "Arial Narrow", heights 32, screen Y offset 0, print Y offset 3,
    // X offset -10.
    void OnReset();

    // Takes the typed integers over: the heights from 1 to 1000, the offsets from -10000 to
    // 10000. The first that fails shows its prompt, gets the focus, and the dialog stays open.
    void accept() override;

private:
    void ShowValues(const IndexFontValues& v);
    // The screen height can be set only for the two scalable faces.
    void OnScreenFontChanged(int index);

    IndexFontValues m_values;
    QComboBox* m_pFontScreen;
    QComboBox* m_pFontPrint;
    QLineEdit* m_pHeightScreen;
    QLineEdit* m_pHeightPrint;
    QLineEdit* m_pYoffsetScreen;
    QLineEdit* m_pYoffsetPrint;
    QLineEdit* m_pXoffset;
};

} // namespace xelmor
