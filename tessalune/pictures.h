// The editor's pictures, drawn in code: the unit cell beside the lattice edits and the
// program's icon.
#pragma once

#include <QIcon>
#include <QWidget>

namespace xelmor::tessalune {

// A unit cell in oblique view with its edges a, b, c and angles alpha, beta, gamma marked.
class CUnitCellPicture : public QWidget {
public:
    explicit CUnitCellPicture(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The icon of the program: a small cubic cell with atoms on its corners.
QIcon TessaluneIcon();

} // namespace xelmor::tessalune
