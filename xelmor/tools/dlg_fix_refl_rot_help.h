// The help page of the rotation about a fixed reflection G, with its picture drawn in code.
#pragma once

#include <QDialog>

namespace xelmor {

class CDlgFixReflRotHelp : public QDialog {
    Q_OBJECT
public:
    explicit CDlgFixReflRotHelp(QWidget* parent = nullptr);
};

} // namespace xelmor
