// The About box of Xelmor and the program's picture (window icon and About box), drawn in code.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QPixmap>

namespace xelmor {

// A small Laue pattern: the crosslines, the direct beam and spots on a film, `size` pixels wide.
QPixmap XelmorPicture(int size);
QIcon XelmorIcon();

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace xelmor
