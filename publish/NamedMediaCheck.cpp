#include "publish/NamedMediaCheck.h"

#include "platform/PathUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace CorvNamedMediaCheck {

QStringList NamedFiles(const QString &scriptText)
{
    // A link's value starts after a quote, "=" or "(" and ends at the next quote, blank or bracket; the
    // folders are the two the publish fills from the project.
    static const QRegularExpression link(
        QStringLiteral(R"((?:^|['"=(])((?:media|images)/[^'"\\\s<>()?#]+))"));
    QStringList names;
    for (auto it = link.globalMatch(scriptText); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!name.endsWith(u'/') && !names.contains(name))
            names.append(name);
    }
    return names;
}

QStringList MissingFiles(const QString &outputFolder, const QString &projectPrefix)
{
    const QString content = CorvPath::Join(outputFolder, QStringLiteral("content"));
    const QStringList scripts =
        QDir(content).entryList({projectPrefix.toLower() + QStringLiteral("_*.js")}, QDir::Files, QDir::Name);
    QStringList missing;
    for (const QString &script : scripts) {
        QFile file(CorvPath::Join(content, script));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QString &name : NamedFiles(QString::fromUtf8(file.readAll()))) {
            const QString relative = QStringLiteral("content/") + name;
            if (!missing.contains(relative) && !QFileInfo(CorvPath::Join(content, name)).isFile())
                missing.append(relative);
        }
    }
    std::sort(missing.begin(), missing.end());
    return missing;
}

} // namespace CorvNamedMediaCheck
