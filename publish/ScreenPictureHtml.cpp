#include "publish/ScreenPanels.h"

// Pictures and Flash video players are not written yet: a screen holding one is published without it and
// the step fails, so that no publish reports success without them.

bool CorvScreenPanels::ImageToHtml(const CCoursePublisher &, CComponentBase &, int, QString &piece)
{
    piece.clear();
    return false;
}

void CorvScreenPanels::AddKenBurnsScript(QString &, const CComponentBase &, int) {}

bool CorvScreenPanels::MediaToHtml(const CCoursePublisher &, CComponentBase &, QString &piece)
{
    piece.clear();
    return false;
}
