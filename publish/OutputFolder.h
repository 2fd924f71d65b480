#pragma once

#include <QString>

class CCorvContext;

// The folder a publish writes into. Every output file lies inside it, and it is emptied before a publish
// only when that cannot destroy anything of the author's or of the program's.
namespace CorvOutputFolder {

// The path of relativePath ("/" or "\" separated) under the output folder; "" when the relative path is
// empty, absolute or climbs out with "..".
QString Resolve(const QString &outputFolder, const QString &relativePath);

// Whether the path, once links are followed, lies inside the folder (or is it). A path that does not
// exist yet is judged by its nearest existing folder.
bool StaysInside(const QString &folder, const QString &path);

// Whether the folder that path lies in, once links are followed, lies inside the folder (or is it); the
// last part of the path is not looked at, so the caller opens it without following a link there.
bool FolderOfStaysInside(const QString &folder, const QString &path);

// While one lives on a thread, StaysInside follows the links of each folder a path lies in once: a
// folder that exists and was found inside stays so, and later paths in it only have their last part
// looked at (a link there is followed in full). A publish holds one for its run, so that its thousands
// of files do not each have every part of their path resolved. Scopes do not nest: an inner one is
// inert.
class FolderCheckScope
{
public:
    FolderCheckScope();
    ~FolderCheckScope();
    FolderCheckScope(const FolderCheckScope &) = delete;
    FolderCheckScope &operator=(const FolderCheckScope &) = delete;

    // Whether one lives on the calling thread.
    static bool Active();

private:
    bool m_active = false;
};

// Whether the folder may be emptied and rebuilt: never a root or the home folder, a folder that holds the
// project file, a folder holding or inside the project's media folder, nor a folder holding the program
// folder or the per-user folder (a folder inside the per-user folder, as the preview's, is fine).
bool MayWipe(const QString &folder, const QString &projectPath, const CCorvContext &context);

} // namespace CorvOutputFolder
