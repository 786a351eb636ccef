// Xelmor: simulates white-beam X-ray Laue patterns of a single crystal.
#include <QApplication>

#include <clocale>

#include "xelmor/app/main_frame.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // QApplication takes the process locale from the environment; numbers in files and settings
    // are always written and read in the C locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Xelmor"));
    QApplication::setOrganizationName(QStringLiteral("Xelmorscope3"));

    xelmor::CMainFrame frame;
    frame.show();
    return app.exec();
}
