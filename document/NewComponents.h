#pragma once

#include "model/ComponentTable.h"
#include "model/GraphicsLibrarySearch.h"

#include <QString>

#include <memory>

class CComponentImage;
class CComponentTextbox;
class CCorvessaDoc;

// The components the document makes new while the author works (the screen factories and the insertions
// into the current screen) share their set-up: they are made on the document's Edit canvas, take the
// course's main font and direction, and number their text files from the document's next text-box number.
class CNewComponents
{
public:
    // "tb%d.rtf" and "t%d" with the next text-box number, which moves on.
    static QString TakeTextBoxFileName(CCorvessaDoc &doc);
    static QString TakeTableFileName(CCorvessaDoc &doc);

    // A text box in the course's main font (face, point size, colour) and direction with the next
    // "tb%d.rtf"; with defaultText 1 it holds "Click and add text.".
    static std::unique_ptr<CComponentTextbox> TextBox(CCorvessaDoc &doc, int defaultText);
    // A table of the settings record with the next "t%d", its cells in the course's main font.
    static std::unique_ptr<CComponentTable> Table(CCorvessaDoc &doc, const CComponentTable::Settings &settings);
    // The record of the tables made without the table dialog: one-pixel borders, black, cell padding 5,
    // white backgrounds, no header, old-style borders.
    static CComponentTable::Settings DefaultTableSettings(int rows, int columns);
    // A picture component showing the file (a file that does not load leaves it without a picture).
    static std::unique_ptr<CComponentImage> Picture(CCorvessaDoc &doc, const QString &path);

    // The title picture of the course's theme: <program folder>/Themes/<Theme>/kv_text.png.
    static QString ThemeTitlePicture(const CCorvessaDoc &doc);
    static const QString &ThemeTitlePictureName();
    // The kinds of library picture the course lets the system choose.
    static CLibraryPictureKinds LibraryPictureKinds(const CCorvessaDoc &doc);
};
