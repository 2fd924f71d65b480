#pragma once

#include <QMimeData>
#include <QStringList>
#include <QUrl>

// The local files of dragged data, in their order; links to anything but local files are left out.
inline QStringList DroppedLocalFiles(const QMimeData *mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl &url : mime->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            paths << url.toLocalFile();
    return paths;
}
