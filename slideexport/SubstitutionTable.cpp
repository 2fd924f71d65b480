#include "slideexport/SubstitutionTable.h"

#include "platform/CodePage.h"
#include "platform/Escape.h"

#include <QFile>

namespace {

// Items as the comma-separated field reader gives them: blanks before an item skipped, an item ends at a
// comma or a line end, an item in double quotes may hold commas.
QStringList SplitItems(const QString &text)
{
    QStringList items;
    int i = 0;
    const int n = int(text.size());
    while (i < n) {
        while (i < n && (text[i] == u' ' || text[i] == u'\t'))
            ++i;
        if (i >= n)
            break;
        if (text[i] == u'\r' || text[i] == u'\n') {
            ++i;
            continue;
        }
        QString item;
        if (text[i] == u'"') {
            ++i;
            while (i < n && text[i] != u'"')
                item += text[i++];
            ++i; // the closing quotation mark
            while (i < n && text[i] != u',' && text[i] != u'\r' && text[i] != u'\n')
                ++i;
        } else {
            while (i < n && text[i] != u',' && text[i] != u'\r' && text[i] != u'\n')
                item += text[i++];
            item = item.trimmed();
        }
        if (i < n && text[i] == u',')
            ++i;
        items.append(item);
    }
    return items;
}

// "146" is the character of code 146 in the legacy code page; any other text stands for itself.
QString Side(const QString &side)
{
    bool ok = false;
    const int code = side.trimmed().toInt(&ok);
    if (!ok || side.trimmed().isEmpty())
        return side;
    if (code >= 0 && code < 256)
        return CCodePage::ToUnicode(QByteArray(1, char(code)));
    if (code < 0x10000)
        return QString(QChar(code));
    return side;
}

} // namespace

bool CSubstitutionTable::Load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true; // without a table the texts are written as they are
    return Parse(file.readAll(), error);
}

bool CSubstitutionTable::Parse(const QByteArray &bytes, QString *error)
{
    const QStringList items = SplitItems(CCodePage::ToUnicode(bytes));
    if (items.size() > kMaxPairs) {
        *error = QStringLiteral("substitutions.txt holds more than %1 items.").arg(kMaxPairs);
        return false;
    }
    QStringList pairs;
    for (const QString &item : items) {
        const int semi = int(item.indexOf(u';'));
        if (semi < 0) {
            *error = QStringLiteral("substitutions.txt: the item \"%1\" has no \";\".").arg(item);
            return false;
        }
        pairs.append(Side(item.left(semi)) + Side(item.mid(semi + 1)));
    }
    m_pairs = pairs;
    return true;
}

QString CSubstitutionTable::Apply(const QString &text) const
{
    QString out = text;
    for (const QString &pair : m_pairs) {
        if (pair.isEmpty())
            continue;
        out.replace(pair.at(0), pair.mid(1));
    }
    return out;
}

QString CSubstitutionTable::ApplySubstitutions(const QString &text) const
{
    QString out = Apply(text);
    out.replace(QChar(0x0B), u'\r');
    return QStringLiteral("<![CDATA[") + CorvEscape::XmlCData(out) + QStringLiteral("]]>");
}
