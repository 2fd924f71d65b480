#include "platform/FileSystemUtil.h"

#include "platform/PathUtil.h"

#include <QDir>
#include <QFile>

namespace CorvFs {

std::filesystem::path ToFsPath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(CorvPath::ToSlashes(path)).toStdString());
}

QString FromFsPath(const std::filesystem::path &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

QString NameOf(const std::filesystem::path &path) { return FromFsPath(path.filename()); }

bool HasWildcard(const QString &name) { return name.contains(u'*') || name.contains(u'?'); }

namespace {

// "*" any run of characters, "?" any one character, case folded.
bool MatchesPlain(const QString &name, const QString &pattern)
{
    // Iterative matching with one backtrack point for the last "*": linear in practice, no recursion.
    qsizetype n = 0, p = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size()
                   && (pattern[p] == u'?' || pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool MatchesWildcard(const QString &name, const QString &pattern)
{
    if (MatchesPlain(name, pattern))
        return true;
    // A directory search takes a name without a dot as having an empty extension: "*.*" finds every
    // file, "name.*" finds "name" too, and "*." finds exactly the names without one.
    if (name.contains(u'.'))
        return false;
    if (pattern.endsWith(QStringLiteral(".*")))
        return MatchesPlain(name, pattern.chopped(2));
    if (pattern.endsWith(u'.') && pattern != u"." && pattern != u"..")
        return MatchesPlain(name, pattern.chopped(1));
    return false;
}

bool IsProtectedFolder(const std::filesystem::path &folder)
{
    std::error_code ec;
    std::filesystem::path full = std::filesystem::weakly_canonical(std::filesystem::absolute(folder, ec), ec);
    if (ec || full.empty())
        return true;
    if (!full.has_filename() && full != full.root_path())
        full = full.parent_path();
    if (full == full.root_path())
        return true;
    std::filesystem::path home = std::filesystem::weakly_canonical(ToFsPath(QDir::homePath()), ec);
    if (!home.has_filename() && home != home.root_path())
        home = home.parent_path();
    return !ec && full == home;
}

} // namespace CorvFs
