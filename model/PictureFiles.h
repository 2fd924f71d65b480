#pragma once

#include "model/MediaCopy.h"

#include <QImage>
#include <QString>

class CArchive;
class CxImage;

// The picture steps the picture kinds share: reading and writing picture files by format id, photo-object
// masks, the frame drawn into JPEG pictures, and the image handed to a view.
namespace PictureFiles {

// Loads the file in the format (an id of GetImageFormatFromExt; 0 detects it from the contents). Stored
// paths may use "\" and may spell folders in another case. False, with the image unchanged, when the file
// does not load.
bool Load(CxImage &image, const QString &path, int format);
// Writes the image in the format, making the folder when it is missing. The file is replaced only once the
// whole picture has been encoded, so a failed save keeps what was there.
bool Save(CxImage &image, const QString &path, int format);

// Copies a picture file as it is (a project copy going into another project), making the folder when it is
// missing; the target is replaced only once the whole file has been written.
bool CopyFile(const QString &from, const QString &to);

// Notes on the archive being stored that a picture could not be written where it keeps it (to); whoever
// writes the archive tells the author of every such picture in one message.
void ReportFailedCopy(const CArchive &ar, const QString &from, const QString &to);

// The media sub-folder for the archive being read or written, spelt as it exists on disk.
QString MediaFolder(const QString &archivePath, bool standAlone, CMediaCopy::SubFolder sub);

// The mask of a graphics-library photo object: root + "Photo_Objects/mask/" + the picture's name without
// its extension + ".png".
QString PhotoMaskPath(const QString &libraryRoot, const QString &picturePath);
// Sets the picture's alpha from the mask's grey levels. False (the picture unchanged) when the mask does
// not load or does not have the picture's size.
bool ApplyPhotoMask(CxImage &picture, const QString &maskPath);

// Width of the frame of a JPEG picture: 2% of its larger side (none under 50 pixels).
int FrameWidth(int width, int height);
// Draws the frame into the picture: black (style 0) or bevelled (style 1, the bottom and right bands
// darker, the top and left lighter). Alpha is kept.
void DrawFrame(CxImage &picture, int bevelled);

// A metafile's white background shows through: transparent index 0 and white as the transparent colour,
// unless the picture has a transparency already.
void MakeWhiteTransparent(CxImage &picture);

// The picture as a view shows it: alpha kept, the transparent colour (or index) of a picture that has one
// made transparent. A null image for an empty picture.
QImage ToDisplayImage(const CxImage &picture);

// A file name the system chooses: unsafe characters removed, then reduced to a bare name that cannot leave
// its folder ("" when nothing is left).
QString SafeName(const QString &name);

} // namespace PictureFiles
