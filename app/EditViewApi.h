#pragma once

#include "app/CommandTable.h"

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

    // What the frame's command rules read of the canvas: the type of the selected component (-1 for none),
    // whether its text can undo, whether a cut or copied component is held, whether a screen can be added
    // where the outline's selection is.
    virtual int GetSelectedComponentType() const { return -1; }
    virtual bool SelectionCanUndo() const { return false; }
    virtual bool HoldsCopiedComponent() const { return false; }
    virtual bool CanAddScreenHere() const { return false; }
    // Carries out Undo, Cut, Copy or Paste on the selection as the frame decided.
    virtual void OnClipboard(CorvCommandTable::ClipboardAction /*action*/) {}
    // Makes the screen the current one and shows it (the spelling check goes screen by screen).
    virtual void MakeCurrentScreen(CCorvPage * /*screen*/) {}
    // The View menu's toggles of the Edit window.
    virtual void ShowSorter(bool /*show*/) {}
    virtual void SetShowBackground(bool /*show*/) {}
    virtual void SetShowGrid(bool /*show*/) {}
};
