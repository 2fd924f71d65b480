#pragma once

#include "import/WordDocument.h"
#include "platform/Result.h"

#include <QString>

// A picture of a word-processing document as the importer places it: decoded by the image library (PNG,
// JPEG, GIF, BMP, TIFF, the metafiles WMF and EMF when the program has registered the metafile player, and
// whatever else the library reads), brought to the size the document shows it at (96 dpi), transparency
// flattened onto white, and saved as a JPEG file.
class CDocumentPicture
{
public:
    // The largest number of pixels a picture may have once decoded or sized.
    static constexpr qint64 kMaxPixels = 40ll * 1000 * 1000;

    // Writes the JPEG file; fails with the image library's reason when the media cannot be read or the
    // file cannot be written (nothing is left at the path then).
    static CStatus SaveAsJpeg(const CWordDocument::Picture &picture, const QString &path);

    // The document's file name without folder and extension, with spaces, "<", ">" and "&" removed; a name
    // that would leave the picture folder ("", ".", "..") becomes "document".
    static QString BaseName(const QString &documentPath);
};
