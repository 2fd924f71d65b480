#pragma once

#include <QString>

class CCorvessaDoc;

// What views learn from the document. The Import, Edit and Publish windows and the Settings window register
// themselves; headless use (tests, the publisher, the importers) registers none.
class CDocumentObserver
{
public:
    virtual ~CDocumentObserver() = default;
    // The document's content changed as a whole (new project, project opened): rebuild from it.
    virtual void OnUpdate(CCorvessaDoc & /*document*/) {}
    // A project was just read: forget any component selected on the canvas.
    virtual void OnDocumentOpened(CCorvessaDoc & /*document*/) {}
    // The document is about to be written: put pending edits into the model first.
    virtual void AboutToSave(CCorvessaDoc & /*document*/) {}
    // A new project was made, before the views are updated: the Import window starts its tables afresh, the
    // Edit window lets go of its current screen, the Internationalisation page takes the profile path.
    virtual void OnNewProject(CCorvessaDoc & /*document*/) {}
    // The Open command opened a project: the Import window keeps its topic table's names fixed.
    virtual void AfterOpenCommand(CCorvessaDoc & /*document*/) {}
    // The document became modified, or unmodified: the main window's title shows which.
    virtual void OnModifiedChanged(CCorvessaDoc & /*document*/) {}
    // A glossary item for the Edit window to add; true when a view took it.
    virtual bool AddGlossaryItem(CCorvessaDoc & /*document*/, const QString & /*term*/,
                                 const QString & /*definition*/)
    {
        return false;
    }
};
