#pragma once

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
};
