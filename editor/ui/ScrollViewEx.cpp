#include "editor/ui/ScrollViewEx.h"

#include "app/ui/controls/AspectKeeperRectTracker.h"
#include "app/ui/controls/LineTracker.h"
#include "dialogs/ui/DlgElementProperties.h"
#include "dialogs/ui/DlgInsertTable.h"
#include "document/ComponentInsertion.h"
#include "document/CorvessaDoc.h"
#include "document/EditorHooks.h"
#include "editor/CanvasComponentPainter.h"
#include "editor/CanvasEdits.h"
#include "editor/ComponentCommands.h"
#include "editor/ScreenRenderer.h"
#include "editor/ui/ComponentWindowFactory.h"
#include "editor/ui/DroppedFiles.h"
#include "model/ComponentBase.h"
#include "model/ComponentLine.h"
#include "model/ComponentWindow.h"
#include "model/CorvPage.h"
#include "platform/Prompt.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int kTrackerSlop = 5;
constexpr int kHatchWidth = 4;

// The selection tracker: a picture keeps its shape on its corners, a YouTube player offers no handles and
// can only be moved.
class CCanvasRectTracker : public CAspectKeeperRectTracker
{
public:
    CCanvasRectTracker(const QRect &rect, int style) : CAspectKeeperRectTracker(rect), m_style(style) {}
    int Style() const { return m_style; }
    unsigned GetHandleMask() const override
    {
        return m_style == CCanvasModel::kStyleHatchedOnly ? 0u : CAspectKeeperRectTracker::GetHandleMask();
    }

private:
    int m_style;
};

// Page coordinates of the screen: the page is laid at the scroll area's origin, one pixel per unit.
class CEditorOfCanvas : public CEditorHooks
{
public:
    explicit CEditorOfCanvas(CCorvPage *screen) : m_screen(screen) {}
    CCorvPage *GetCurrentScreen() const override { return m_screen; }

private:
    CCorvPage *m_screen;
};

} // namespace

// The 1008 x 560 page: it paints the screen and its windowless components and takes the mouse where no
// component window lies.
class CCanvasPage : public QWidget
{
public:
    explicit CCanvasPage(CScrollViewEx &canvas) : QWidget(nullptr), m_canvas(canvas)
    {
        setFixedSize(CScreenRenderer::kScreenSize);
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
        setAccessibleName(QStringLiteral("Screen canvas"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_canvas.PaintPage(painter);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton) {
            setFocus(Qt::MouseFocusReason);
            m_canvas.CanvasPress(event->position().toPoint());
        }
    }
    void mouseMoveEvent(QMouseEvent *event) override { m_canvas.CanvasMove(event->position().toPoint()); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_canvas.CanvasRelease(event->position().toPoint());
    }
    void contextMenuEvent(QContextMenuEvent *event) override { m_canvas.ShowCanvasMenu(event->globalPos()); }
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            // The canvas's own Ctrl keys come before the frame's shortcuts.
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->modifiers() & Qt::ControlModifier) {
                switch (key->key()) {
                case Qt::Key_C:
                case Qt::Key_X:
                case Qt::Key_V:
                case Qt::Key_Z:
                    event->accept();
                    return true;
                default:
                    break;
                }
            }
        }
        if (event->type() == QEvent::KeyPress && m_canvas.HandleKey(static_cast<QKeyEvent *>(event)))
            return true;
        return QWidget::event(event);
    }

private:
    CScrollViewEx &m_canvas;
};

// Above every component window: the trackers and the rubber band. Mouse input passes through it.
class CCanvasOverlay : public QWidget
{
public:
    CCanvasOverlay(CScrollViewEx &canvas, QWidget *page) : QWidget(page), m_canvas(canvas)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setGeometry(page->rect());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_canvas.PaintOverlay(painter);
    }

private:
    CScrollViewEx &m_canvas;
};

CScrollViewEx::CScrollViewEx(QWidget *parent) : QScrollArea(parent)
{
    m_ownClipboard = std::make_unique<CHeldComponentClipboard>();
    m_clipboard = m_ownClipboard.get();
    m_page = new CCanvasPage(*this);
    m_overlay = new CCanvasOverlay(*this, m_page);
    setWidget(m_page);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Outside the screen: the button-shadow colour.
    setBackgroundRole(QPalette::Dark);
    viewport()->setBackgroundRole(QPalette::Dark);
    setAccessibleName(QStringLiteral("Screen canvas"));
    setFocusProxy(m_page);
    // Files from the desktop land on the page, through the viewport that the scroll area watches.
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

CScrollViewEx::~CScrollViewEx()
{
    // The components belong to their screens; the screen shown leaves this canvas before it goes. The
    // clipboard's copy lives on this canvas and goes first.
    m_ownClipboard.reset();
    ForgetRemovedScreen();
    if (m_screen)
        m_screen->LeaveCanvas();
    if (m_doc) {
        // The components' windows are widgets of this canvas: they go with it, before their components.
        for (const auto *list : {&m_doc->MainScreens(), &m_doc->PopupScreens(), &m_doc->GlossaryScreens()})
            for (const auto &screen : *list)
                for (int i = 0; i < screen->GetComponentCount(); ++i)
                    screen->GetComponent(i)->DetachFromCanvas();
        m_doc->RemoveObserver(this);
        if (m_doc->GetEditCanvas() == this)
            m_doc->SetEditCanvas(nullptr);
    }
}

void CScrollViewEx::OnUpdate(CCorvessaDoc &) { LoadBackground(); }

void CScrollViewEx::ForgetRemovedScreen()
{
    // Pointers are only compared here: a screen the document no longer holds may be gone already.
    if (m_screen && !(m_doc && (m_doc->ContainsScreen(m_screen, false) || m_doc->ContainsScreen(m_screen, true) ||
                                m_doc->IsGlossaryScreen(m_screen)))) {
        m_screen = nullptr;
        m_reselect = nullptr;
        m_model.Clear();
    }
}

void CScrollViewEx::OnNewProject(CCorvessaDoc &)
{
    ForgetRemovedScreen();
    ShowScreen(nullptr);
    DeleteBackgroundBitmap();
}

void CScrollViewEx::OnDocumentOpened(CCorvessaDoc &)
{
    ForgetRemovedScreen();
    SelectComponent(nullptr);
}

QWidget *CScrollViewEx::Page() const { return m_page; }
QWidget *CScrollViewEx::Overlay() const { return m_overlay; }

void CScrollViewEx::SetDocument(CCorvessaDoc *doc)
{
    ShowScreen(nullptr);
    if (m_doc) {
        m_doc->RemoveObserver(this);
        if (m_doc->GetEditCanvas() == this)
            m_doc->SetEditCanvas(nullptr);
    }
    m_doc = doc;
    if (m_doc) {
        m_doc->SetEditCanvas(this);
        m_doc->AddObserver(this);
    }
    LoadBackground();
}

void CScrollViewEx::SetClipboard(CComponentClipboard *clipboard)
{
    m_clipboard = clipboard ? clipboard : m_ownClipboard.get();
}

void CScrollViewEx::ShowScreen(CCorvPage *screen)
{
    // The screen shown may have been deleted with its outline item: it is then only forgotten.
    ForgetRemovedScreen();
    if (m_screen && m_screen != screen)
        m_screen->LeaveCanvas();
    DeleteTrackers();
    m_model.Clear();
    m_reselect = nullptr;
    m_screen = screen;
    if (m_screen)
        m_screen->ShowOnCanvas(*this);
    emit selectionChanged(nullptr);
    Invalidate();
}

void CScrollViewEx::SetBackgroundFlag(bool on)
{
    m_backgroundFlag = on;
    m_page->update();
}

void CScrollViewEx::SetGridFlag(bool on)
{
    m_gridFlag = on;
    m_page->update();
}

void CScrollViewEx::LoadBackground()
{
    m_background = m_doc ? CScreenRenderer::LoadBackground(m_doc->Settings(), m_doc->GetContext().programFolder)
                         : QImage();
    m_page->update();
}

void CScrollViewEx::DeleteBackgroundBitmap() { m_background = QImage(); }

// ---- CEditCanvas ----

std::unique_ptr<CComponentWindow> CScrollViewEx::CreateComponentWindow(CComponentBase &component)
{
    return CComponentWindowFactory::Make(component, *this);
}

void CScrollViewEx::ClearDisplayedComponents()
{
    // A screen shown again (after a paste, a restacking, a new component) keeps its selection.
    m_reselect = m_model.GetSelected();
    m_model.Clear();
    DeleteTrackers();
}

void CScrollViewEx::AppendDisplayedComponent(CComponentBase *component)
{
    m_model.Append(component);
    if (component == m_reselect) {
        m_model.Select(component);
        RebuildTrackers();
    }
    // Windows stack in the screen's drawing order; the trackers stay above them.
    if (auto *window = dynamic_cast<QWidget *>(component->GetComponentWindow()))
        window->raise();
    m_overlay->raise();
}

void CScrollViewEx::Invalidate()
{
    m_page->update();
    m_overlay->update();
}

void CScrollViewEx::ForgetComponent(CComponentBase *component)
{
    const bool selected = m_model.GetSelected() == component;
    if (m_reselect == component)
        m_reselect = nullptr;
    m_model.Forget(component);
    if (selected) {
        DeleteTrackers();
        emit selectionChanged(nullptr);
    }
    Invalidate();
}

// ---- Selection and trackers ----

void CScrollViewEx::RebuildTrackers()
{
    m_rectTracker.reset();
    m_lineTracker.reset();
    CComponentBase *selected = m_model.GetSelected();
    if (!selected)
        return;
    if (m_model.GetTracker() == CCanvasModel::Tracker::Rect) {
        auto tracker = std::make_unique<CCanvasRectTracker>(selected->GetBounds().ToQRect(),
                                                            CCanvasModel::TrackerStyle(selected->GetType()));
        tracker->SetAspectRatio(CCanvasModel::TrackerRatio(selected), false);
        m_rectTracker = std::move(tracker);
    } else if (m_model.GetTracker() == CCanvasModel::Tracker::Line) {
        QPoint first, second;
        static_cast<CComponentLine *>(selected)->GetPoints(first, second);
        m_lineTracker = std::make_unique<CLineTracker>(first, second);
    }
    m_overlay->update();
}

void CScrollViewEx::DeleteTrackers()
{
    m_rectTracker.reset();
    m_lineTracker.reset();
    m_model.DropTrackers();
    Invalidate();
}

void CScrollViewEx::SelectComponent(CComponentBase *component)
{
    // The screens may have been replaced behind the canvas (a project read, the lists cleared).
    ForgetRemovedScreen();
    if (component && !m_model.Contains(component))
        component = nullptr;
    m_model.Select(component);
    RebuildTrackers();
    if (m_screen)
        m_screen->EnableEditors(component);
    if (component && m_model.GetTracker() == CCanvasModel::Tracker::Rect)
        ReportPosition(component->GetBounds().ToQRect());
    emit selectionChanged(component);
    Invalidate();
}

void CScrollViewEx::ReportPosition(const QRect &rect)
{
    emit positionChanged(rect.left(), rect.top(), rect.width(), rect.height());
}

void CScrollViewEx::ReportNoPosition() { emit positionChanged(0, 0, 0, 0); }

void CScrollViewEx::MarkModified()
{
    if (!m_screen)
        return;
    m_screen->SetModified(1);
    if (m_doc)
        m_doc->SetModifiedFlag(true);
    emit screenModified(m_screen);
}

// ---- Mouse ----

void CScrollViewEx::CanvasPress(const QPoint &point)
{
    if (m_model.IsEmpty() && m_screen)
        m_screen->ShowOnCanvas(*this);
    m_page->setFocus(Qt::MouseFocusReason);
    if (m_model.IsDrawingArmed()) {
        m_model.PressDrawing(point);
        return;
    }
    if (m_rectTracker && m_rectTracker->Rect().adjusted(-kTrackerSlop, -kTrackerSlop, kTrackerSlop, kTrackerSlop)
                             .contains(point)) {
        // A click on the selection without a drag is a placement too (it marks the screen).
        if (!m_rectTracker->Track(m_page, point))
            FinishRectDrag();
        else
            connect(m_rectTracker.get(), &CDragTracker::trackFinished, this, [this] { FinishRectDrag(); },
                    Qt::SingleShotConnection);
        return;
    }
    if (m_lineTracker && m_lineTracker->HitTest(point) != -1) {
        if (m_lineTracker->Track(m_page, point))
            connect(m_lineTracker.get(), &CDragTracker::trackFinished, this, [this] { FinishLineDrag(); },
                    Qt::SingleShotConnection);
        return;
    }
    CComponentBase *hit = m_model.SelectAt(point);
    RebuildTrackers();
    if (hit && m_model.GetTracker() == CCanvasModel::Tracker::Rect)
        ReportPosition(hit->GetBounds().ToQRect());
    if (m_screen)
        m_screen->EnableEditors(hit);
    emit selectionChanged(hit);
    Invalidate();
}

void CScrollViewEx::CanvasMove(const QPoint &point)
{
    if (m_model.IsDrawingPressed()) {
        m_model.MoveDrawing(point);
        m_overlay->update();
        return;
    }
    if (!m_model.IsDrawingArmed())
        UpdateCursor(point);
}

void CScrollViewEx::UpdateCursor(const QPoint &point)
{
    // Over the selection's tracker: the move and resize cursors of what a press there would drag.
    static const Qt::CursorShape kShapes[] = {Qt::SizeFDiagCursor, Qt::SizeBDiagCursor, Qt::SizeFDiagCursor,
                                              Qt::SizeBDiagCursor, Qt::SizeVerCursor,   Qt::SizeHorCursor,
                                              Qt::SizeVerCursor,   Qt::SizeHorCursor,   Qt::SizeAllCursor};
    const int handle = m_rectTracker ? m_rectTracker->HitTest(point) : -1;
    QWidget *selected = m_model.GetSelected() ? dynamic_cast<QWidget *>(m_model.GetSelected()->GetComponentWindow())
                                              : nullptr;
    if (m_cursorWindow && m_cursorWindow != selected)
        m_cursorWindow->unsetCursor();
    m_cursorWindow = selected;
    if (handle >= 0 && handle <= 8) {
        m_page->setCursor(kShapes[handle]);
        if (selected)
            selected->setCursor(kShapes[handle]);
    } else {
        m_page->unsetCursor();
        if (selected)
            selected->unsetCursor();
    }
}

void CScrollViewEx::CanvasRelease(const QPoint &point)
{
    if (!m_model.IsDrawingPressed())
        return;
    const int shape = int(m_model.GetShape());
    const auto drawn = m_model.ReleaseDrawing(point);
    if (drawn && m_doc && m_screen) {
        CEditorOfCanvas editor(m_screen);
        CComponentInsertion insertion(*m_doc, editor);
        switch (drawn->shape) {
        case CCanvasModel::Shape::Line: insertion.InsertLine(drawn->first, drawn->second); break;
        case CCanvasModel::Shape::Rectangle: insertion.InsertRectangle(CRect::FromQRect(drawn->rect)); break;
        case CCanvasModel::Shape::Ellipse: insertion.InsertEllipse(CRect::FromQRect(drawn->rect)); break;
        }
        MarkModified();
    }
    m_page->unsetCursor();
    emit drawingFinished(shape);
    Invalidate();
}

void CScrollViewEx::FinishRectDrag()
{
    if (!m_rectTracker)
        return;
    PlaceSelection(m_rectTracker->Rect());
}

void CScrollViewEx::PlaceSelection(const QRect &rect)
{
    CComponentBase *selected = m_model.GetSelected();
    if (!selected || !m_screen)
        return;
    const QRect placed = CCanvasModel::ClampIntoScreen(rect);
    selected->SetBounds(CRect::FromQRect(placed), true);
    if (m_rectTracker)
        m_rectTracker->SetRect(placed);
    MarkModified();
    ReportPosition(placed);
    Invalidate();
}

void CScrollViewEx::FinishLineDrag()
{
    auto *line = dynamic_cast<CComponentLine *>(m_model.GetSelected());
    if (!line || !m_lineTracker)
        return;
    line->SetPoints(m_lineTracker->First(), m_lineTracker->Second());
    RebuildTrackers();
    MarkModified();
    Invalidate();
}

void CScrollViewEx::Arm(CCanvasModel::Shape shape)
{
    if (!m_screen)
        return;
    m_model.ArmDrawing(shape);
    m_page->setCursor(Qt::CrossCursor);
}

// ---- Files dragged from the desktop ----

QStringList CScrollViewEx::AcceptableFiles(const QMimeData *mime) const
{
    const QStringList paths = DroppedLocalFiles(mime);
    return !paths.isEmpty() && acceptsFiles && acceptsFiles(paths) ? paths : QStringList();
}

void CScrollViewEx::dragEnterEvent(QDragEnterEvent *event)
{
    if (AcceptableFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CScrollViewEx::dragMoveEvent(QDragMoveEvent *event)
{
    if (AcceptableFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CScrollViewEx::dropEvent(QDropEvent *event)
{
    const QStringList paths = AcceptableFiles(event->mimeData());
    if (paths.isEmpty() || !dropFiles) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // The point on the page, wherever the canvas is scrolled to.
    const QPoint onPage = m_page->mapFrom(viewport(), event->position().toPoint());
    dropFiles(paths, ToCanvas(onPage));
}

// ---- Keys ----

namespace {
int RepeatCount(const QKeyEvent *event) { return std::max(1, event->count()); }
} // namespace

bool CScrollViewEx::HandleKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int key = event->key();
    if (mods & Qt::ControlModifier) {
        if (key >= Qt::Key_F1 && key <= Qt::Key_F12 && !(mods & (Qt::AltModifier | Qt::ShiftModifier))) {
            emit editWindowKey(key);
            return true;
        }
        if (mods & Qt::AltModifier)
            return false;
        switch (key) {
        case Qt::Key_C: CopySelection(); return true;
        case Qt::Key_X: CutSelection(); return true;
        case Qt::Key_V: OnPaste(); return true;
        case Qt::Key_Z: return true; // nothing to undo on the canvas
        default: return false;
        }
    }
    switch (key) {
    case Qt::Key_Delete:
        if (m_model.GetSelected())
            DeleteComponent(m_model.GetSelected());
        return true;
    case Qt::Key_Escape:
        if (m_model.IsDrawingArmed()) {
            m_model.Disarm();
            m_page->unsetCursor();
            emit drawingFinished(int(m_model.GetShape()));
            return true;
        }
        return false;
    // A held key whose repeats arrive as one event moves by its repeat count.
    case Qt::Key_Left: Nudge(-RepeatCount(event), 0, mods & Qt::ShiftModifier); return true;
    case Qt::Key_Right: Nudge(RepeatCount(event), 0, mods & Qt::ShiftModifier); return true;
    case Qt::Key_Up: Nudge(0, -RepeatCount(event), mods & Qt::ShiftModifier); return true;
    case Qt::Key_Down: Nudge(0, RepeatCount(event), mods & Qt::ShiftModifier); return true;
    default: return false;
    }
}

void CScrollViewEx::Nudge(int dx, int dy, bool resize)
{
    CComponentBase *selected = m_model.GetSelected();
    if (!selected || m_model.GetTracker() != CCanvasModel::Tracker::Rect)
        return;
    QRect rect = selected->GetBounds().ToQRect();
    if (!resize)
        rect.translate(dx, dy);
    else if (CCanvasModel::TrackerStyle(selected->GetType()) == CCanvasModel::kStyleHandles)
        rect.setSize(QSize(std::max(1, rect.width() + dx), std::max(1, rect.height() + dy)));
    PlaceSelection(rect);
}

// ---- Commands ----

void CScrollViewEx::OnPaste()
{
    ensureVisible(0, 0);
    if (!m_doc || !m_screen)
        return;
    CanvasEdits::Paste(*m_doc, m_screen, m_clipboard->GetComponent(), m_doc->Prompt());
    if (m_screen->GetModified())
        emit screenModified(m_screen);
    Invalidate();
}

void CScrollViewEx::CopySelection()
{
    if (m_screen && m_model.GetSelected())
        Copy(m_model.GetSelected());
}

void CScrollViewEx::CutSelection()
{
    if (m_screen && m_model.GetSelected())
        Cut(m_model.GetSelected());
}

void CScrollViewEx::Copy(CComponentBase *component)
{
    if (component)
        ComponentCommands::Copy(*m_clipboard, *component);
}

bool CScrollViewEx::Cut(CComponentBase *component)
{
    if (!component || !m_screen || !m_doc || !m_screen->Contains(component))
        return false;
    Copy(component);
    return DeleteComponent(component);
}

bool CScrollViewEx::DeleteComponent(CComponentBase *component)
{
    if (!component || !m_screen || !m_doc)
        return false;
    const bool wasSelected = m_model.GetSelected() == component;
    if (!CanvasEdits::Delete(*m_screen, m_model, component, *m_doc))
        return false;
    if (wasSelected) {
        DeleteTrackers();
        ReportNoPosition();
        emit selectionChanged(nullptr);
    }
    MarkModified();
    Invalidate();
    return true;
}

void CScrollViewEx::BringToTop(CComponentBase *component)
{
    if (m_screen && ComponentCommands::BringToTop(*m_screen, component)) {
        MarkModified();
        RebuildTrackers();
    }
}

void CScrollViewEx::SendToBack(CComponentBase *component)
{
    if (m_screen && ComponentCommands::SendToBack(*m_screen, component)) {
        MarkModified();
        RebuildTrackers();
    }
}

void CScrollViewEx::ShowProperties(CComponentBase *component)
{
    if (!component || !m_screen || !m_screen->Contains(component))
        return;
    const CRect old = component->GetBounds();
    auto place = [this, component](const CElementPlacement &values) {
        DeleteTrackers();
        component->SetBounds(
            ComponentCommands::PlacedBounds(*component, values.left, values.top, values.width, values.height), true);
        SelectComponent(component);
    };
    CDlgElementProperties dialog(this);
    dialog.values.top = old.top;
    dialog.values.left = old.left;
    dialog.values.width = old.Width();
    dialog.values.height = old.Height();
    dialog.onPreview = place;
    if (dialog.exec() == QDialog::Accepted) {
        place(dialog.values);
        MarkModified();
    } else {
        // Values previewed while the dialog was open are taken back.
        DeleteTrackers();
        component->SetBounds(old, true);
        SelectComponent(component);
    }
}

bool CScrollViewEx::ShowUpdateTable(CComponentTable &table, CComponentTable::Settings &settings)
{
    if (!m_screen || !m_screen->Contains(&table))
        return false;
    CDlgInsertTable dialog(this);
    if (m_doc)
        dialog.prompt = &m_doc->Prompt();
    dialog.values = CInsertTableValues::FromSettings(settings);
    dialog.values.caption = QStringLiteral("Update table");
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings = dialog.values.ToSettings();
    MarkModified();
    return true;
}

// ---- Menus ----

std::unique_ptr<QMenu> CScrollViewEx::BuildCanvasMenu()
{
    using namespace CanvasEdits::Menu;
    auto menu = std::make_unique<QMenu>(this);
    auto entry = [this](QMenu *into, const QString &text, int id) {
        QAction *action = into->addAction(text);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] {
            if (id == CanvasEdits::Menu::Paste)
                OnPaste();
            else
                emit commandRequested(id);
        });
        return action;
    };
    entry(menu.get(), QStringLiteral("Cu&t"), CanvasEdits::Menu::Cut);
    entry(menu.get(), QStringLiteral("&Copy"), CanvasEdits::Menu::Copy);
    entry(menu.get(), QStringLiteral("&Paste"), Paste);
    menu->addSeparator();
    entry(menu.get(), QStringLiteral("Add new screen..."), NewScreen);
    entry(menu.get(), QStringLiteral("Import new document..."), ImportDocument);
    menu->addSeparator();
    QMenu *questions = menu->addMenu(QStringLiteral("Add question"));
    entry(questions, QStringLiteral("Complete the paragraph..."), CompleteParagraph);
    entry(questions, QStringLiteral("Fill in the blanks..."), FillBlanks);
    entry(questions, QStringLiteral("Match the pairs..."), MatchPairs);
    entry(questions, QStringLiteral("Multiple choice..."), MultipleChoice);
    entry(questions, QStringLiteral("True false..."), TrueFalse);
    entry(questions, QStringLiteral("Part identification..."), PartIdentification);
    entry(questions, QStringLiteral("Free form text..."), FreeFormText);
    entry(questions, QStringLiteral("Flash question..."), FlashQuestion);
    entry(menu.get(), QStringLiteral("Add graphic from file..."), GraphicFromFile);
    entry(menu.get(), QStringLiteral("Add graphic from library..."), GraphicFromLibrary);
    entry(menu.get(), QStringLiteral("Add table..."), AddTable);
    QMenu *media = menu->addMenu(QStringLiteral("Add media"));
    entry(media, QStringLiteral("Audio"), MediaAudio);
    entry(media, QStringLiteral("Video"), MediaVideo);
    entry(media, QStringLiteral("YouTube"), MediaYouTube);
    entry(media, QStringLiteral("Flash"), MediaFlash);
    entry(media, QStringLiteral("Flash Video"), MediaFlashVideo);
    entry(media, QStringLiteral("Animated GIF"), MediaAnimatedGif);
    entry(media, QStringLiteral("Acrobat"), MediaAcrobat);
    entry(media, QStringLiteral("Record narration"), MediaNarration);

    const std::vector<int> greyed = GreyedEntries(m_screen, m_clipboard->GetComponent() == nullptr,
                                                  m_doc && m_doc->GetImportPending());
    const std::function<void(QMenu *)> grey = [&](QMenu *into) {
        for (QAction *action : into->actions()) {
            if (action->menu())
                grey(action->menu());
            else if (std::find(greyed.begin(), greyed.end(), action->data().toInt()) != greyed.end())
                action->setEnabled(false);
        }
    };
    grey(menu.get());
    return menu;
}

void CScrollViewEx::ShowCanvasMenu(const QPoint &globalPos)
{
    std::unique_ptr<QMenu> menu = BuildCanvasMenu();
    menu->exec(globalPos);
}

// ---- Painting ----

void CScrollViewEx::PaintPage(QPainter &painter)
{
    CScreenRenderer::Canvas canvas;
    canvas.settings = m_doc ? &m_doc->Settings() : nullptr;
    canvas.background = &m_background;
    canvas.backgroundFlag = m_backgroundFlag;
    canvas.gridFlag = m_gridFlag;
    CScreenRenderer::PaintBackdrop(painter, canvas);
    // Windowless kinds paint on the page itself; the others are their windows.
    for (CComponentBase *component : m_model.Components())
        if (!component->GetComponentWindow())
            CanvasComponentPainter::Paint(painter, *component);
}

void CScrollViewEx::PaintOverlay(QPainter &painter)
{
    if (m_rectTracker) {
        const QRect r = m_rectTracker->Rect();
        painter.save();
        QBrush hatch(Qt::black, Qt::BDiagPattern);
        const QRect outer = r.adjusted(-kHatchWidth, -kHatchWidth, kHatchWidth, kHatchWidth);
        QRegion band = QRegion(outer).subtracted(QRegion(r));
        painter.setClipRegion(band);
        painter.fillRect(outer, hatch);
        painter.restore();
        m_rectTracker->Draw(painter);
    }
    if (m_lineTracker) {
        if (m_lineTracker->IsTracking())
            m_lineTracker->DrawRubberLine(painter);
        m_lineTracker->Draw(painter);
    }
    if (m_model.IsDrawingPressed()) {
        painter.save();
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        switch (m_model.GetShape()) {
        case CCanvasModel::Shape::Line: painter.drawLine(m_model.DrawingStart(), m_model.DrawingCurrent()); break;
        case CCanvasModel::Shape::Rectangle: painter.drawRect(m_model.RubberRect()); break;
        case CCanvasModel::Shape::Ellipse: painter.drawEllipse(m_model.RubberRect()); break;
        }
        painter.restore();
    }
}

QImage CScrollViewEx::RenderSmallThumbnail(const CCorvPage *screen) const
{
    if (screen)
        return CScreenRenderer::RenderSmallThumbnail(*screen);
    CScreenRenderer::Canvas canvas{m_doc ? &m_doc->Settings() : nullptr, &m_background, m_backgroundFlag, m_gridFlag, true};
    return CScreenRenderer::RenderCanvas(canvas, m_model.Components(), CScreenRenderer::kSmallThumbnail);
}

QImage CScrollViewEx::RenderLargeThumbnail(const CCorvPage *screen) const
{
    if (screen)
        return CScreenRenderer::RenderLargeThumbnail(*screen);
    CScreenRenderer::Canvas canvas{m_doc ? &m_doc->Settings() : nullptr, &m_background, m_backgroundFlag, m_gridFlag, false};
    return CScreenRenderer::RenderCanvas(canvas, m_model.Components(), CScreenRenderer::kLargeThumbnail);
}

QImage CScrollViewEx::GrabScreen()
{
    // The trackers are not part of the screen's picture.
    const bool overlay = m_overlay->isVisible();
    m_overlay->hide();
    QImage image = m_page->grab(QRect(QPoint(0, 0), CScreenRenderer::kScreenSize)).toImage();
    m_overlay->setVisible(overlay);
    return image;
}

bool CScrollViewEx::eventFilter(QObject *watched, QEvent *event) { return QScrollArea::eventFilter(watched, event); }
