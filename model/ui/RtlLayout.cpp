#include "model/ui/RtlLayout.h"

#include <QWidget>

void SetRtlLayout(QWidget *window, bool flag)
{
    if (window)
        window->setLayoutDirection(flag ? Qt::RightToLeft : Qt::LeftToRight);
}
