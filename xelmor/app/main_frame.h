// The main window of Xelmor.
#pragma once

#include <QMainWindow>

namespace xelmor {

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
};

} // namespace xelmor
