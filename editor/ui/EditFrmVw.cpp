#include "editor/ui/EditFrmVw.h"

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "dialogs/LibraryChoices.h"
#include "editor/Narration.h"
#include "dialogs/ui/DlgAddLink.h"
#include "dialogs/ui/DlgSearchAndReplace.h"
#include "dialogs/ui/MediaDialogs.h"
#include "dialogs/ui/LibraryDialogs.h"
#include "document/CorvessaDoc.h"
#include "editor/ComponentCommands.h"
#include "editor/FindReplace.h"
#include "editor/ScreenRenderer.h"
#include "editor/ui/ComponentWindows.h"
#include "editor/ui/ScreenCommandsUi.h"
#include "editor/ui/ScrollViewEx.h"
#include "editor/CanvasEdits.h"
#include "model/GlobalHelpers.h"
#include "editor/ui/TableWindow.h"
#include "editor/ui/TextboxWindow.h"
#include "model/ComponentBase.h"
#include "model/ComponentType.h"
#include "editor/ui/DragDropListCtrl.h"
#include "editor/ui/DragDropTreeCtrl.h"
#include "editor/ui/PropertySheetView.h"
#include "editor/ui/RichEditCtrl.h"
#include "editor/ui/ThumbListModel.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QPointer>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

// The component clipboard of the canvas is the Edit window's: copying a component forgets a copied screen.
class ControllerClipboard : public CComponentClipboard
{
public:
    explicit ControllerClipboard(CEditController &controller) : m_controller(controller) {}
    const CComponentBase *GetComponent() const override { return m_controller.GetComponentClipboard(); }
    void CopyComponent(const CComponentBase &component) override { m_controller.CopyComponent(&component); }

private:
    CEditController &m_controller;
};

// What the search asks of the Edit window: its current screen, showing another one, and the windows of
// the texts it selects in or changes.
class EditWindowSearchHost : public CFindReplaceHost
{
public:
    explicit EditWindowSearchHost(CEditFrmVw &view) : m_view(view) {}
    CCorvPage *CurrentScreen() const override { return m_view.GetCurrentPage(); }
    void ShowScreen(CCorvPage *screen) override { m_view.MakeCurrentScreen(screen); }
    void ShowSelection(CComponentBase &component, CRichText &) override { Refresh(component); }
    void TextChanged(CComponentBase &component, CRichText &) override { Refresh(component); }

private:
    static void Refresh(CComponentBase &component)
    {
        if (CComponentWindow *window = component.GetComponentWindow())
            window->UpdateFromComponent();
    }
    CEditFrmVw &m_view;
};

// Text boxes and tables get their editing windows on the canvas; the other kinds the canvas's own.
void RegisterEditingWindows()
{
    static const bool registered = [] {
        const auto hookUp = [](auto *window, CComponentBase &component, CScrollViewEx &canvas) {
            QPointer<CScrollViewEx> guard(&canvas);
            window->selectComponent = [guard](CComponentBase &c) {
                if (guard)
                    guard->SelectComponent(&c);
            };
            window->selectFontInToolbar = [guard](const QString &face, int points) {
                if (guard)
                    emit guard->selectionFontChanged(face, points);
            };
            (void)component;
        };
        CComponentWindows::Register(ct_textbox, [hookUp](CComponentBase &component, CScrollViewEx &canvas) {
            auto window = MakeTextboxWindow(component, canvas.Page());
            if (auto *box = dynamic_cast<CTextboxWindow *>(window.get()))
                hookUp(box, component, canvas);
            return window;
        });
        CComponentWindows::Register(ct_table, [hookUp](CComponentBase &component, CScrollViewEx &canvas) {
            auto window = MakeTableWindow(component, canvas.Page());
            if (auto *table = dynamic_cast<CTableWindow *>(window.get()))
                hookUp(table, component, canvas);
            return window;
        });
        return true;
    }();
    (void)registered;
}

} // namespace

CEditFrmVw::CEditFrmVw(CCorvessaDoc &document, QWidget *parent)
    : QWidget(parent), m_document(document), m_controller(document), m_splitter(new QSplitter(Qt::Horizontal, this)),
      m_navigator(new CPropertySheetView(m_controller, m_splitter))
{
    setObjectName(QStringLiteral("EditView"));
    setAccessibleName(QStringLiteral("Edit"));
    m_splitter->setObjectName(QStringLiteral("EditSplitter"));
    auto *placeholder = new QLabel(QStringLiteral("Screen"), m_splitter);
    placeholder->setObjectName(QStringLiteral("ScreenArea"));
    placeholder->setAlignment(Qt::AlignCenter);
    placeholder->setAutoFillBackground(true);
    m_canvasArea = placeholder;
    m_splitter->addWidget(m_navigator);
    m_splitter->addWidget(m_canvasArea);
    m_splitter->setCollapsible(0, true);
    m_splitter->setCollapsible(1, false);
    m_canvasArea->setMinimumWidth(110);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({kInitialBar, 1000});
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);

    m_controller.SetListener(this);
    ConnectCanvas();
    m_screenDialogs = ScreenCommandsUi::MakeDialogs(this, m_document);
    m_screenCommands = std::make_unique<CScreenCommands>(m_controller, m_screenDialogs);
    m_controller.GetHooks().editRemediation = ScreenCommandsUi::RemediationDialog(this, m_document);
    m_menuScreens = std::make_unique<CMenuScreens>(m_controller);
    m_menuScreens->InstallHooks();
    m_pasteScreen = [this] { m_screenCommands->PasteScreen(); };
    // Ctrl+F1 to Ctrl+F12 make a new screen of a template wherever the focus is in the Edit window; the canvas
    // passes on the keys it is given itself.
    for (int key = 1; key <= 12; ++key) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + key - 1)), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, key] { NewScreenFromKey(key); });
    }
    connect(m_canvas, &CScrollViewEx::editWindowKey, this, [this](int qtKey) { NewScreenFromKey(qtKey - Qt::Key_F1 + 1); });
    auto chosen = [this] {
        ThumbnailList()->ShowCurrent();
        Tree()->ShowCurrent();
        emit CurrentPageChanged();
    };
    connect(ThumbnailList(), &CDragDropListCtrl::ScreenChosen, this, chosen);
    connect(Tree(), &CDragDropTreeCtrl::ScreenChosen, this, chosen);
    auto paste = [this] {
        if (m_pasteScreen)
            m_pasteScreen();
    };
    connect(ThumbnailList(), &CDragDropListCtrl::CopyRequested, this, [this] { m_screenCommands->CopyScreen(); });
    connect(ThumbnailList(), &CDragDropListCtrl::PasteRequested, this, paste);
    connect(Tree(), &CDragDropTreeCtrl::PasteRequested, this, paste);
    connect(m_navigator, &QTabWidget::currentChanged, this, [this](int) {
        ThumbnailList()->ShowCurrent();
        Tree()->ShowCurrent();
    });
    m_document.AddObserver(this);
    m_controller.OnUpdate();
}

CEditFrmVw::~CEditFrmVw()
{
    m_document.RemoveObserver(this);
    m_controller.SetListener(nullptr);
    m_controller.GetHooks() = {};
    // The canvas takes the components' windows down with it; the held copy, whose window is on the canvas
    // too, goes first.
    m_controller.ClearComponentClipboard();
    delete m_canvas;
    m_canvas = nullptr;
}

void CEditFrmVw::ConnectCanvas()
{
    RegisterEditingWindows();
    m_canvasClipboard = std::make_unique<ControllerClipboard>(m_controller);
    auto *canvas = new CScrollViewEx;
    canvas->setObjectName(QStringLiteral("ScreenCanvas"));
    canvas->SetClipboard(m_canvasClipboard.get());
    canvas->SetDocument(&m_document);
    SetCanvasWidget(canvas);
    m_canvas = canvas;
    CEditController::Hooks &hooks = m_controller.GetHooks();
    hooks.clearCanvasSelection = [this] { m_canvas->SelectComponent(nullptr); };
    hooks.deleteCanvasTrackers = [this] { m_canvas->DeleteTrackers(); };
    hooks.emptyCanvasList = [this] { m_canvas->ClearDisplayedComponents(); };
    hooks.showScreen = [this](CCorvPage *screen) { m_canvas->ShowScreen(screen); };
    m_controller.Thumbs().SetRenderer(
        [this](const CCorvPage &screen, QSize size) { return CScreenRenderer::Render(m_document, screen, size); });
    connect(m_canvas, &CScrollViewEx::selectionChanged, this, [this] { emit CurrentPageChanged(); });
    connect(m_canvas, &CScrollViewEx::commandRequested, this, [this](int command) { OnCommand(command); });
}

CDragDropTreeCtrl *CEditFrmVw::Tree() const { return m_navigator->Tree(); }

CDragDropListCtrl *CEditFrmVw::ThumbnailList() const { return m_navigator->ThumbnailList(); }

QTreeWidget *CEditFrmVw::OutlineWidget() const { return m_navigator->Tree(); }

void CEditFrmVw::SetCanvasWidget(QWidget *canvas)
{
    if (!canvas || canvas == m_canvasArea)
        return;
    const QList<int> sizes = m_splitter->sizes();
    QWidget *old = m_splitter->replaceWidget(1, canvas);
    delete old;
    m_canvasArea = canvas;
    m_canvasArea->setMinimumWidth(110);
    m_splitter->setCollapsible(1, false);
    // The stretch belongs to the widget: the screen area takes what the window gains, the navigator keeps its bar.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes(sizes);
}

void CEditFrmVw::OnUpdate(CCorvessaDoc &) { m_controller.OnUpdate(); }

void CEditFrmVw::OnNewProject(CCorvessaDoc &) { m_controller.ForgetCurrentScreen(); }

CCorvPage *CEditFrmVw::GetCurrentPage() const
{
    // Pointers are only compared: until the views are updated the controller may name a deleted screen.
    CCorvPage *screen = m_controller.GetCurrentPage();
    if (screen && !m_document.ContainsScreen(screen, false) && !m_document.ContainsScreen(screen, true)
        && !m_document.IsGlossaryScreen(screen))
        return nullptr;
    return screen;
}

void CEditFrmVw::MakeCurrentScreen(CCorvPage *screen)
{
    m_controller.MakeCurrentScreen(screen);
    ThumbnailList()->ShowCurrent();
    Tree()->ShowCurrent();
}

void CEditFrmVw::ShowSorter(bool show)
{
    if (show) {
        if (m_navigator->isHidden()) {
            m_navigator->show();
            if (!m_storedSizes.isEmpty())
                m_splitter->setSizes(m_storedSizes);
        }
        return;
    }
    if (!m_navigator->isHidden()) {
        m_storedSizes = m_splitter->sizes();
        m_navigator->hide();
    }
}

namespace {

// The formatting commands a text box or table cell carries out on its selection.
bool IsTextFormatCommand(int commandId)
{
    using namespace CorvCommand;
    static const int kCommands[] = {Bold,       Italic,      Underline,  Strikeout, TextColour, Bulleting,
                                    Numbering,  DecreaseIndent, IncreaseIndent, AlignLeft, AlignCentre,
                                    AlignRight, Justify};
    return std::find(std::begin(kCommands), std::end(kCommands), commandId) != std::end(kCommands);
}

} // namespace

bool CEditFrmVw::UpdateCommand(int commandId, bool &checked) const
{
    // The other editing commands arrive with the screen commands.
    checked = false;
    bool enabled = false;
    if (UpdateScreenCommand(commandId, enabled))
        return enabled;
    switch (commandId) {
    case CorvCommand::PreviewScreen:
        return GetCurrentPage() != nullptr;
    case CorvCommand::EditFind:
    case CorvCommand::SaveToLibrary:
        return !m_document.MainScreens().empty();
    case CorvCommand::InsertLibraryItems:
        return true;
    case CorvCommand::DrawLine:
    case CorvCommand::DrawRectangle:
    case CorvCommand::DrawCircle:
        return GetCurrentPage() != nullptr;
    case CorvCommand::AddLink:
    case CorvCommand::ToolsAddLink:
        return SelectedTextWindow() != nullptr;
    case CorvCommand::MediaAudio:
    case CorvCommand::MediaVideo:
    case CorvCommand::MediaYouTube:
    case CorvCommand::MediaFlash:
    case CorvCommand::MediaFlashVideo:
    case CorvCommand::MediaAnimatedGif:
    case CorvCommand::MediaAcrobat:
    case CorvCommand::RecordNarration:
        return GetCurrentPage() != nullptr;
    default:
        return IsTextFormatCommand(commandId) && SelectedTextWindow() != nullptr;
    }
}

void CEditFrmVw::OnCommand(int commandId)
{
    if (OnScreenCommand(commandId))
        return;
    switch (commandId) {
    case CorvCommand::PreviewScreen:
        if (GetCurrentPage())
            emit PreviewRequested(GetCurrentPage());
        return;
    case CorvCommand::EditFind: FindAndReplace(); return;
    case CorvCommand::InsertLibraryItems: InsertFromLibrary(); return;
    case CorvCommand::SaveToLibrary: SaveToLibrary(); return;
    case CorvCommand::DrawLine: m_canvas->SetDrawLine(); return;
    case CorvCommand::DrawRectangle: m_canvas->SetDrawRectangle(); return;
    case CorvCommand::DrawCircle: m_canvas->SetDrawEllipse(); return;
    case CorvCommand::AddLink:
    case CorvCommand::ToolsAddLink: AddLinkToSelectedText(); return;
    case CorvCommand::MediaAudio:
    case CorvCommand::MediaVideo:
    case CorvCommand::MediaYouTube:
    case CorvCommand::MediaFlash:
    case CorvCommand::MediaFlashVideo:
    case CorvCommand::MediaAnimatedGif:
    case CorvCommand::MediaAcrobat:
    case CorvCommand::RecordNarration: AddMedia(commandId); return;
    default:
        if (IsTextFormatCommand(commandId))
            FormatSelectedText(commandId);
        return;
    }
}

QWidget *CEditFrmVw::SelectedTextWindow() const
{
    CComponentBase *selected = m_canvas ? m_canvas->GetSelectedComponent() : nullptr;
    if (!selected)
        return nullptr;
    auto *window = dynamic_cast<QWidget *>(selected->GetComponentWindow());
    if (qobject_cast<CTextboxWindow *>(window) || qobject_cast<CTableWindow *>(window))
        return window;
    return nullptr;
}

bool CEditFrmVw::FormatSelectedText(int commandId)
{
    QWidget *window = SelectedTextWindow();
    if (auto *box = qobject_cast<CTextboxWindow *>(window))
        return box->OnFormatCommand(commandId);
    if (auto *table = qobject_cast<CTableWindow *>(window))
        return table->OnFormatCommand(commandId);
    return false;
}

void CEditFrmVw::SetFontName(const QString &face)
{
    QWidget *window = SelectedTextWindow();
    if (auto *box = qobject_cast<CTextboxWindow *>(window))
        box->SetSelectionFontName(face);
    else if (auto *table = qobject_cast<CTableWindow *>(window))
        table->SetActiveCellFontName(face);
}

void CEditFrmVw::SetFontSize(int points)
{
    QWidget *window = SelectedTextWindow();
    if (auto *box = qobject_cast<CTextboxWindow *>(window))
        box->SetSelectionFontSize(points);
    else if (auto *table = qobject_cast<CTableWindow *>(window))
        table->SetActiveCellFontSize(points);
}

int CEditFrmVw::GetSelectedComponentType() const
{
    const CComponentBase *selected = m_canvas ? m_canvas->GetSelectedComponent() : nullptr;
    return selected ? selected->GetType() : -1;
}

void CEditFrmVw::OnClipboard(CorvCommandTable::ClipboardAction action)
{
    using CorvCommandTable::ClipboardAction;
    switch (action) {
    case ClipboardAction::cutComponent: m_canvas->CutSelection(); break;
    case ClipboardAction::copyComponent: m_canvas->CopySelection(); break;
    case ClipboardAction::pasteComponent: m_canvas->OnPaste(); break;
    default: break; // text boxes take their own undo, copy and paste keys
    }
    emit CurrentPageChanged();
}

void CEditFrmVw::SetShowBackground(bool show)
{
    m_showBackground = show;
    if (m_canvas) {
        m_canvas->SetBackgroundFlag(show);
        if (show)
            m_canvas->LoadBackground();
    }
}

void CEditFrmVw::SetShowGrid(bool show)
{
    m_showGrid = show;
    if (m_canvas)
        m_canvas->SetGridFlag(show);
}

void CEditFrmVw::AddLinkToSelectedText()
{
    QWidget *window = SelectedTextWindow();
    auto *box = qobject_cast<CTextboxWindow *>(window);
    auto *table = qobject_cast<CTableWindow *>(window);
    CRichEditCtrl *editor = box ? box->Editor() : nullptr;
    if (table && table->SetActiveCellFromFocus() >= 0 && table->GetActiveCell() >= 0)
        editor = table->Cell(table->GetActiveCell());
    if (!editor)
        return;
    CDlgAddLink dialog(m_document, this->window());
    dialog.values.selectedText = editor->textCursor().selectedText();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const bool added = box ? box->AddLink(dialog.values, m_document.Prompt())
                           : table->AddLink(dialog.values, m_document.Prompt());
    if (added)
        m_document.SetModifiedFlag(true);
}

void CEditFrmVw::AddMedia(int commandId)
{
    CCorvPage *screen = GetCurrentPage();
    if (!screen)
        return;
    CPrompt &prompt = m_document.Prompt();
    // Each dialog gives what the media command adds; null when the author cancelled.
    const auto choice = [&]() -> std::optional<ComponentCommands::SMediaChoice> {
        switch (commandId) {
        case CorvCommand::MediaFlash: {
            DlgAddFlash dialog(window());
            return dialog.exec() == QDialog::Accepted ? std::optional(dialog.values.ToChoice()) : std::nullopt;
        }
        case CorvCommand::MediaFlashVideo: {
            CDlgFlashVideo dialog(window());
            return dialog.exec() == QDialog::Accepted ? std::optional(dialog.values.ToChoice()) : std::nullopt;
        }
        case CorvCommand::MediaYouTube: {
            DlgAddYouTube dialog(window());
            return dialog.exec() == QDialog::Accepted ? std::optional(dialog.values.ToChoice()) : std::nullopt;
        }
        default: {
            CDlgImportMedia dialog(commandId, window(), &prompt);
            return dialog.exec() == QDialog::Accepted ? std::optional(dialog.values.ToChoice()) : std::nullopt;
        }
        }
    };
    if (commandId == CorvCommand::RecordNarration) {
        Narration::RecordNarration(*MakeWindowRecorder(prompt), m_document, screen, prompt);
    } else if (const auto chosen = choice()) {
        ComponentCommands::AddMedia(m_document, screen, *chosen, prompt);
    }
    emit CurrentPageChanged();
}

void CEditFrmVw::NewScreenFromKey(int key)
{
    if (m_screenCommands->NewScreenFromKey(key))
        emit CurrentPageChanged();
}

void CEditFrmVw::FindAndReplace()
{
    EditWindowSearchHost host(*this);
    CDlgSearchAndReplace dialog(m_document, host, m_document.Prompt(), window());
    dialog.exec();
}

void CEditFrmVw::InsertFromLibrary()
{
    const std::vector<CCorvPage *> inserted = CorvLibraryDialogs::InsertFromLibrary(window(), m_document, GetCurrentPage());
    if (inserted.empty())
        return;
    m_controller.OnUpdate();
    m_controller.Renumber();
    m_document.SetModifiedFlag(true);
    MakeCurrentScreen(inserted.front());
}

void CEditFrmVw::SaveToLibrary()
{
    CorvLibraryDialogs::SaveToLibrary(window(), m_document, CorvLibraryChoices::OutlineRows(GetTreeCtrl()),
                                      GetCurrentPage());
}

void CEditFrmVw::OutlineChanged() { Tree()->Rebuild(); }

void CEditFrmVw::ThumbnailsChanged()
{
    ThumbnailList()->Model()->Reset();
    ThumbnailList()->ShowCurrent();
}

void CEditFrmVw::ThumbnailImageChanged(int item) { ThumbnailList()->Model()->ImageChanged(item); }

void CEditFrmVw::CurrentChanged()
{
    ThumbnailList()->ShowCurrent();
    Tree()->ShowCurrent();
    emit CurrentPageChanged();
}

bool CEditFrmVw::UpdateScreenCommand(int commandId, bool &enabled) const
{
    if (CScreenCommands::QuestionOfCommand(commandId)) {
        enabled = m_controller.CanInsertQuestion();
        return true;
    }
    const CCorvPage *current = GetCurrentPage();
    switch (commandId) {
    case CorvCommand::NewScreen:
    case CanvasEdits::Menu::NewScreen: enabled = m_controller.CanAddScreenHere(); return true;
    case CorvCommand::EditQuestion: enabled = current && current->GetPageType() == pt_question; return true;
    case CorvCommand::ToolsAddTable:
    case CorvCommand::AddTable:
    case CanvasEdits::Menu::AddTable: enabled = current != nullptr; return true;
    case CorvCommand::EditRemediation: enabled = current && current->GetPageType() == pt_remediation; return true;
    case CorvCommand::AddFinalPerformanceScreens:
    case CorvCommand::AddPopupsOnlyFolder:
    case CorvCommand::AddGlossaryFolder: enabled = true; return true;
    // The bar's button opens its menu while the Edit window is shown; the entries have their own states.
    case CorvCommand::AddScreenMenu: enabled = isVisible(); return true;
    case CorvCommand::AddQuestionMenu: {
        const int type = current ? current->GetPageType() : -1;
        enabled = current && type != pt_folder && type != pt_asmt_folder && type != pt_asmt_container &&
                  type != pt_asmt_document;
        return true;
    }
    default: return false;
    }
}

bool CEditFrmVw::OnScreenCommand(int commandId)
{
    if (const auto kind = CScreenCommands::QuestionOfCommand(commandId)) {
        m_screenCommands->InsertQuestion(*kind);
        return true;
    }
    switch (commandId) {
    case CorvCommand::NewScreen:
    case CanvasEdits::Menu::NewScreen: m_screenCommands->NewScreen(); return true;
    case CorvCommand::EditQuestion:
        if (m_screenCommands->EditQuestion() && m_canvas) {
            m_canvas->ensureVisible(0, 0);
            m_canvas->ShowScreen(GetCurrentPage());
        }
        return true;
    case CorvCommand::ToolsAddTable:
    case CorvCommand::AddTable:
    case CanvasEdits::Menu::AddTable:
        m_screenCommands->AddTable();
        emit CurrentPageChanged();
        return true;
    case CorvCommand::EditRemediation: m_controller.EditRemediation(GetCurrentPage()); return true;
    case CorvCommand::AddFinalPerformanceScreens:
        m_screenCommands->AddFinalPerformanceScreens();
        m_canvas->update();
        return true;
    case CorvCommand::AddPopupsOnlyFolder: m_screenCommands->AddPopupsOnlyFolder(); return true;
    case CorvCommand::AddGlossaryFolder: m_screenCommands->AddGlossaryFolder(); return true;
    case CorvCommand::AddScreenMenu:
    case CorvCommand::AddQuestionMenu: ShowAddMenu(commandId); return true;
    default: return false;
    }
}

bool CEditFrmVw::AddGlossaryItem(CCorvessaDoc &, const QString &term, const QString &definition)
{
    m_screenCommands->AddGlossaryItem(term, definition);
    return true;
}

void CEditFrmVw::ShowAddMenu(int commandId)
{
    using namespace CorvCommand;
    const bool screens = commandId == AddScreenMenu;
    bool checked = false;
    if (!screens && !UpdateCommand(AddQuestionMenu, checked))
        return;
    auto *menu = new QMenu(this);
    menu->setObjectName(screens ? QStringLiteral("AddScreenMenu") : QStringLiteral("AddQuestionMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const std::vector<int> entries =
        screens ? std::vector<int>{NewScreen, NewDocument}
                : std::vector<int>{InsertCompleteParagraph, InsertFillBlanks, InsertMatchPairs, InsertMultipleChoice,
                                   InsertTrueFalse, InsertPartIdentification, InsertFreeFormText,
                                   InsertFlashQuestion, InsertLikert};
    for (int id : entries) {
        const CorvCommandTable::Command *c = CorvCommandTable::Find(id);
        // The main frame's own action carries the command where there is one (it routes it and checks it
        // again); the entry's state follows the rules of this menu.
        QPointer<QAction> frameAction = window()->findChild<QAction *>(QStringLiteral("Command%1").arg(id));
        QAction *action = menu->addAction(frameAction ? frameAction->text()
                                                      : (c && c->text ? QString::fromLatin1(c->text) : QString()));
        connect(action, &QAction::triggered, this, [this, id, frameAction] {
            if (frameAction)
                frameAction->trigger();
            else
                OnCommand(id);
        });
        bool enabled = false;
        if (id == NewScreen)
            enabled = m_controller.CanAddScreenHere();
        else if (id == NewDocument)
            enabled = m_document.GetImportPending() != 1;
        else
            enabled = UpdateCommand(id, checked);
        action->setEnabled(enabled);
    }
    // Under the bar's button, or above it when the bar sits at the bottom of the window.
    QPoint at = mapToGlobal(QPoint(0, 0));
    if (auto *bar = window()->findChild<QToolBar *>(QStringLiteral("EditBar"))) {
        int x = 5;
        for (QAction *action : bar->actions())
            if (action->objectName() == QStringLiteral("Command%1").arg(commandId))
                if (QWidget *button = bar->widgetForAction(action))
                    x += button->x();
        const bool atBottom = bar->geometry().top() > window()->height() / 2;
        const int y = atBottom ? -menu->sizeHint().height() + (screens ? 0 : 5) : bar->height();
        at = bar->mapToGlobal(QPoint(x, y));
    }
    menu->popup(at);
}
