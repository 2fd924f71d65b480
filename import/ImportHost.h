#pragma once

#include <QString>

class CCorvPage;

// What the importers ask of the Edit window while they make screens. The Edit window implements it; runs
// without the window (tests, command-line use) give the headless host.
class CImportHost
{
public:
    virtual ~CImportHost() = default;
    // Adds a new screen to the outline under the screen whose label is the nearest prefix of its label,
    // and makes it the current screen.
    virtual void AddPageAndSelect(CCorvPage *screen) = 0;
    // The current screen's outline text follows its title.
    virtual void UpdateCurrentTreeItemText() {}
    virtual void RefreshCurrentThumbnail() {}
    virtual void RefreshPageThumbnail() {}
    // The canvas lets go of its selection and repaints.
    virtual void ClearCanvasSelection() {}
    virtual void RepaintCanvas() {}
    // The "Popups Only" folder, made unless the course has it.
    virtual void AddPopupsOnlyFolder() = 0;
    // The main menu's topic buttons, one per topic screen.
    virtual void LayoutMenuButtons(CCorvPage *mainMenu) = 0;
    // One glossary screen under the glossary folder (made when missing), titled with the term.
    virtual void AddGlossaryItem(const QString &term, const QString &definition) = 0;
    // The current screen; null when there is none.
    virtual CCorvPage *GetCurrentScreen() const = 0;
};
