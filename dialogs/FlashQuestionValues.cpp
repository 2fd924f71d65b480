#include "dialogs/FlashQuestionValues.h"

const QStringList &CFlashQuestionValues::WindowModes()
{
    static const QStringList modes{QStringLiteral("window"), QStringLiteral("opaque"), QStringLiteral("transparent")};
    return modes;
}

int CFlashQuestionValues::WindowModeIndex(const QString &mode)
{
    if (mode.isEmpty())
        return 0;
    const QStringList &modes = WindowModes();
    for (int i = 0; i < modes.size(); ++i)
        if (modes[i].startsWith(mode, Qt::CaseInsensitive))
            return i;
    return -1;
}

void CFlashQuestionValues::Correct()
{
    if (version < 6 || version > 10)
        version = kDefaultVersion;
}
