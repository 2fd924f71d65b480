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

// Whether the folder may be emptied and rebuilt: never a root or the home folder, a folder that holds the
// project file, a folder holding or inside the project's media folder, nor a folder holding the program
// folder or the per-user folder (a folder inside the per-user folder, as the preview's, is fine).
bool MayWipe(const QString &folder, const QString &projectPath, const CCorvContext &context);

} // namespace CorvOutputFolder
