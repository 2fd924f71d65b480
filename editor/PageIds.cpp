#include "editor/PageIds.h"

#include "model/CorvPage.h"

namespace {

// The leading decimal number of text; 0 when it does not start with a digit.
qint64 LeadingNumber(QStringView text)
{
    qint64 n = 0;
    for (QChar c : text) {
        if (!c.isDigit() || c.unicode() > 127)
            break;
        // Labels are short; a runaway number saturates rather than wrapping.
        if (n > (qint64(1) << 52))
            break;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

} // namespace

namespace PageIds {

QString NextPageId(const QString &label)
{
    if (label.isEmpty())
        return QStringLiteral("1");
    const qsizetype bar = label.lastIndexOf(u'_');
    if (bar < 0)
        return QString::number(LeadingNumber(label) + 1);
    return label.left(bar + 1) + QString::number(LeadingNumber(QStringView(label).mid(bar + 1)) + 1);
}

QString ChildPageId(const COutlineTree &tree, const COutlineTree::Item *item)
{
    const COutlineTree::Item *last = nullptr;
    for (const COutlineTree::Item *child = tree.GetChildItem(item); child; child = tree.GetNextSiblingItem(child))
        last = child;
    const CCorvPage *screen = tree.GetItemData(last ? last : item);
    const QString label = screen ? screen->GetLabel() : QString();
    return last ? NextPageId(label) : label + QStringLiteral("_1");
}

bool HasListPrefix(const QString &label)
{
    return label.startsWith(u'P', Qt::CaseInsensitive) || label.startsWith(u'G', Qt::CaseInsensitive);
}

QString WithoutListPrefix(const QString &label) { return HasListPrefix(label) ? label.mid(1) : label; }

} // namespace PageIds
