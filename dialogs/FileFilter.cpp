#include "dialogs/FileFilter.h"

#include <QStringList>

namespace DialogFileFilter {

QString ToPickerFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &name = parts[i];
        QString patterns = parts[i + 1];
        if (name.isEmpty())
            break;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (patterns.trimmed() == QStringLiteral("*.*"))
            patterns = QStringLiteral("*");
        out.append(QStringLiteral("%1 (%2)").arg(name, patterns));
    }
    return out.join(QStringLiteral(";;"));
}

} // namespace DialogFileFilter
