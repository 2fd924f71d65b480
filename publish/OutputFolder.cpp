#include "publish/OutputFolder.h"

#include "document/CorvessaDoc.h"
#include "platform/CorvContext.h"
#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"

#include <QHash>
#include <QStringTokenizer>
#include <QSet>

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
    for (const QStringView part : QStringView(relative).tokenize(u'/'))
        if (part == u"..")
            return {};
    return CorvPath::Join(outputFolder, relative);
}

namespace {

// The folders found inside output folders while a scope lives: keys are the output folder and the
// folder as written, joined by a character no path holds.
struct FolderChecks
{
    QHash<QString, fs::path> realFolders;
    QSet<QString> inside;

    // The output folder with its links followed, remembered once it exists.
    fs::path RealFolder(const QString &folder)
    {
        const auto it = realFolders.constFind(folder);
        if (it != realFolders.cend())
            return it.value();
        fs::path real = Real(folder);
        std::error_code ec;
        if (fs::is_directory(real, ec))
            realFolders.insert(folder, real);
        return real;
    }
};

thread_local FolderChecks *t_checks = nullptr;

// The answer from the folder's remembered verdict; false when there is none to give.
bool StaysInsideByFolder(FolderChecks &checks, const QString &folder, const QString &path, bool &inside)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash <= 0 || slash + 1 >= path.size())
        return false;
    const QStringView name = QStringView(path).mid(slash + 1);
    if (name == u"." || name == u"..")
        return false;
    QString key = folder;
    key += QChar(0);
    key += QStringView(path).left(slash);
    if (!checks.inside.contains(key)) {
        const QString parent = path.left(slash);
        std::error_code ec;
        const fs::path real = Real(parent);
        // Only a folder that is there is remembered: one made later is judged when it is met.
        if (!IsWithin(real, checks.RealFolder(folder)) || !fs::is_directory(real, ec))
            return false;
        checks.inside.insert(std::move(key));
    }
    // The last part: a link is followed in full by the caller; anything else (or nothing yet) is inside.
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(CorvFs::ToFsPath(path), ec);
    if (fs::is_symlink(status))
        return false;
    inside = true;
    return true;
}

} // namespace

bool StaysInside(const QString &folder, const QString &path)
{
    if (folder.isEmpty())
        return false;
    bool inside = false;
    if (t_checks && StaysInsideByFolder(*t_checks, folder, path, inside))
        return inside;
    return IsWithin(Real(path), Real(folder));
}

bool FolderOfStaysInside(const QString &folder, const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (folder.isEmpty() || slash <= 0 || slash + 1 >= path.size())
        return false;
    const QStringView name = QStringView(path).mid(slash + 1);
    if (name == u"." || name == u"..")
        return false;
    if (!t_checks)
        return IsWithin(Real(path.left(slash)), Real(folder));
    QString key = folder;
    key += QChar(0);
    key += QStringView(path).left(slash);
    if (t_checks->inside.contains(key))
        return true;
    const fs::path real = Real(path.left(slash));
    std::error_code ec;
    if (!IsWithin(real, t_checks->RealFolder(folder)))
        return false;
    // Only a folder that is there is remembered: one made later is judged when it is met.
    if (fs::is_directory(real, ec))
        t_checks->inside.insert(std::move(key));
    return true;
}

FolderCheckScope::FolderCheckScope()
{
    if (!t_checks) {
        t_checks = new FolderChecks;
        m_active = true;
    }
}

bool FolderCheckScope::Active() { return t_checks != nullptr; }

FolderCheckScope::~FolderCheckScope()
{
    if (m_active) {
        delete t_checks;
        t_checks = nullptr;
    }
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
