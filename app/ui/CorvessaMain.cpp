#include "app/ui/CorvessaMain.h"

#include "app/ui/CorvessaApp.h"
#include "app/ui/ToolbarArt.h"

#include <QApplication>

int CorvessaMain(int argc, char *argv[], const std::function<void(CCorvessaApp &)> &whenRunning)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Zerandt"));
    QApplication::setApplicationName(QStringLiteral("Corvessa"));
    QApplication::setWindowIcon(CorvToolbarArt::ApplicationIcon());

    CAppOptions options;
    options.arguments = QApplication::arguments();
    int status = 0;
    {
        CCorvessaApp corvessa(options);
        switch (corvessa.InitInstance()) {
        case CStartupSequence::Result::Running:
            if (whenRunning)
                whenRunning(corvessa);
            status = QApplication::exec();
            break;
        case CStartupSequence::Result::AutomationOnly:
            // Registering for automation needs no window and nothing else to do here.
            break;
        case CStartupSequence::Result::Failed: status = 1; break;
        }
        corvessa.ExitInstance();
    }
    return status;
}
