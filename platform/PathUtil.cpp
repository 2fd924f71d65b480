#include "platform/PathUtil.h"

#include <QDir>
#include <QFileInfo>

namespace CorvPath {

bool IsSeparator(QChar c) { return c == u'/' || c == u'\\'; }

static qsizetype LastSeparator(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (IsSeparator(path[i]))
            return i;
    return -1;
}

QString FileName(const QString &path) { return path.mid(LastSeparator(path) + 1); }

QString FolderOf(const QString &path)
{
    const qsizetype i = LastSeparator(path);
    return i < 0 ? QString() : path.left(i);
}

QString ToSlashes(const QString &storedPath)
{
    QString p = storedPath;
    p.replace(u'\\', u'/');
    return p;
}

QString Join(const QString &a, const QString &b)
{
    if (a.isEmpty())
        return ToSlashes(b);
    if (b.isEmpty())
        return ToSlashes(a);
    QString left = ToSlashes(a);
    QString right = ToSlashes(b);
    while (left.size() > 1 && left.endsWith(u'/'))
        left.chop(1);
    while (right.startsWith(u'/'))
        right.remove(0, 1);
    return left == u"/" ? left + right : left + u'/' + right;
}

QString Join(std::initializer_list<QString> parts)
{
    QString out;
    for (const QString &p : parts)
        out = Join(out, p);
    return out;
}

const QStringList &KnownFolderNames()
{
    static const QStringList names = {
        QStringLiteral("Images"), QStringLiteral("Images/Resized"), QStringLiteral("Images/Questions"),
        QStringLiteral("Images/M"), QStringLiteral("Images/MM"), QStringLiteral("Sounds"),
        QStringLiteral("Movies"), QStringLiteral("Questions"), QStringLiteral("Rtfs"),
        QStringLiteral("Flash"), QStringLiteral("Documents"), QStringLiteral("Themes"),
    };
    return names;
}

QString CanonicalFolderName(const QString &name)
{
    const QString slashed = ToSlashes(name);
    for (const QString &known : KnownFolderNames())
        if (slashed.compare(known, Qt::CaseInsensitive) == 0)
            return known;
    return name;
}

QString ResolveNoCase(const QString &path)
{
    CNoCaseResolver once;
    return once.Resolve(path);
}

bool CNoCaseResolver::Exists(const QString &path)
{
    const auto it = m_exists.constFind(path);
    if (it != m_exists.constEnd())
        return *it;
    const bool exists = QFileInfo::exists(path);
    m_exists.insert(path, exists);
    return exists;
}

const CNoCaseResolver::Listing &CNoCaseResolver::ListingOf(const QString &folder)
{
    const auto it = m_listings.constFind(folder);
    if (it != m_listings.constEnd())
        return *it;
    Listing listing;
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    for (const QString &entry : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        const QString folded = entry.toCaseFolded();
        if (!listing.byFoldedName.contains(folded))
            listing.byFoldedName.insert(folded, entry);
    }
    return *m_listings.insert(folder, std::move(listing));
}

QString CNoCaseResolver::Resolve(const QString &path)
{
    const QString p = ToSlashes(path);
    if (p.isEmpty() || Exists(p))
        return p;

    const bool absolute = p.startsWith(u'/');
    const QStringList parts = p.split(u'/', Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString exact = Join(current, parts[i]);
        if (Exists(exact)) {
            current = exact;
            continue;
        }
        const Listing &listing = ListingOf(current);
        const auto match = listing.byFoldedName.constFind(parts[i].toCaseFolded());
        if (match == listing.byFoldedName.constEnd()) {
            // The rest does not exist yet: keep the existing prefix as found on disk, so that a folder
            // created below it is not made a second time in another case.
            for (qsizetype j = i; j < parts.size(); ++j)
                current = Join(current, parts[j]);
            return current;
        }
        current = Join(current, *match);
    }
    return current;
}

bool SamePathNoCase(const QString &a, const QString &b)
{
    QString x = ToSlashes(a), y = ToSlashes(b);
    while (x.size() > 1 && x.endsWith(u'/'))
        x.chop(1);
    while (y.size() > 1 && y.endsWith(u'/'))
        y.chop(1);
    return x.compare(y, Qt::CaseInsensitive) == 0;
}

QString SafeBareName(const QString &name)
{
    QString bare = FileName(name);
    bare.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
    if (bare == u"." || bare == u"..")
        return {};
    return bare;
}

bool IsSafeBareName(const QString &name) { return !name.isEmpty() && SafeBareName(name) == name; }

} // namespace CorvPath
