#pragma once

#include "platform/PathUtil.h"
#include "platform/Result.h"

#include <QString>

// Media files named by components. In memory a component keeps the full path of its file; its record keeps
// only the bare name, relative to a base folder and a fixed sub-folder: the folder of a single-screen
// archive, or the project's media folder (the project file's path without its extension).
//
// On save the file is copied there under its safe, lower-cased name; only that name is lower-cased, the
// folders keep their one spelling. On load the stored name is reduced to a bare name first, so a crafted
// file cannot point a later save outside the media folder.
class CArchive;
class CPrompt;

class CMediaCopy
{
public:
    enum SubFolder {
        sounds,
        movies,
        questions,
        images,
        imagesResized,
        imagesQuestions,
        imagesM,
        imagesMM,
    };

    // Windows Media playlists written beside .wma clips (audio) and .wmv clips (video and media).
    enum Playlist { noPlaylist, audioPlaylist, videoPlaylist };

    struct Result {
        QString path;        // the path the component keeps from now on
        QString storedName;  // the bare name the record stores
        bool copied = false;
        bool failed = false; // the copy was tried and failed
        QString target;      // where a failed copy was to go

        // The failed copy's message, naming the file and where it was to go.
        CStatus Status() const;
    };

    // "Sounds", "Movies", "Questions", "Images", "Images/Resized", ...
    static QString SubFolderName(SubFolder sub);

    // The folder media names are relative to, for the archive at archivePath.
    static QString BaseFolder(const QString &archivePath, bool standAlone);

    // The path of a name read from a record. An unsafe name (a path, "." or "..") keeps only its last
    // component; a name that leaves nothing gives an empty path.
    static QString PathFromStoredName(const QString &archivePath, bool standAlone, SubFolder sub,
                                      const QString &storedName);
    // The same for a record read from ar, whose folders it lists once for the whole load.
    static QString PathFromStoredName(const CArchive &ar, bool standAlone, SubFolder sub, const QString &storedName);

    // Copies the file at currentPath into the media folder for the archive being written (when it is not
    // there already, compared without regard to case) and writes its playlist. A failed copy is marked
    // failed (Result::Status gives its message); the component then keeps its original path, so the next
    // save tries again.
    // With copyFile false nothing is copied or written: the result names where the file goes (the Stop
    // button of an audio pair, whose Play partner copies the clip).
    static Result CopyOnSave(const QString &currentPath, const QString &archivePath, bool standAlone,
                             SubFolder sub, Playlist playlist, bool copyFile = true);
    // The same for a record written into ar: its path, and a failed copy noted on the archive
    // (CArchive::GetFailedCopyFiles) instead of a message of its own, so whoever writes it reports them all
    // at once (FailedCopies).
    static Result CopyOnSave(const CArchive &ar, const QString &currentPath, bool standAlone, SubFolder sub,
                             Playlist playlist, bool copyFile = true);

    // A failure whose one text lists every media file the archive's records could not copy; success when
    // none failed.
    static CStatus FailedCopies(const CArchive &ar);

    // The stored name a save would give currentPath: its file name without blanks, "<", ">" and "&".
    static QString TargetName(const QString &currentPath);

    // Writes a one-entry playlist (UTF-8 with a byte-order mark) naming entryName. False when it cannot be
    // written.
    static bool WritePlaylist(const QString &playlistPath, const QString &entryName);

private:
    static Result CopyQuietly(const QString &currentPath, const QString &archivePath, bool standAlone, SubFolder sub,
                              Playlist playlist, bool copyFile);
    static QString PathFromStoredName(const QString &archivePath, bool standAlone, SubFolder sub,
                                      const QString &storedName, CorvPath::CNoCaseResolver &paths);
};
