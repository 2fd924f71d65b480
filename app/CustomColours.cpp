#include "app/CustomColours.h"

CCustomColours &CCustomColours::Shared()
{
    static CCustomColours colours;
    return colours;
}
