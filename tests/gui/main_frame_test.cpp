// The main window opens with the first pattern's title.
#include <QtTest>

#include "xelmor/app/main_frame.h"

using namespace xelmor;

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void titleNamesTheFirstPattern() {
        CMainFrame frame;
        frame.show();
        QCOMPARE(frame.windowTitle(), QStringLiteral("Pattern1 - Xelmorscope"));
    }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
