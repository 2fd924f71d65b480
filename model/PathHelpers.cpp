#include "model/GlobalHelpers.h"

#include "model/StdioFileEx.h"
#include "platform/CorvContext.h"
#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

namespace fs = std::filesystem;

void GetAppFolder(const CCorvContext &context, QString &folder)
{
    folder = CorvPath::ToSlashes(context.programFolder);
    // Before the context is filled the running program still has a folder.
    if (folder.isEmpty() && QCoreApplication::instance())
        folder = QCoreApplication::applicationDirPath();
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
}

void GetFileNameFromPath(const QString &path, QString &name, bool keepExtension)
{
    name = CorvPath::FileName(path);
    if (keepExtension)
        return;
    // Cut only at a dot that is there: a name without one is the whole name.
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
}

void GetFileExtension(const QString &path, QString &extension)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    extension = dot < 0 ? path : path.mid(dot + 1);
}

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QString slashed = CorvPath::ToSlashes(path);
    const QString name = CorvPath::FileName(slashed);
    std::error_code ec;
    if (!CorvFs::HasWildcard(name))
        return fs::exists(CorvFs::ToFsPath(slashed), ec);

    const QString folder = CorvPath::FolderOf(slashed);
    const fs::path dir = folder.isEmpty() ? fs::path(slashed.startsWith(u'/') ? "/" : ".") : CorvFs::ToFsPath(folder);
    // A directory search lists a folder's own "." and ".." entries too, so "folder/*.*" finds an empty
    // folder: callers ask that way whether the folder is there at all.
    const bool dotsMatch = CorvFs::MatchesWildcard(QStringLiteral("."), name)
                           || CorvFs::MatchesWildcard(QStringLiteral(".."), name);
    if (dotsMatch && fs::is_directory(dir, ec))
        return true;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (CorvFs::MatchesWildcard(CorvFs::NameOf(it->path()), name))
            return true;
    return false;
}

int CanOpenFile(const QString &path)
{
    CStdioFileEx file;
    return file.Open(CorvPath::ToSlashes(path), CStdioFileEx::modeRead) ? 1 : 0;
}

void GetLastErrorText(QString &text)
{
    const int code = errno;
    text = QString::fromLocal8Bit(std::strerror(code));
}
