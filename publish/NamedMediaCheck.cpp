#include "publish/NamedMediaCheck.h"

#include "platform/PathUtil.h"
#include "publish/PublishThreads.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace CorvNamedMediaCheck {

namespace {

// Below this many screen files one thread reads them all.
constexpr std::size_t kSharedFrom = 64;

} // namespace

QStringList NamedFiles(const QString &scriptText)
{
    // A link's value starts after a quote, "=" or "(" and ends at the next quote, blank or bracket; the
    // folders are the two the publish fills from the project.
    // One expression for each thread that reads screen files.
    static thread_local const QRegularExpression link(
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
    // The screen files are read on a few threads, each noting what its files name and the folder lacks;
    // the notes are then taken in the files' order.
    std::vector<QStringList> lacking(std::size_t(scripts.size()));
    CorvPublishThreads::ForEach(lacking.size(), kSharedFrom, [&](std::size_t i, int) {
        QFile file(CorvPath::Join(content, scripts[qsizetype(i)]));
        if (!file.open(QIODevice::ReadOnly))
            return;
        for (const QString &name : NamedFiles(QString::fromUtf8(file.readAll())))
            if (!QFileInfo(CorvPath::Join(content, name)).isFile())
                lacking[i].append(QStringLiteral("content/") + name);
    });
    QStringList missing;
    for (const QStringList &names : lacking)
        for (const QString &relative : names)
            if (!missing.contains(relative))
                missing.append(relative);
    std::sort(missing.begin(), missing.end());
    return missing;
}

} // namespace CorvNamedMediaCheck
