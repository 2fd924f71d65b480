#pragma once

#include "platform/Result.h"

#include <QByteArray>
#include <QString>

class CArchive;
class CCorvessaDoc;

// Opens and saves the document's project file (".kvx"), through the document's public interface and the
// project archive. The failures that end an operation come back as its result, for the command that
// called it to show; a notice about an operation that did complete (a project read only in part, media
// that could not be copied, the profile copy) goes to the document's prompt.
class CProjectFile
{
public:
    // Opens a project file. Only ".kvx" files are read (the extension compared without regard to case);
    // any other file, or one that cannot be opened, is refused with the reason and changes nothing. A
    // project read whole is unmodified: it is what its file holds. A project that could be read only in
    // part is shown as far as it was read, the author is told, it counts as modified (what was read
    // exists nowhere else) and the document is not bound to the file: saving asks for a name, so
    // the damaged original is never overwritten by what could be read of it. The project folder's copy of
    // the international profile, when there is one, becomes the document's profile.
    static CStatus Open(CCorvessaDoc &doc, const QString &path);
    // Writes the project file and binds the document to it. The project folder and its media sub-folders
    // are made first, so components can copy their media there; a project folder that cannot be made fails
    // the save. The file is written beside the old one ("<name>.kvx.tmp"), forced to the disk and renamed
    // over it, so a failed save leaves the old file, and the course's logo and background paths, as they
    // were. Only then are the loose files of a folder an earlier save made removed and the profile copy
    // written.
    static CStatus Save(CCorvessaDoc &doc, const QString &path);

    // Stores or loads the project archive. A load first resets the settings to a new project's, so that
    // what an older file lacks does not come from the course open before. After a read error in the
    // file's layout (an early end, an impossible count) it reads the file again with the widened gates of
    // old files; a component it cannot read is no layout error and keeps the first pass. When the file
    // cannot be read whole the pass that read further is kept and the author is told.
    static void Serialize(CCorvessaDoc &doc, CArchive &ar);

private:
    // Reads the project; false when it could be read only in part (the author has been told).
    static bool LoadFrom(CCorvessaDoc &doc, const QByteArray &bytes, const QString &path);
    static void ReadProjectProfile(CCorvessaDoc &doc, const QString &projectFolder);
};
