#include "app/CommandLineInfo.h"

CCommandLineInfo CCommandLineInfo::Parse(const QStringList &arguments)
{
    CCommandLineInfo info;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const QString word = argument.mid(1);
        const bool switchLike = argument.startsWith(u'/') || argument.startsWith(u'-');
        if (switchLike && (word.compare(QLatin1String("Embedding"), Qt::CaseInsensitive) == 0
                           || word.compare(QLatin1String("Automation"), Qt::CaseInsensitive) == 0)) {
            info.automation = true;
        } else if (argument.startsWith(u'-') || argument.isEmpty()) {
            continue;
        } else if (info.fileName.isEmpty()) {
            info.fileName = argument;
        }
    }
    return info;
}
