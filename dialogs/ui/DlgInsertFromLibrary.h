#pragma once

#include "dialogs/LibraryChoices.h"
#include "dialogs/ui/DlgLibraryList.h"

#include <memory>

class ContentLibrary;

// "Insert content from library": the items of a library file, of which the author ticks those to insert.
// The caller presets libraryPath (the project's last library); on Insert, results holds the ticked items
// and the project remembers the library.
class CDlgInsertFromLibrary : public CDlgLibraryList
{
    Q_OBJECT
public:
    CDlgInsertFromLibrary(CCorvessaDoc &document, QWidget *parent = nullptr, CFileDialogs *dialogs = nullptr);
    ~CDlgInsertFromLibrary() override;

    QString libraryPath;
    QString libraryDescription;
    std::vector<LibraryInsertChoice> results;

    int exec() override;
    void accept() override;
    // Loads the preset library and shows the values (exec does this first).
    void ShowValues();
    // Reads the library the path names into the list; a path naming no file is emptied.
    void LoadLibrary();
    void OnBrowse();
    ContentLibrary *Library() const { return m_library.get(); }

private:
    void ReadControls();
    void WriteControls();

    std::unique_ptr<ContentLibrary> m_library;
};
