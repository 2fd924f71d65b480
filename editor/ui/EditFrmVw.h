#pragma once

#include "app/EditViewApi.h"
#include "document/DocumentObserver.h"
#include "editor/EditController.h"
#include "editor/MenuScreens.h"
#include "editor/ScreenCommands.h"
#include "model/CorvPage.h"

#include <QList>
#include <QWidget>

#include <functional>
#include <memory>

class CCorvessaDoc;
class CFileDialogs;
class CGraphicsLibrarySearch;
class CComponentBase;
class CScrollViewEx;
class CDragDropListCtrl;
class CDragDropTreeCtrl;
class CPropertySheetView;
class CIniFile;
class CSSplitter;
class QTreeWidget;

// The Edit window: a splitter with the navigator (thumbnails and outline) on the left and the screen canvas
// on the right; the bar's place is kept in the program's profile. It keeps the current screen through its controller and shows the document's course.
class CEditFrmVw : public QWidget, public CDocumentObserver, public CEditViewApi, private CEditController::Listener
{
    Q_OBJECT
public:
    static constexpr int kInitialBar = 220;
    // The splitter's control id: its bar place is kept in the profile under it.
    static constexpr int kSplitterId = 70001;

    explicit CEditFrmVw(CCorvessaDoc &document, QWidget *parent = nullptr);
    ~CEditFrmVw() override;

    CEditController &Controller() { return m_controller; }
    CPropertySheetView *Navigator() const { return m_navigator; }
    CSSplitter *Splitter() const { return m_splitter; }
    // Where the splitter's bar place is kept: the bar moves to the place kept there, if any, and is written
    // back when the Edit window closes.
    void SetProfile(CIniFile *profile, const QString &baseKey);
    CDragDropTreeCtrl *Tree() const;
    CDragDropListCtrl *ThumbnailList() const;
    // The outline tree widget (one column: the screens' titles).
    QTreeWidget *OutlineWidget() const;
    // The screen canvas in the screen area.
    CScrollViewEx *Canvas() const { return m_canvas; }
    // A command changed the screen: the screen and the project are marked, the canvas and the screen's
    // thumbnail drawn again.
    void ScreenChanged(CCorvPage *screen);
    // Who pastes the copied screen (the screen commands); without one Paste is greyed.
    void SetPasteScreenHandler(std::function<void()> paste) { m_pasteScreen = std::move(paste); }
    // The screen commands and the dialogs they open (tests may answer them in place).
    CScreenCommands &ScreenCommands() { return *m_screenCommands; }
    CScreenCommands::Dialogs &ScreenDialogs() { return m_screenDialogs; }
    // The topic buttons of every menu screen laid out again from the outline and the course's menu options.
    void LayoutAllMenus() { m_menuScreens->LayoutAllMenus(); }
    bool ShowBackground() const { return m_showBackground; }
    // Files dragged from the desktop onto the canvas or the outline: whether they can be taken, and the drop
    // at a canvas point (pictures and media files become components of the current screen).
    bool AcceptsDroppedFiles(const QStringList &paths) const;
    // The graphics library a further imported document takes its pictures from.
    void SetGraphicsLibrary(CGraphicsLibrarySearch *library);
    // The file pickers of the program (the desktop's own without them).
    void SetFileDialogs(CFileDialogs *dialogs) { m_fileDialogs = dialogs; }
    void DropFiles(const QStringList &paths, const QPoint &canvasPoint);
    bool ShowGrid() const { return m_showGrid; }

    // CDocumentObserver
    void OnUpdate(CCorvessaDoc &document) override;
    void OnNewProject(CCorvessaDoc &document) override;
    bool AddGlossaryItem(CCorvessaDoc &document, const QString &term, const QString &definition) override;

    // CEditViewApi
    // The current screen while the document holds it; null when it went with a project read over it.
    CCorvPage *GetCurrentPage() const override;
    bool UpdateCommand(int commandId, bool &checked) const override;
    void OnCommand(int commandId) override;
    void SetFontName(const QString &faceName) override;
    void SetFontSize(int points) override;
    const COutlineTree &GetTreeCtrl() const override { return m_controller.GetTreeCtrl(); }
    bool HoldsCopiedComponent() const override { return m_controller.GetComponentClipboard() != nullptr; }
    bool CanAddScreenHere() const override { return m_controller.CanAddScreenHere(); }
    void MakeCurrentScreen(CCorvPage *screen) override;
    void ShowSorter(bool show) override;
    void SetShowBackground(bool show) override;
    void SetShowGrid(bool show) override;
    int GetSelectedComponentType() const override;
    bool SelectionCanUndo() const override;
    void OnClipboard(CorvCommandTable::ClipboardAction action) override;

signals:
    void CurrentPageChanged();
    // The author asked for help (F1 reaching the Edit window).
    void HelpRequested();
    // The author asked to see the screen in the browser.
    void PreviewRequested(CCorvPage *screen);

protected:
    // The keys that reach the Edit window itself: Ctrl+C and Ctrl+V copy and paste screens, Ctrl+F finds,
    // Ctrl+F1 to Ctrl+F12 make new screens, F1 help, F5 a new screen, F6 a further document.
    void keyPressEvent(QKeyEvent *event) override;

private:
    // CEditController::Listener
    void OutlineChanged() override;
    void ThumbnailsChanged() override;
    void ThumbnailImageChanged(int item) override;
    void CurrentChanged() override;

    void ConnectCanvas();
    // The Find dialog over the document, showing each screen it searches.
    void FindAndReplace();
    // The link dialog for the selected words of the selected text box or table cell.
    void AddLinkToSelectedText();
    // The media dialog of the command, then its components on the current screen; narration is recorded.
    void AddMedia(int commandId);
    // Ctrl+F1 to Ctrl+F12 (key 1 to 12).
    void NewScreenFromKey(int key);
    // F6: a further Word or PowerPoint document at the current place, in a new topic or into the glossary.
    void ImportNewDocument();
    void InsertFromLibrary();
    // The current screen alone as a "*.kvl" archive where the author chooses.
    void SaveScreenToLibraryFile();
    void SaveToLibrary();
    // The editing window of the selected component when it is a text box or a table, else null.
    QWidget *SelectedTextWindow() const;
    bool FormatSelectedText(int commandId);
    // The screen commands' share of UpdateCommand / OnCommand; false for other commands.
    bool UpdateScreenCommand(int commandId, bool &enabled) const;
    bool OnScreenCommand(int commandId);
    // The edit bar's popup menus of new screens, question kinds, media kinds and picture commands, under
    // their buttons.
    void ShowAddMenu(int commandId);

    CCorvessaDoc &m_document;
    CEditController m_controller;
    CSSplitter *m_splitter;
    CPropertySheetView *m_navigator;
    CScrollViewEx *m_canvas = nullptr;
    std::unique_ptr<class CComponentClipboard> m_canvasClipboard;
    std::function<void()> m_pasteScreen;
    CScreenCommands::Dialogs m_screenDialogs;
    std::unique_ptr<CScreenCommands> m_screenCommands;
    std::unique_ptr<CMenuScreens> m_menuScreens;
    bool m_showBackground = false;
    bool m_showGrid = false;
    CGraphicsLibrarySearch *m_library = nullptr;
    CFileDialogs *m_fileDialogs = nullptr;
};
