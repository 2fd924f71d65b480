#include "app/ui/CorvessaMain.h"
#include "app/ui/selfcheck/UiSelfTest.h"

// corvessa exactly as the program starts, with the walk through its windows scheduled once it runs.
int main(int argc, char *argv[])
{
    return CorvessaMain(argc, argv, [](CCorvessaApp &app) { CorvUiSelfTest::ScheduleFromEnvironment(app); });
}
