#include "app/DropDownListRules.h"

#include <QStringList>

namespace CorvDropDownList {

bool IsTicked(const QString &text) { return text.compare(kTrue, Qt::CaseInsensitive) == 0; }

QString ToggledText(const QString &text) { return CheckText(!IsTicked(text)); }

QString CheckText(bool ticked) { return ticked ? kTrue : kFalse; }

QRect BrowseEditRect(const QRect &cell) { return cell.adjusted(0, 0, -kBrowseNarrowing, 0); }

QRect BrowseButtonRect(const QRect &cell, int scrollBarWidth)
{
    QRect button = cell;
    if (cell.width() > scrollBarWidth)
        button.setLeft(cell.right() + 1 - scrollBarWidth);
    return button.adjusted(1, 1, -1, -1);
}

QRect MultiLineEditRect(const QRect &cell)
{
    QRect editor = cell;
    editor.setHeight(3 * cell.height());
    return editor;
}

QString BrowseFilterText()
{
    return QStringLiteral("All Available (*.doc,*.docx,*.ppt,*.pptx,*.rtf,*.txt)|"
                          "*.doc;*.docx;*.ppt;*.pptx;*.rtf;*.txt||");
}

QString DialogFilter(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        const QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        filters.append(QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(u' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace CorvDropDownList
