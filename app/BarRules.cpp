#include "app/BarRules.h"

#include "app/ViewSwitcher.h"

#include <algorithm>

namespace CorvBarRules {

QStringList FontSizeEntries()
{
    QStringList entries;
    for (int size = 2; size <= 100; ++size)
        entries.append(QString::number(size));
    return entries;
}

int FindComboEntry(const QStringList &entries, const QString &text)
{
    if (entries.isEmpty() || text.isEmpty())
        return -1;
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    const int count = int(entries.size());
    for (int step = 1; step <= count; ++step) {
        const int i = step % count;
        if (entries[i].startsWith(text, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

QStringList FontBoxNames(const QList<FontFamily> &families)
{
    QStringList names;
    for (const FontFamily &family : families)
        if (family.scalable && !family.hidden && !family.name.isEmpty()
            && !names.contains(family.name, Qt::CaseInsensitive))
            names.append(family.name);
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

bool BarShouldBeVisible(int currentViewIndex, bool wanted) { return wanted && currentViewIndex == EditViewIndex; }

BarMenuState BarMenuUpdate(int currentViewIndex, bool barVisible, bool wanted)
{
    if (currentViewIndex != EditViewIndex)
        return {wanted, wanted};
    return {barVisible, barVisible};
}

QString ItemPairText(int first, int second) { return QStringLiteral("%1, %2").arg(first).arg(second); }

} // namespace CorvBarRules
