// The "Help for Setting CCD or X-ray Film" dialog: a picture and the conventions of the
// detector in both geometries.
#pragma once

#include <QDialog>

namespace xelmor {

class CDlgHelpFilm : public QDialog {
    Q_OBJECT
public:
    explicit CDlgHelpFilm(QWidget* parent = nullptr);
};

} // namespace xelmor
