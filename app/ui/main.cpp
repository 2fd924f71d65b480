#include "model/GlobalHelpers.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Until the main window exists the program only announces its version.
    std::printf("Corvessa %s\n", qPrintable(GetExeVersionString()));
    return 0;
}
