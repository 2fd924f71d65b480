#pragma once

#include "model/ProjectSchema.h"

#include <QString>

#include <cstdint>

class CCorvPage;
class CCorvessaDoc;

// A ".kvl" file holding one screen with its components, as content libraries keep their items and as the
// author saves a screen to a file of his own. It is written like a screen of the project file (the schema
// number first, the menu kind always present), and the media of its components lie in the project-style
// sub-folders of the folder that holds it.
class CSingleScreenArchive
{
public:
    static constexpr int32_t kSchema = ProjectSchema::kCurrent;

    // Whose folder the archive goes into. A content-library item has a folder of its own, whose other loose
    // files are stale and go; a file the author saves into a folder of his own leaves the folder's other
    // files alone.
    enum FolderUse { sharedFolder, ownFolder };

    // Writes the screen to the file at path (replaced only once complete), its media copied into the
    // folder's sub-folders. The components are then stand-alone: they name the copies beside the archive
    // until the project is saved next. False, reported to the author, when the file cannot be written.
    static bool SaveScreenArchive(CCorvessaDoc &doc, const QString &path, CCorvPage *screen,
                                  FolderUse folder = sharedFolder);
    // Reads the file into a new screen numbered from the document's next screen number, inserted after
    // `after` (the popups list after the popups folder, the glossary list after the glossary folder, else
    // the main list). A screen of the topic kind adds a topic. Null, reported to the author, when the file
    // cannot be opened or read whole; the project is then as it was.
    static CCorvPage *LoadScreenArchive(CCorvessaDoc &doc, const QString &path, CCorvPage *after);
};
