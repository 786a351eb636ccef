// Xelmor: simulates white-beam X-ray Laue patterns of a single crystal.
#include <QApplication>

#include <clocale>

#include "xelmor/app/xelmor_app.h"

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    // QApplication takes the process locale from the environment; numbers in files and settings
    // are always written and read in the C locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Xelmor"));
    QApplication::setOrganizationName(QStringLiteral("Xelmorscope3"));

    xelmor::CXelmorApp app;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!app.InitInstance(arguments))
        return 1;
    return qapp.exec();
}
