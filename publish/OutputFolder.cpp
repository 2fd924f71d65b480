#include "publish/OutputFolder.h"

#include "document/CorvessaDoc.h"
#include "platform/CorvContext.h"
#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"

#include <filesystem>

namespace CorvOutputFolder {

namespace {

namespace fs = std::filesystem;

// The path with links followed as far as it exists, the rest appended as written.
fs::path Real(const QString &path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(CorvFs::ToFsPath(path), ec);
    fs::path real = fs::weakly_canonical(absolute, ec);
    if (ec)
        real = absolute.lexically_normal();
    // "/a/b/" and "/a/b" are the same folder.
    if (!real.has_filename() && real != real.root_path())
        real = real.parent_path();
    return real;
}

// Whether inner is outer or lies below it.
bool IsWithin(const fs::path &inner, const fs::path &outer)
{
    auto i = inner.begin();
    for (auto o = outer.begin(); o != outer.end(); ++o, ++i)
        if (i == inner.end() || *i != *o)
            return false;
    return true;
}

} // namespace

QString Resolve(const QString &outputFolder, const QString &relativePath)
{
    const QString relative = CorvPath::ToSlashes(relativePath);
    if (outputFolder.isEmpty() || relative.isEmpty() || relative.startsWith(u'/'))
        return {};
    for (const QString &part : relative.split(u'/'))
        if (part == QStringLiteral(".."))
            return {};
    return CorvPath::Join(outputFolder, relative);
}

bool StaysInside(const QString &folder, const QString &path)
{
    return !folder.isEmpty() && IsWithin(Real(path), Real(folder));
}

bool MayWipe(const QString &folder, const QString &projectPath, const CCorvContext &context)
{
    if (folder.trimmed().isEmpty() || CorvFs::IsProtectedFolder(CorvFs::ToFsPath(folder)))
        return false;
    const fs::path target = Real(folder);
    if (!projectPath.isEmpty()) {
        const fs::path media = Real(CCorvessaDoc::ProjectFolderOf(projectPath));
        if (IsWithin(Real(projectPath), target) || IsWithin(media, target) || IsWithin(target, media))
            return false;
    }
    for (const QString &own : {context.programFolder, context.appDataFolder})
        if (!own.isEmpty() && IsWithin(Real(own), target))
            return false;
    return true;
}

} // namespace CorvOutputFolder
