#include "app/BackgroundPageRules.h"

#include "document/CourseSettings.h"
#include "platform/StringTable.h"

namespace CorvBackgroundPage {

QString BackgroundFilter()
{
    return QStringLiteral("Picture Files (*.bmp *.gif *.jpg *.jpeg);;All Files (*)");
}

QString LogoFilter()
{
    return QStringLiteral("Picture Files (*.bmp *.gif *.jpg *.jpeg *.png);;All Files (*)");
}

QString HelpText() { return CStringTable::Load(61479) + CStringTable::Load(61480) + CStringTable::Load(61481); }

void SetBarHidden(CCourseSettings &settings, Bar bar, bool hidden)
{
    int32_t &hide = bar == TopBar ? settings.HideTopBar : settings.HideNavigationBar;
    int32_t &remove = bar == TopBar ? settings.RemoveTopBarSpace : settings.RemoveNavigationBarSpace;
    hide = hidden ? 1 : 0;
    if (!hidden)
        remove = 0;
}

} // namespace CorvBackgroundPage
