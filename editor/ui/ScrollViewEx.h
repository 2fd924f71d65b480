#pragma once

#include "document/DocumentObserver.h"
#include "editor/CanvasModel.h"
#include "model/ComponentTable.h"
#include "model/EditCanvas.h"

#include <QImage>
#include <QPointer>
#include <QScrollArea>

#include <functional>
#include <memory>

class CAspectKeeperRectTracker;
class CComponentBase;
class CComponentClipboard;
class CCorvPage;
class CCorvessaDoc;
class CLineTracker;
class CPrompt;
class QMenu;
class QMimeData;

// The screen canvas of the Edit window: a scrolling 1008 x 560 page showing the current screen's
// components, with the selection tracker, the line tracker, the drawing tools, the context menu, Paste and
// Delete. The page's coordinates are the screen's: the scroll area maps them once. The screen shown is the
// one the Edit window hands it (ShowScreen), and the Edit window shows another screen (or none) before it
// removes the one shown; the component clipboard is the Edit window's.
class CScrollViewEx : public QScrollArea, public CEditCanvas, public CDocumentObserver
{
    Q_OBJECT
public:
    explicit CScrollViewEx(QWidget *parent = nullptr);
    ~CScrollViewEx() override;

    // The document whose screens are shown; it gets this canvas for the components it makes.
    void SetDocument(CCorvessaDoc *doc);
    CCorvessaDoc *GetDocument() const { return m_doc; }
    // The component clipboard; by default one the canvas keeps itself.
    void SetClipboard(CComponentClipboard *clipboard);
    CComponentClipboard &Clipboard() const { return *m_clipboard; }

    // The current screen leaves the canvas and the screen given (or none) is shown.
    void ShowScreen(CCorvPage *screen);
    CCorvPage *GetCurrentScreen() const { return m_screen; }
    void SetBackgroundFlag(bool on);
    void SetGridFlag(bool on);
    void LoadBackground();
    void DeleteBackgroundBitmap();

    // ---- Selection ----
    CComponentBase *GetSelectedComponent() const { return m_model.GetSelected(); }
    // What a window asks when it wants its component selected (null clears the selection).
    void SelectComponent(CComponentBase *component);
    void DeleteTrackers();
    const CCanvasModel &Model() const { return m_model; }

    // ---- Commands ----
    void OnPaste();
    // Ctrl+C and Ctrl+X of the canvas: with a screen and a selection.
    void CopySelection();
    void CutSelection();
    void Copy(CComponentBase *component);
    // Copies, then deletes the component; false when it stays.
    bool Cut(CComponentBase *component);
    bool DeleteComponent(CComponentBase *component);
    void BringToTop(CComponentBase *component);
    void SendToBack(CComponentBase *component);
    void SetDrawLine() { Arm(CCanvasModel::Shape::Line); }
    void SetDrawRectangle() { Arm(CCanvasModel::Shape::Rectangle); }
    void SetDrawEllipse() { Arm(CCanvasModel::Shape::Ellipse); }
    // Moves or resizes the selection to the rectangle (kept on the screen), as a finished drag does.
    void PlaceSelection(const QRect &rect);
    // The element Properties dialog of a component (audio, picture, text box, video, YouTube).
    void ShowProperties(CComponentBase *component);
    // "Update table": the table dialog preset from the settings given; on OK they take the author's values,
    // the screen is marked changed and true is returned.
    bool ShowUpdateTable(CComponentTable &table, CComponentTable::Settings &settings);

    // ---- Pictures ----
    QImage RenderSmallThumbnail(const CCorvPage *screen) const;
    QImage RenderLargeThumbnail(const CCorvPage *screen) const;
    // The page as it is shown, windows included, at the screen's size.
    QImage GrabScreen();

    // ---- Mouse input, from the page and from the windows, at canvas points ----
    void CanvasPress(const QPoint &point);
    void CanvasMove(const QPoint &point);
    void CanvasRelease(const QPoint &point);
    // The menu of the canvas at a global position; the menu is returned for tests when exec is false.
    void ShowCanvasMenu(const QPoint &globalPos);
    std::unique_ptr<QMenu> BuildCanvasMenu();

    QWidget *Page() const;
    QWidget *Overlay() const;

    // ---- Files dragged from the desktop ----
    // Whether the local files can be taken, and what dropping them at a canvas point does; without these
    // the canvas takes no files.
    std::function<bool(const QStringList &)> acceptsFiles;
    std::function<void(const QStringList &, const QPoint &)> dropFiles;

    // CEditCanvas
    std::unique_ptr<CComponentWindow> CreateComponentWindow(CComponentBase &component) override;
    void ClearDisplayedComponents() override;
    void AppendDisplayedComponent(CComponentBase *component) override;
    void Invalidate() override;
    void ForgetComponent(CComponentBase *component) override;

    // CDocumentObserver: the background follows the settings; a new project lets go of the screen.
    void OnUpdate(CCorvessaDoc &document) override;
    void OnNewProject(CCorvessaDoc &document) override;
    void OnDocumentOpened(CCorvessaDoc &document) override;

signals:
    void selectionChanged(CComponentBase *component);
    // The screen changed (the document is marked modified as well).
    void screenModified(CCorvPage *screen);
    // The main frame's position and size panes (CMainFrame::ShowItemPosition and ShowItemSize).
    void positionChanged(int x, int y, int width, int height);
    // A drawing tool drew its shape and is disarmed (the frame releases the tool's button).
    void drawingFinished(int shape);
    // A context-menu entry that the Edit window carries out (new screen, questions, media, pictures...).
    void commandRequested(int command);
    // Ctrl+F1 .. Ctrl+F12, for the Edit window's new-screen templates.
    void editWindowKey(int key);
    // The face and size of the text selected in a text box or table cell on the canvas, for the font boxes.
    void selectionFontChanged(const QString &face, int points);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    friend class CCanvasPage;
    friend class CCanvasOverlay;

    void Arm(CCanvasModel::Shape shape);
    void ForgetRemovedScreen();
    void MarkModified();
    void ReportPosition(const QRect &rect);
    void ReportNoPosition();
    void RebuildTrackers();
    void FinishRectDrag();
    void FinishLineDrag();
    bool HandleKey(QKeyEvent *event);
    // The local files of the drag when the canvas takes them; empty otherwise.
    QStringList AcceptableFiles(const QMimeData *mime) const;
    void Nudge(int dx, int dy, bool resize);
    void UpdateCursor(const QPoint &point);
    void PaintPage(QPainter &painter);
    void PaintOverlay(QPainter &painter);
    QPoint ToCanvas(const QPoint &pagePoint) const { return pagePoint; }

    CCorvessaDoc *m_doc = nullptr;
    CCorvPage *m_screen = nullptr;
    CCanvasModel m_model;
    CComponentBase *m_reselect = nullptr;
    std::unique_ptr<CComponentClipboard> m_ownClipboard;
    CComponentClipboard *m_clipboard = nullptr;
    std::unique_ptr<CAspectKeeperRectTracker> m_rectTracker;
    std::unique_ptr<CLineTracker> m_lineTracker;
    QImage m_background;
    bool m_backgroundFlag = true;
    bool m_gridFlag = false;
    QPointer<QWidget> m_cursorWindow;
    class CCanvasPage *m_page = nullptr;
    class CCanvasOverlay *m_overlay = nullptr;
};
