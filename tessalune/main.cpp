// Tessalune: creates and edits crystal structure files for Xelmor.
#include <QApplication>

#include <clocale>

#include "tessalune/tessalune_app.h"

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    // QApplication takes the process locale from the environment; numbers in files are always
    // written and read in the C locale.
    std::setlocale(LC_NUMERIC, "C");
    // The caption of the program's message boxes.
    QApplication::setApplicationName(QStringLiteral("Tessalune"));
    QApplication::setOrganizationName(QStringLiteral("Xelmorscope3"));
    xelmor::tessalune::CTessaluneApp app;
    return app.Run();
}
