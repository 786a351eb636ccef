// "Export Laue Pattern Image": the size, colour depth, index labels and extras of an exported
// pattern image.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace xelmor {

// What the dialog edits.
struct ExportDialogValues {
    int width = 0;        // pixels
    double ratio = 0.75;  // film height / film width
    int colorDepth = 1;   // 0: 16 bits, 1: 24 bits
    int fontNo = 0;       // 0 "Arial Narrow", 1 "Times New Roman"
    int fontHeight = 20;  // pixels
    int xOffset = -10;    // pixels
    int yOffset = 0;      // pixels
    double ignorePct = 1; // labels are left out below this percentage of the strongest spot
    int plotIndices = 0;
    int whiteSpaceSep = 1;
    int sortMerged = 1;
    int showInfo = 1;
    bool sortAvailable = false; // a merged pattern is shown
};

class CDlgExportImage : public QDialog {
    Q_OBJECT
public:
    explicit CDlgExportImage(const ExportDialogValues& values, QWidget* parent = nullptr);

    // After Continue: the accepted values (the label settings only read while they were
    // enabled).
    const ExportDialogValues& Values() const { return m_Values; }

    void accept() override;

private:
    void OnWidthChanged();
    void EnableLabelControls();

    ExportDialogValues m_Values;
    QLineEdit* m_pWidth;
    QLineEdit* m_pHeight;
    QRadioButton* m_p16;
    QRadioButton* m_p24;
    QCheckBox* m_pIndices;
    QCheckBox* m_pSeparators;
    QComboBox* m_pFont;
    QLineEdit* m_pFontHeight;
    QLineEdit* m_pXOffset;
    QLineEdit* m_pYOffset;
    QComboBox* m_pIgnore;
    QCheckBox* m_pSort;
    QCheckBox* m_pInfo;
};

} // namespace xelmor
