#include "model/GlobalHelpers.h"

#include "platform/CodePage.h"
#include "platform/PathUtil.h"
#include "platform/SafeFileWriter.h"

#include <QFile>

#include <algorithm>

namespace {

bool ReadWholeFile(const QString &path, QByteArray &bytes)
{
    QFile file(CorvPath::ToSlashes(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

// The new content goes into a file beside the old one, which it replaces only when written whole: a
// failed write leaves the previous file as it was.
bool ReplaceFile(const QString &path, const QByteArray &bytes)
{
    return CSafeFileWriter::WriteFile(CorvPath::ToSlashes(path), bytes).Ok();
}

bool IsTrailingSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

} // namespace

int ReadAnsiTextFile(const QString &path, QString &text)
{
    QByteArray bytes;
    if (!ReadWholeFile(path, bytes))
        return 0;
    text = CCodePage::ToUnicode(bytes, CCodePage::kAnsi);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return 1;
}

int WriteUtf8TextFile(const QString &text, const QString &path)
{
    return ReplaceFile(path, CCodePage::FromUnicode(text, CCodePage::kUtf8)) ? 1 : 0;
}

int CountFileLines(const QString &path)
{
    QFile file(CorvPath::ToSlashes(path));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    int count = 0;
    char buffer[65536];
    qint64 got;
    while ((got = file.read(buffer, sizeof buffer)) > 0)
        count += int(std::count(buffer, buffer + got, '\n'));
    return count;
}

int TidyTextFile(const QString &path)
{
    // Works on the bytes, so the UTF-8 text of every kept line stays exactly as it was, and every line is
    // taken whole, the last one too when it has no line end.
    QByteArray bytes;
    if (!ReadWholeFile(path, bytes))
        return 0;
    QByteArray tidy;
    tidy.reserve(bytes.size());
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        qsizetype last = end;
        while (last > start && IsTrailingSpace(bytes[last - 1]))
            --last;
        if (last > start) {
            tidy.append(bytes.constData() + start, last - start);
            tidy.append('\n');
        }
        start = end + 1;
    }
    return ReplaceFile(path, tidy) ? 1 : 0;
}
