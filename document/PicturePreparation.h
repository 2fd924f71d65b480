#pragma once

#include <QString>

// The course's logo and background pictures as the project folder and a preview keep them. The author
// picks them anywhere on disk; a save puts a copy in the project folder's "Images/Resized" folder, named
// after the picture's file name without blanks, "<", ">" and "&" (the name the project file stores).

// The name of a prepared copy: the picture's file name without blanks, "<", ">" and "&", reduced to a bare
// name ("" when nothing is left).
QString PreparedPictureName(const QString &picturePath);

// The logo shrunk to fit 400 x 50 when it is taller than 50 pixels, saved in its own format into the
// project folder; a PNG logo is saved a second time into "Images/Resized/png8". Returns the path of the
// prepared copy (the png8 one for a PNG); an empty path for an empty logo or when nothing could be
// written. A picture that cannot be decoded is copied as it is, so the course still names a file that
// exists. A logo that already is the prepared copy (a project saved before) is left as it is.
QString PrepareLogoPicture(const QString &projectFolder, const QString &logoPath);

// The same shrinking into a preview's output folder ("images"). False when nothing could be written.
bool CopyResizedLogo(const QString &outputFolder, const QString &logoPath);

// The background copied unchanged into the project folder. Returns the copy's path; the author's path
// when the copy could not be made; an empty path for an empty one. A background that already is the copy
// is not copied onto itself.
QString PrepareBackgroundPicture(const QString &projectFolder, const QString &backgroundPath);
