#pragma once

#include "editor/OutlineDrop.h"
#include "editor/ThumbStrip.h"
#include "model/ComponentRemediation.h"
#include "model/OutlineTree.h"

#include <QString>

#include <functional>
#include <memory>

class CComponentBase;
class CCorvessaDoc;
class CCorvPage;
class CEditCanvas;

// The Edit window without its widgets: the current screen with its outline item and thumbnail, the course
// outline and the thumbnail strip kept in step with the document, the component clipboard and the copied
// screen, and the outline operations (placement, renumbering, moves, deletion). The widgets show what it
// holds and hand it the author's clicks, keys and drops.
class CEditController
{
public:
    using Item = COutlineTree::Item;

    // What the controller asks of its surroundings; each may be left empty.
    struct Hooks {
        // The canvas: forget the selected component / the trackers; empty the displayed list.
        std::function<void()> clearCanvasSelection, deleteCanvasTrackers, emptyCanvasList;
        // Menu screens and section links after the outline changed.
        std::function<void()> layoutAllMenus, updateSectionLinks;
        // A question screen was moved: exchange its default feedback texts.
        std::function<void(CCorvPage *)> swapDefaultFeedback;
        // The topic list changed: the Import window shows it again.
        std::function<void()> topicsChanged;
        // The remediation dialog: true on OK, with the values edited in place.
        std::function<bool(SRemediationValues &)> editRemediation;
        // Shows the screen (or none) on the canvas; without it the screen is put on the canvas given to
        // SetCanvas.
        std::function<void(CCorvPage *)> showScreen;
    };

    // Tells the view what to show again.
    struct Listener {
        virtual ~Listener() = default;
        virtual void OutlineChanged() {}
        virtual void ThumbnailsChanged() {}
        virtual void ThumbnailImageChanged(int /*item*/) {}
        virtual void CurrentChanged() {}
    };

    explicit CEditController(CCorvessaDoc &document);
    ~CEditController();
    CEditController(const CEditController &) = delete;
    CEditController &operator=(const CEditController &) = delete;

    CCorvessaDoc &Document() const { return m_doc; }
    Hooks &GetHooks() { return m_hooks; }
    void SetListener(Listener *listener) { m_listener = listener; }
    // The canvas the current screen is shown on (not owned); none in headless use.
    void SetCanvas(CEditCanvas *canvas) { m_canvas = canvas; }
    CEditCanvas *GetCanvas() const { return m_canvas; }

    // ---- Life ----
    // A project was opened or made: forget the current screen and the component clipboard, select the first
    // thumbnail.
    void OnInitialUpdate();
    // The document changed as a whole: thumbnails and outline rebuilt, menus laid out. A current screen that
    // is no longer in the document is forgotten (never touched); without one the first thumbnail is chosen.
    void OnUpdate();
    // Lets go of the current screen without touching it (its project is going away).
    void ForgetCurrentScreen();

    // ---- Current screen ----
    CCorvPage *GetCurrentPage() const { return m_current; }
    // Stores the screen and nothing else.
    void SetCurrentPage(CCorvPage *screen) { m_current = screen; }
    Item *GetCurrentItem() const { return m_currentItem; }
    int GetCurrentThumbnailIndex() const { return m_currentThumb; }
    // Hands the canvas over from the current screen to the screen: refresh the old thumbnail when it was
    // modified, take it off the canvas, clear the canvas selection, make the new one current and show it.
    void ChangeCurrentScreen(CCorvPage *screen);
    // The author chose a thumbnail / an outline item. A selection made by the program only empties the
    // canvas list.
    void SelectThumbnail(int index);
    void SelectTreeItem(Item *item, bool byUser);
    // The screen becomes current with its item and thumbnail, and is shown.
    void MakeCurrentScreen(CCorvPage *screen);
    void SelectFirstThumbnail();

    // ---- Thumbnails ----
    CThumbStrip &Thumbs() { return m_thumbs; }
    const CThumbStrip &Thumbs() const { return m_thumbs; }
    static bool HasThumbnail(const CCorvPage *screen);
    void BuildThumbnails();
    // Items again from the three lists without drawing; main-list labels lose a "P" or "G" mark for good.
    void RefillThumbnails();
    void RefreshCurrentThumbnail();
    void RefreshPageThumbnail(CCorvPage *screen);
    int FindThumbnailIndex(const CCorvPage *screen) const { return m_thumbs.FindItem(screen); }

    // ---- Outline ----
    const COutlineTree &GetTreeCtrl() const { return m_tree; }
    COutlineTree &Tree() { return m_tree; }
    void RebuildTree();
    Item *FindTreeItemOfPage(const CCorvPage *screen) const;
    void UpdateCurrentTreeItemText();

    // ---- Screen identifiers and placement ----
    // The label of a screen inserted at the current position; false (with the message) when nothing may be
    // inserted. currentLabel receives the current screen's label when there is one.
    bool NewPageIdForInsert(QString &currentLabel, QString &newLabel);
    // Places a new screen in the outline (by its label, from the current item up) and, when it has one, its
    // thumbnail after the current one; it becomes current and selected. False for null.
    bool AddPageAndSelect(CCorvPage *screen);
    // Where the next AddPageAndSelect puts a screen: from the item (null: at the end of the root) and after
    // the thumbnail (-1: at the end of the list). The current screen stays.
    void SetInsertionPoint(Item *item, int thumbnail)
    {
        m_currentItem = item;
        m_currentThumb = thumbnail;
    }
    bool CanAddScreenHere() const;
    bool CanInsertQuestion() const;

    // ---- Clipboards ----
    // Keeps a clone of the component (default position) and forgets the copied screen.
    void CopyComponent(const CComponentBase *component);
    void ClearComponentClipboard();
    const CComponentBase *GetComponentClipboard() const { return m_clipboard.get(); }
    // Remembers the screen by its number and empties the component clipboard.
    void CopyScreen(const CCorvPage *screen);
    // The copied screen while it still exists; null otherwise.
    CCorvPage *GetCopiedScreen() const;

    // ---- Outline operations ----
    // Renumbers the whole outline, rebuilds the screen lists from it and refills the thumbnails.
    void Renumber();
    // The whole drop of a dragged outline item on a target with the decision made: the move, childless
    // folders fixed, menus, links and feedback brought up to date. False when nothing moved.
    bool DropTreeItem(Item *dragged, Item *target, OutlineDrop::Result decision);
    // A thumbnail dropped on another: the moved screen goes after the target screen.
    bool MoveThumbnailPage(CCorvPage *moved, CCorvPage *target);
    // Copies the source item (and with siblings those after it) with their subtrees as children of the target
    // or after it; the sources stay. The first new item.
    Item *CopySubtree(Item *source, Item *target, bool asChild, bool withSiblings);
    // Moves a content or question screen's item as the target's child or after it, with the list fix-ups;
    // renumbers, rebuilds and refills. The new item.
    Item *MoveScreenItem(Item *item, Item *target, bool asChild);
    // Childless folders that are no menu become content screens.
    void FixLeafFolders();
    // Deletes the item and its screen (asking first when ask is set, always for a menu); false when refused.
    bool DeleteOutlineItem(Item *item, bool ask);
    bool DeleteScreenOfThumbnail(CCorvPage *screen);

    // ---- Outline page ----
    // A new "Untitled" container as the last child of the folder.
    CCorvPage *AddContainerUnder(Item *folder);
    CCorvPage *ConvertToFolderWithContainer(Item *item);
    // Asks for the remediation settings and adds a "Remediation" screen after the drop item.
    CCorvPage *AddRemediationAfter(Item *dropItem);
    // Edits the settings of a remediation screen; true when they were changed.
    bool EditRemediation(CCorvPage *screen);
    // The author renamed an item: the screen's title and, for a topic of the main menu, its button.
    void RenameItem(Item *item, const QString &text);

private:
    enum class List { main, popups, glossary };
    void NotifyOutline();
    void NotifyThumbnails();
    void NotifyCurrent();
    void Call(const std::function<void()> &hook) const;
    void AfterOutlineChange();
    void CopyChildren(Item *source, Item *copy);
    void MoveToList(CCorvPage *screen, List to, CCorvPage *after);
    void FixLeafFolders(Item *first);
    void AppendThumbnails(bool stripMainMarks);
    void ShowCurrent();

    CCorvessaDoc &m_doc;
    Hooks m_hooks;
    Listener *m_listener = nullptr;
    CEditCanvas *m_canvas = nullptr;
    COutlineTree m_tree;
    CThumbStrip m_thumbs;
    CCorvPage *m_current = nullptr;
    Item *m_currentItem = nullptr;
    int m_currentThumb = -1;
    std::unique_ptr<CComponentBase> m_clipboard;
    // The copied screen by its number, so a deleted screen is never pasted; -1 for none.
    int m_copiedScreen = -1;
};
