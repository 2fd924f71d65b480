#pragma once

#include "dialogs/LibraryChoices.h"
#include "dialogs/ui/DlgLibraryList.h"

class CCorvPage;

// "Save to library": the screens of the course outline, of which the author ticks those to save into a
// library file, with a label and a description of each. The current screen and the screens below it come
// ticked. The caller presets libraryPath and libraryDescription; on Save, results holds the ticked screens
// as their rows show them. Save needs a library path.
class CDlgSaveToLibrary2 : public CDlgLibraryList
{
    Q_OBJECT
public:
    CDlgSaveToLibrary2(CCorvessaDoc &document, std::vector<LibraryOutlineRow> rows, CCorvPage *currentScreen,
                       QWidget *parent = nullptr, CFileDialogs *dialogs = nullptr);

    static const QString kUntitledLibrary;

    QString libraryPath;
    QString libraryDescription;
    std::vector<LibrarySaveChoice> results;

    int exec() override;
    void accept() override;
    // Fills the list and ticks the current screen's subtree (exec does this first).
    void ShowValues();
    void OnBrowse();

protected:
    bool CanConfirm() const override;

private:
    void ReadControls();
    void WriteControls();

    std::vector<LibraryOutlineRow> m_rows;
    CCorvPage *m_current;
};
