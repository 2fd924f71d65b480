#include "model/MediaCopy.h"

#include "model/GlobalHelpers.h"
#include "model/StdioFileEx.h"
#include "platform/Archive.h"
#include "platform/PathUtil.h"
#include "platform/SafeFileWriter.h"

#include <QFile>

namespace {

struct SubFolderEntry {
    CMediaCopy::SubFolder sub;
    const char *name;
};

const SubFolderEntry kSubFolders[] = {
    {CMediaCopy::sounds, "Sounds"},
    {CMediaCopy::movies, "Movies"},
    {CMediaCopy::questions, "Questions"},
    {CMediaCopy::images, "Images"},
    {CMediaCopy::imagesResized, "Images/Resized"},
    {CMediaCopy::imagesQuestions, "Images/Questions"},
    {CMediaCopy::imagesM, "Images/M"},
    {CMediaCopy::imagesMM, "Images/MM"},
};

struct PlaylistEntry {
    CMediaCopy::Playlist kind;
    const char *clipExtension;
    const char *playlistExtension;
};

const PlaylistEntry kPlaylists[] = {
    {CMediaCopy::audioPlaylist, ".wma", "wax"},
    {CMediaCopy::videoPlaylist, ".wmv", "wvx"},
};

// The copy is written beside the target and renamed over it only when complete, so a copy that fails
// half-way (a full disk, a source that cannot be read to its end) leaves the file that was there whole.
bool CopyOverwriting(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    CSafeFileWriter target(to);
    if (!target.Open())
        return false;
    char buffer[1 << 16];
    for (;;) {
        const qint64 read = source.read(buffer, sizeof buffer);
        if (read < 0) {
            target.Cancel();
            return false;
        }
        if (read == 0)
            break;
        if (!target.Write(buffer, read))
            return false;
    }
    return target.Commit().Ok();
}

// The media folder as it exists on disk (a project copied from Windows may spell it otherwise).
QString TargetFolder(const QString &archivePath, bool standAlone, CMediaCopy::SubFolder sub)
{
    return CorvPath::ResolveNoCase(
        CorvPath::Join(CMediaCopy::BaseFolder(archivePath, standAlone), CMediaCopy::SubFolderName(sub)));
}

// The playlist is named after the clip's stored name, as the publisher names it, and names the clip as it
// lies in the folder. A copied clip's name is lower-case already; a clip the author had put in the folder
// keeps its own spelling, which a case-sensitive server needs.
void WritePlaylistFor(const QString &folder, const QString &clipName, CMediaCopy::Playlist playlist)
{
    for (const PlaylistEntry &entry : kPlaylists) {
        if (entry.kind != playlist)
            continue;
        if (!clipName.endsWith(QLatin1String(entry.clipExtension), Qt::CaseInsensitive))
            return;
        const QString playlistName =
            clipName.left(clipName.lastIndexOf(u'.') + 1) + QLatin1String(entry.playlistExtension);
        CMediaCopy::WritePlaylist(CorvPath::Join(folder, playlistName), clipName);
    }
}

} // namespace

QString CMediaCopy::SubFolderName(SubFolder sub)
{
    for (const SubFolderEntry &entry : kSubFolders)
        if (entry.sub == sub)
            return QString::fromLatin1(entry.name);
    return {};
}

QString CMediaCopy::BaseFolder(const QString &archivePath, bool standAlone)
{
    const QString path = CorvPath::ToSlashes(archivePath);
    if (standAlone)
        return CorvPath::FolderOf(path);
    // The extension is cut from the file name only; a "." in a folder name is no extension.
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot > slash)
        return path.left(dot);
    return path;
}

QString CMediaCopy::PathFromStoredName(const QString &archivePath, bool standAlone, SubFolder sub,
                                       const QString &storedName)
{
    CorvPath::CNoCaseResolver once;
    return PathFromStoredName(archivePath, standAlone, sub, storedName, once);
}

QString CMediaCopy::PathFromStoredName(const CArchive &ar, bool standAlone, SubFolder sub,
                                       const QString &storedName)
{
    return PathFromStoredName(ar.GetFilePath(), standAlone, sub, storedName, ar.Paths());
}

QString CMediaCopy::PathFromStoredName(const QString &archivePath, bool standAlone, SubFolder sub,
                                       const QString &storedName, CorvPath::CNoCaseResolver &paths)
{
    const QString name = CorvPath::SafeBareName(storedName);
    if (name.isEmpty())
        return {};
    return paths.Resolve(CorvPath::Join({BaseFolder(archivePath, standAlone), SubFolderName(sub), name}));
}

QString CMediaCopy::TargetName(const QString &currentPath)
{
    QString name;
    GetFileNameFromPath(currentPath, name, true);
    RemoveUnsafeChars(name);
    return name;
}

CStatus CMediaCopy::Result::Status() const
{
    if (!failed)
        return {};
    return CFailure(QStringLiteral("Failed to copy file from %1\nto %2").arg(path, target));
}

CMediaCopy::Result CMediaCopy::CopyOnSave(const QString &currentPath, const QString &archivePath, bool standAlone,
                                          SubFolder sub, Playlist playlist, bool copyFile)
{
    return CopyQuietly(currentPath, archivePath, standAlone, sub, playlist, copyFile);
}

CMediaCopy::Result CMediaCopy::CopyQuietly(const QString &currentPath, const QString &archivePath, bool standAlone,
                                           SubFolder sub, Playlist playlist, bool copyFile)
{
    Result result;
    result.path = currentPath;
    const QString targetName = TargetName(currentPath);
    if (targetName.isEmpty())
        return result;  // no file named: nothing to copy and no name to store

    const QString folder = TargetFolder(archivePath, standAlone, sub);
    if (CorvPath::SamePathNoCase(currentPath, CorvPath::Join(folder, targetName))) {
        // Already in the media folder: the file stays as it is, with the case of its name.
        result.storedName = CorvPath::FileName(currentPath);
        if (!copyFile)
            return result;
    } else {
        const QString targetPath = CorvPath::Join(folder, targetName.toLower());
        result.storedName = targetName.toLower();
        if (!copyFile) {
            result.path = targetPath;
            return result;
        }
        if (CopyOverwriting(CorvPath::ToSlashes(currentPath), targetPath)) {
            result.copied = true;
            result.path = targetPath;
        } else {
            result.failed = true;
            result.target = targetPath;
            // No playlist for a clip that is not there: it would name a file the folder lacks.
            return result;
        }
    }
    WritePlaylistFor(folder, result.storedName, playlist);
    return result;
}

CMediaCopy::Result CMediaCopy::CopyOnSave(const CArchive &ar, const QString &currentPath, bool standAlone, SubFolder sub,
                                          Playlist playlist, bool copyFile)
{
    Result result = CopyQuietly(currentPath, ar.GetFilePath(), standAlone, sub, playlist, copyFile);
    if (result.failed)
        ar.NoteFailedCopy(currentPath);
    return result;
}

CStatus CMediaCopy::FailedCopies(const CArchive &ar)
{
    QStringList files;
    for (const QString &file : ar.GetFailedCopyFiles())
        if (!files.contains(file))
            files.append(file);
    if (files.isEmpty())
        return {};
    return CFailure(QStringLiteral("These media files could not be copied into the project's folder:\n\n%1\n\n"
                                   "The project still names each where it was; put them back and save again.")
                        .arg(files.join(u'\n')));
}

bool CMediaCopy::WritePlaylist(const QString &playlistPath, const QString &entryName)
{
    CStdioFileEx file;
    file.SetCodePage(CStdioFileEx::kUtf8CodePage);
    if (!file.Open(playlistPath, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite))
        return false;
    bool ok = file.WriteString(QStringLiteral("<ASX version = \"3.0\">\n"));
    ok = ok && file.WriteString(QStringLiteral("    <Entry>\n"));
    ok = ok && file.WriteString(QStringLiteral("   <Ref href = \"%1\" />\n").arg(entryName));
    ok = ok && file.WriteString(QStringLiteral("    </Entry>\n"));
    ok = ok && file.WriteString(QStringLiteral("</ASX>\n"));
    return file.Close() && ok;
}
