#include "xelmor/app/main_frame.h"

namespace xelmor {

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Pattern1 - Xelmorscope"));
    resize(800, 600);
}

} // namespace xelmor
