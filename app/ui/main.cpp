#include "CorvVersion.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Until the main window exists the program only announces its version.
    std::printf("Corvessa %d.%d%d%d\n", CORV_VERSION_MAJOR, CORV_VERSION_MINOR, CORV_VERSION_BUILD,
                CORV_VERSION_REVISION);
    return 0;
}
