#include "app/StartupFiles.h"

#include "model/GlobalHelpers.h"

#include <QFile>

namespace CorvStartupFiles {

namespace {

// The lines of a text whose line ends are LF; a final line end does not start another line.
QStringList LinesOf(const QString &text)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

bool ReadExclusionList(const QString &path, QStringList &words, QString *errorText)
{
    QString text;
    if (!ReadAnsiTextFile(path, text)) {
        if (errorText) {
            QFile file(path);
            *errorText = file.open(QIODevice::ReadOnly) ? QStringLiteral("The file cannot be read.") : file.errorString();
        }
        return false;
    }
    for (const QString &line : LinesOf(text))
        words.append(line.toLower().trimmed());
    return true;
}

QList<QPair<QString, QString>> ParseSpecialCharacters(const QString &text)
{
    QList<QPair<QString, QString>> pairs;
    for (const QString &line : LinesOf(text)) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0)
            pairs.append({QString(), line});
        else
            pairs.append({line.left(tab), line.mid(tab + 1)});
    }
    return pairs;
}

QList<QPair<QString, QString>> ReadSpecialCharacters(const QString &path)
{
    QString text;
    if (!ReadAnsiTextFile(path, text))
        return {};
    return ParseSpecialCharacters(text);
}

} // namespace CorvStartupFiles
