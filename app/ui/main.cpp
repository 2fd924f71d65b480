#include "app/ui/CorvessaMain.h"

int main(int argc, char *argv[])
{
    return CorvessaMain(argc, argv);
}
