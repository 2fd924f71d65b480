#include "publish/ScreenPanels.h"

// The question panels are not written yet: a screen holding a question is published without its panel and
// the step fails, so that no publish reports success without them.

bool CorvScreenPanels::QuestionPanelToHtml(const CCoursePublisher &, CComponentBase &, QString &piece)
{
    piece.clear();
    return false;
}
