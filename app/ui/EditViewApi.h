#pragma once

#include <QString>

class CCorvPage;
class COutlineTree;

// What the main frame and the Publish window ask of the Edit view: its current screen, the editing
// commands the frame forwards to it (their state and their execution), the font of the selected text and
// the course outline. The Edit view implements it; tests give a fake.
class CEditViewApi
{
public:
    virtual ~CEditViewApi() = default;
    // The screen being edited; null when there is none.
    virtual CCorvPage *GetCurrentPage() const = 0;
    // Whether the Edit view can carry out the command now, and whether it shows ticked.
    virtual bool UpdateCommand(int commandId, bool &checked) const = 0;
    virtual void OnCommand(int commandId) = 0;
    virtual void SetFontName(const QString &faceName) = 0;
    virtual void SetFontSize(int points) = 0;
    // The course outline, in the order and nesting of the screens.
    virtual const COutlineTree &GetTreeCtrl() const = 0;
};
