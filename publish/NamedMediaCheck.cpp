#include "publish/NamedMediaCheck.h"

#include "platform/PathUtil.h"
#include "publish/PublishThreads.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace CorvNamedMediaCheck {

namespace {

// Below this many screen files one thread reads them all.
constexpr std::size_t kSharedFrom = 64;

// A name as it stands in an attribute: the entities the publisher writes for markup characters read back.
QString AttributeText(QString name)
{
    static const std::pair<QLatin1String, QChar> entities[] = {
        {QLatin1String("&#39;"), u'\''}, {QLatin1String("&quot;"), u'"'}, {QLatin1String("&lt;"), u'<'},
        {QLatin1String("&gt;"), u'>'},    {QLatin1String("&amp;"), u'&'}};
    for (const auto &[entity, character] : entities)
        name.replace(entity, QString(character));
    return name;
}

// The bytes of a file; false when it cannot be opened or read.
bool ReadWhole(const QString &path, QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bytes.resize(64 * 1024);
    qsizetype size = 0;
    for (;;) {
        if (size == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(fd, bytes.data() + size, size_t(bytes.size() - size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            bytes.truncate(size);
            return n == 0;
        }
        size += n;
    }
}

} // namespace

QStringList NamedFiles(const QString &scriptText)
{
    // A link's value starts after a quote, "=" or "(" in one of the two folders the publish fills from the
    // project. After a quote or a bracket it ends where they close, so a name may hold blanks ("My Quiz.swf");
    // after a bare "=" it ends at the first blank. One expression for each thread that reads screen files.
    static thread_local const QRegularExpression link(
        QStringLiteral(R"((?:^|(['"(=]))((?:media|images)/[^'"\\<>()?#\r\n]+))"));
    // Every match holds "media/" or "images/" right after its first character (or at the very start): the
    // expression is tried, anchored, only there, in the order a search from the start would meet them, and
    // never inside a match already taken.
    QStringList names;
    const QStringView text(scriptText);
    qsizetype taken = 0; // the end of the last match
    // The next place of each folder word; -1 when there is none further on.
    qsizetype media = text.indexOf(u"media/");
    qsizetype images = text.indexOf(u"images/");
    while (media >= 0 || images >= 0) {
        const qsizetype word = media < 0 ? images : images < 0 ? media : std::min(media, images);
        if (word == media)
            media = text.indexOf(u"media/", word + 1);
        else
            images = text.indexOf(u"images/", word + 1);
        const qsizetype start = word == 0 ? 0 : word - 1;
        if (start < taken)
            continue;
        const QRegularExpressionMatch match =
            link.match(scriptText, start, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch())
            continue;
        taken = match.capturedEnd(0);
        QString name = match.captured(2);
        if (match.captured(1) == u"=" || match.captured(1).isEmpty()) {
            const auto blank = std::find_if(name.begin(), name.end(), [](QChar c) { return c.isSpace(); });
            name.truncate(blank - name.begin());
        }
        name = AttributeText(name.trimmed());
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
    // The course page's logo is checked with the screens: a missing one shows as a broken picture.
    QStringList files = scripts;
    files.append(QStringLiteral("ind.htm"));
    std::vector<QStringList> lacking(std::size_t(files.size()));
    CorvPublishThreads::ForEach(lacking.size(), kSharedFrom, [&](std::size_t i, int) {
        QByteArray bytes;
        if (!ReadWhole(CorvPath::Join(content, files[qsizetype(i)]), bytes))
            return;
        for (const QString &name : NamedFiles(QString::fromUtf8(bytes))) {
            struct stat status {};
            if (::stat(QFile::encodeName(CorvPath::Join(content, name)).constData(), &status) != 0 ||
                !S_ISREG(status.st_mode))
                lacking[i].append(QStringLiteral("content/") + name);
        }
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
