#include "editor/ui/EditFrmVw.h"

#include "app/ui/controls/SSplitter.h"

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
#include "editor/EditKeys.h"
#include "editor/FileDrop.h"
#include "editor/ImportPlacement.h"
#include "editor/LibraryPlacement.h"
#include "platform/ui/FileDialogs.h"
#include "document/SingleScreenArchive.h"
#include "dialogs/ui/DlgImportNewDocument.h"
#include "dialogs/ui/DlgLongWait.h"
#include "import/HeadlessImportHost.h"
#include "import/ImportCommand.h"
#include "model/Topic.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "dialogs/ui/DlgGraphicFromLib.h"
#include "dialogs/ui/PictureDialogs.h"
#include "editor/FindReplace.h"
#include "editor/ScreenRenderer.h"
#include "editor/ui/ComponentWindows.h"
#include "editor/ui/LibraryPictureCommandsUi.h"
#include "editor/ui/KenBurnsCommandsUi.h"
#include "editor/ui/ScreenCommandsUi.h"
#include "editor/ui/QuestionWindows.h"
#include "editor/ui/ScrollViewEx.h"
#include "editor/CanvasEdits.h"
#include "model/GlobalHelpers.h"
#include "editor/ui/WndTable.h"
#include "editor/ui/WndTextbox.h"
#include "model/ComponentBase.h"
#include "model/ComponentType.h"
#include "editor/ui/DragDropListCtrl.h"
#include "editor/ui/DragDropTreeCtrl.h"
#include "editor/ui/FormattingCommandsUi.h"
#include "editor/ui/ImageCommandsUi.h"
#include "editor/ui/ImageWindow.h"
#include "model/ComponentImage.h"
#include "editor/ui/PropertySheetView.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/ThumbListModel.h"
#include "editor/ui/MediaCommandsUi.h"

#include <QAction>
#include <QFileInfo>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QPointer>
#include <QShortcut>
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

// What an importer asks of the Edit window: its screens go into the outline by their labels from the current
// item, and each becomes current as it is made.
class EditWindowImportHost : public CHeadlessImportHost
{
public:
    EditWindowImportHost(CCorvessaDoc &doc, CEditController &controller, CScreenCommands &screens)
        : CHeadlessImportHost(doc), m_controller(controller), m_screens(screens)
    {
    }
    void AddPageAndSelect(CCorvPage *screen) override { m_controller.AddPageAndSelect(screen); }
    void RefreshCurrentThumbnail() override { m_controller.RefreshCurrentThumbnail(); }
    void ClearCanvasSelection() override
    {
        if (m_controller.GetHooks().clearCanvasSelection)
            m_controller.GetHooks().clearCanvasSelection();
    }
    void AddPopupsOnlyFolder() override { m_screens.AddPopupsOnlyFolder(); }
    void LayoutMenuButtons(CCorvPage *) override
    {
        if (m_controller.GetHooks().layoutAllMenus)
            m_controller.GetHooks().layoutAllMenus();
    }
    CCorvPage *GetCurrentScreen() const override { return m_controller.GetCurrentPage(); }

private:
    CEditController &m_controller;
    CScreenCommands &m_screens;
};

// A further document goes at the Edit window's current screen.
class EditWindowPlacement : public CImportPlacement
{
public:
    explicit EditWindowPlacement(CEditController &controller) : m_controller(controller) {}
    Point Prepare(bool createTopic) override
    {
        const ImportPlacement::Point point = ImportPlacement::Prepare(m_controller, createTopic);
        return {point.mode, point.label};
    }
    void Finish(bool createTopic, int topicCountBefore, const CTopic &topic) override
    {
        ImportPlacement::Finish(m_controller, createTopic, topicCountBefore, topic.GetName(), topic.GetBanner(),
                                topic.GetSourceDocument());
    }

private:
    CEditController &m_controller;
};

} // namespace

CEditFrmVw::CEditFrmVw(CCorvessaDoc &document, QWidget *parent)
    : QWidget(parent), m_document(document), m_controller(document), m_splitter(new CSSplitter(this)),
      m_navigator(new CPropertySheetView(m_controller, this))
{
    setObjectName(QStringLiteral("EditView"));
    setAccessibleName(QStringLiteral("Edit"));
    m_splitter->setObjectName(QStringLiteral("EditSplitter"));
    m_controller.SetListener(this);
    ConnectCanvas();
    // The navigator on the left may shrink to nothing; the canvas keeps 110 pixels.
    m_splitter->Create(CSSplitter::VerticalSplit, this, m_navigator, m_canvas, kSplitterId, QRect(0, 0, 1000, 600), 0,
                       110);
    m_splitter->SetSplitterPos(kInitialBar);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);
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
    // Files from the desktop: on the canvas where they are dropped, on the outline at the top-left of the part
    // of the screen in view.
    m_canvas->acceptsFiles = [this](const QStringList &paths) { return AcceptsDroppedFiles(paths); };
    m_canvas->dropFiles = [this](const QStringList &paths, const QPoint &at) { DropFiles(paths, at); };
    Tree()->acceptsFiles = m_canvas->acceptsFiles;
    Tree()->dropFiles = [this](const QStringList &paths) {
        DropFiles(paths, QPoint(m_canvas->horizontalScrollBar()->value(), m_canvas->verticalScrollBar()->value()));
    };
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
    MediaCommandsUi::SetListPictureSource({});
    MediaCommandsUi::GetPickers() = {};
    // The canvas takes the components' windows down with it; the held copy, whose window is on the canvas
    // too, goes first.
    m_controller.ClearComponentClipboard();
    delete m_canvas;
    m_canvas = nullptr;
}

void CEditFrmVw::SetGraphicsLibrary(CGraphicsLibrarySearch *library)
{
    m_library = library;
    // Menu buttons laid out anew look for their topics' pictures in the library too.
    m_menuScreens->SetGraphicsLibrary(library);
}

void CEditFrmVw::ConnectCanvas()
{
    m_canvasClipboard = std::make_unique<ControllerClipboard>(m_controller);
    auto *canvas = new CScrollViewEx;
    canvas->setObjectName(QStringLiteral("ScreenCanvas"));
    canvas->SetClipboard(m_canvasClipboard.get());
    canvas->SetDocument(&m_document);
    canvas->setMinimumWidth(110);
    m_canvas = canvas;
    // Topic buttons take their pictures from a file through the picture-file dialog, and from the graphics
    // library through its picker.
    MediaCommandsUi::GetPickers().pictureFile = [this](QWidget *parent) {
        CDlgUpdateGraphicFromFile1 dialog(parent);
        dialog.prompt = &m_document.Prompt();
        return dialog.exec() == QDialog::Accepted ? dialog.values.path : QString();
    };
    MediaCommandsUi::GetPickers().libraryPicture = [this](QWidget *parent) -> std::optional<QString> {
        const auto picked = PickGraphicFromLibrary(parent, m_document.GetContext(), true);
        return picked ? std::optional<QString>(picked->fileName) : std::nullopt;
    };
    CEditController::Hooks &hooks = m_controller.GetHooks();
    hooks.clearCanvasSelection = [this] { m_canvas->SelectComponent(nullptr); };
    hooks.deleteCanvasTrackers = [this] { m_canvas->DeleteTrackers(); };
    hooks.emptyCanvasList = [this] { m_canvas->ClearDisplayedComponents(); };
    hooks.showScreen = [this](CCorvPage *screen) { m_canvas->ShowScreen(screen); };
    // Large topic buttons show their screens' large thumbnails.
    MediaCommandsUi::SetListPictureSource([this](int image) -> QImage {
        CThumbStrip &thumbs = m_controller.Thumbs();
        for (int i = 0; i < thumbs.GetItemCount(); ++i)
            if (thumbs.GetItem(i).image == image && thumbs.GetItem(i).screen)
                return thumbs.LargeImage(image, *thumbs.GetItem(i).screen);
        return {};
    });
    m_controller.Thumbs().SetRenderer(
        [this](const CCorvPage &screen, QSize size) { return CScreenRenderer::Render(m_document, screen, size); });
    connect(m_canvas, &CScrollViewEx::selectionChanged, this, [this] { emit CurrentPageChanged(); });
    connect(m_canvas, &CScrollViewEx::commandRequested, this, [this](int command) { OnCommand(command); });
}

CDragDropTreeCtrl *CEditFrmVw::Tree() const { return m_navigator->Tree(); }

CDragDropListCtrl *CEditFrmVw::ThumbnailList() const { return m_navigator->ThumbnailList(); }

QTreeWidget *CEditFrmVw::OutlineWidget() const { return m_navigator->Tree(); }

void CEditFrmVw::SetProfile(CIniFile *profile, const QString &baseKey)
{
    m_splitter->SetProfile(profile, baseKey);
    m_splitter->RestoreFromProfile();
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
    // The navigator comes back where its bar was.
    if (show)
        m_splitter->ShowFirstPane();
    else
        m_splitter->HideFirstPane();
}

namespace {

// The formatting commands a text box or table cell carries out on its selection.
bool IsTextFormatCommand(int commandId)
{
    using namespace CorvCommand;
    static const int kCommands[] = {Bold,       Italic,      Underline,      Strikeout, Bulleting, Numbering,
                                    DecreaseIndent, IncreaseIndent, AlignLeft, AlignCentre, AlignRight, Justify};
    return std::find(std::begin(kCommands), std::end(kCommands), commandId) != std::end(kCommands);
}

} // namespace

bool CEditFrmVw::UpdateCommand(int commandId, bool &checked) const
{
    // The other editing commands arrive with the screen commands.
    checked = false;
    bool enabled = false;
    if (UpdateScreenCommand(commandId, enabled) || FormattingCommandsUi::UpdateCommand(*this, commandId, enabled))
        return enabled;
    switch (commandId) {
    case CorvCommand::PreviewScreen:
    case CorvCommand::WindowPreview:
        return GetCurrentPage() != nullptr;
    case CorvCommand::EditFind:
    case CorvCommand::SaveToLibrary:
        return !m_document.MainScreens().empty();
    case CorvCommand::InsertLibraryItems:
        return true;
    case CorvCommand::NewDocument:
        return m_document.GetImportPending() != 1;
    case CorvCommand::SaveScreenToLibraryFile:
        return GetCurrentPage() != nullptr;
    case CorvCommand::AddGraphicFromLibrary:
    case CanvasEdits::Menu::GraphicFromLibrary:
    case LibraryPictureCommandsUi::kReplaceImageFromLibrary:
        return LibraryPictureCommandsUi::UpdateCommand(*this, commandId, enabled) && enabled;
    case CorvCommand::ReplaceGraphicFromLibrary:
        return GetSelectedComponentType() == ct_image;
    case CorvCommand::AddMediaMenu:
        return GetCurrentPage() != nullptr;
    case CorvCommand::EditGraphicMenu:
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
    case CorvCommand::ReplaceGraphicFromFile:
    case CorvCommand::ReplaceAltText:
        // Only a selected picture can be replaced or given another alternative text.
        return GetSelectedComponentType() == ct_image;
    case CorvCommand::AddGraphicFromFile:
    case CorvCommand::Keywords:
        return CImageCommandsUi::Handles(commandId);
    case CorvCommand::KenBurnsEffect:
        return KenBurnsCommandsUi::SelectedPicture(m_canvas) != nullptr;
    default:
        return IsTextFormatCommand(commandId) && SelectedTextWindow() != nullptr;
    }
}

void CEditFrmVw::OnCommand(int commandId)
{
    if (OnScreenCommand(commandId) || FormattingCommandsUi::OnCommand(*this, commandId))
        return;
    switch (commandId) {
    case CorvCommand::PreviewScreen:
    case CorvCommand::WindowPreview:
        if (GetCurrentPage())
            emit PreviewRequested(GetCurrentPage());
        return;
    case CorvCommand::EditFind: FindAndReplace(); return;
    case CorvCommand::InsertLibraryItems: InsertFromLibrary(); return;
    case CorvCommand::NewDocument: ImportNewDocument(); return;
    case CorvCommand::SaveScreenToLibraryFile: SaveScreenToLibraryFile(); return;
    case CorvCommand::SaveToLibrary: SaveToLibrary(); return;
    case CorvCommand::AddGraphicFromLibrary:
    case CanvasEdits::Menu::GraphicFromLibrary:
    case CorvCommand::ReplaceGraphicFromLibrary:
    case LibraryPictureCommandsUi::kReplaceImageFromLibrary:
        LibraryPictureCommandsUi::OnCommand(*this, commandId);
        emit CurrentPageChanged();
        return;
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
    case MediaCommandsUi::EditAudio:
    case MediaCommandsUi::EditVideo:
    case MediaCommandsUi::ReplaceTopicFromFile:
    case MediaCommandsUi::ReplaceTopicFromLibrary:
    case MediaCommandsUi::ReplaceLinkText:
        if (m_canvas && MediaCommandsUi::Run(commandId, *m_canvas, m_document, window()))
            emit CurrentPageChanged();
        return;
    case CorvCommand::AddGraphicFromFile:
    case CorvCommand::ReplaceGraphicFromFile:
    case CorvCommand::ReplaceAltText:
    case CImageCommandsUi::ReplaceFromFileMenu:
    case CImageCommandsUi::ReplaceAltTextMenu:
    case CImageCommandsUi::DeleteLinkMenu:
    case CorvCommand::Keywords:
        if (m_canvas)
            CImageCommandsUi(m_document, *m_canvas, window()).OnCommand(commandId);
        emit CurrentPageChanged();
        return;
    case CorvCommand::KenBurnsEffect: KenBurnsCommandsUi::OnKenBurnsEffect(window(), m_canvas, m_document); return;
    case CorvCommand::AddMediaMenu:
    case CorvCommand::EditGraphicMenu: ShowAddMenu(commandId); return;
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
    if (qobject_cast<CWndTextbox *>(window) || qobject_cast<CWndTable *>(window))
        return window;
    return nullptr;
}

bool CEditFrmVw::FormatSelectedText(int commandId)
{
    QWidget *window = SelectedTextWindow();
    if (auto *box = qobject_cast<CWndTextbox *>(window))
        return box->OnFormatCommand(commandId);
    if (auto *table = qobject_cast<CWndTable *>(window))
        return table->OnFormatCommand(commandId);
    return false;
}

void CEditFrmVw::SetFontName(const QString &face)
{
    QWidget *window = SelectedTextWindow();
    if (auto *box = qobject_cast<CWndTextbox *>(window))
        box->SetSelectionFontName(face);
    else if (auto *table = qobject_cast<CWndTable *>(window))
        table->SetActiveCellFontName(face);
}

void CEditFrmVw::SetFontSize(int points)
{
    QWidget *window = SelectedTextWindow();
    if (auto *box = qobject_cast<CWndTextbox *>(window))
        box->SetSelectionFontSize(points);
    else if (auto *table = qobject_cast<CWndTable *>(window))
        table->SetActiveCellFontSize(points);
}

int CEditFrmVw::GetSelectedComponentType() const
{
    const CComponentBase *selected = m_canvas ? m_canvas->GetSelectedComponent() : nullptr;
    return selected ? selected->GetType() : -1;
}

bool CEditFrmVw::SelectionCanUndo() const
{
    const auto *box = qobject_cast<CWndTextbox *>(SelectedTextWindow());
    return box && box->Editor()->CanUndo();
}

void CEditFrmVw::OnClipboard(CorvCommandTable::ClipboardAction action)
{
    using CorvCommandTable::ClipboardAction;
    // The menu's Undo and Paste reach the selected text box's own text as its keys do.
    auto *box = qobject_cast<CWndTextbox *>(SelectedTextWindow());
    switch (action) {
    case ClipboardAction::cutComponent: m_canvas->CutSelection(); break;
    case ClipboardAction::copyComponent: m_canvas->CopySelection(); break;
    case ClipboardAction::pasteComponent: m_canvas->OnPaste(); break;
    case ClipboardAction::undoText:
        if (box)
            box->Editor()->Undo();
        break;
    case ClipboardAction::pasteText:
        if (box)
            box->Editor()->Paste();
        break;
    default: break; // the HTML text box has no text window here
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
    auto *box = qobject_cast<CWndTextbox *>(window);
    auto *table = qobject_cast<CWndTable *>(window);
    CRichEditCtrlEx *editor = box ? box->Editor() : nullptr;
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
        case CorvCommand::MediaAcrobat: {
            DlgAddPDF dialog(window());
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

void CEditFrmVw::ScreenChanged(CCorvPage *screen)
{
    screen->SetModified(1);
    m_document.SetModifiedFlag(true);
    m_controller.RefreshCurrentThumbnail();
    if (m_canvas) {
        m_canvas->Invalidate();
        emit m_canvas->screenModified(screen);
    }
}

bool CEditFrmVw::AcceptsDroppedFiles(const QStringList &paths) const
{
    return FileDrop::AcceptsFiles(paths, m_document.Settings().MenuBasedCourse == 1, GetCurrentPage() != nullptr);
}

void CEditFrmVw::DropFiles(const QStringList &paths, const QPoint &canvasPoint)
{
    const FileDrop::Outcome outcome = FileDrop::DropFiles(m_controller, *m_screenCommands, paths, canvasPoint);
    if (!outcome.accepted)
        return;
    if (outcome.placed > 0)
        m_controller.RefreshCurrentThumbnail();
    emit CurrentPageChanged();
}

void CEditFrmVw::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const int keyF = key >= Qt::Key_F1 && key <= Qt::Key_F12 ? key - Qt::Key_F1 + 1 : 0;
    const char letter = key >= Qt::Key_A && key <= Qt::Key_Z ? char('A' + (key - Qt::Key_A)) : 0;
    const Qt::KeyboardModifiers mods = event->modifiers();
    EditKeys::State state;
    state.canAddScreenHere = m_controller.CanAddScreenHere();
    state.importPending = m_document.GetImportPending() == 1;
    const EditKeys::Result r = EditKeys::OnKeyDown(keyF, letter, mods & Qt::ControlModifier, mods & Qt::AltModifier,
                                                   mods & Qt::ShiftModifier, state);
    using EditKeys::Action;
    // A held key repeats: a question screen is made once per press.
    if (r.action == Action::question && event->isAutoRepeat()) {
        event->accept();
        return;
    }
    bool checked = false;
    switch (r.action) {
    case Action::question: {
        static const int kQuestions[] = {CorvCommand::InsertCompleteParagraph, CorvCommand::InsertFillBlanks,
                                         CorvCommand::InsertMatchPairs,        CorvCommand::InsertMultipleChoice,
                                         CorvCommand::InsertTrueFalse,         CorvCommand::InsertPartIdentification,
                                         CorvCommand::InsertFreeFormText,      CorvCommand::InsertFlashQuestion,
                                         CorvCommand::InsertLikert};
        const int command = kQuestions[r.index - 1];
        if (UpdateCommand(command, checked))
            OnCommand(command);
        break;
    }
    case Action::copyScreen: m_screenCommands->CopyScreen(); break;
    case Action::pasteScreen:
        if (m_pasteScreen)
            m_pasteScreen();
        break;
    case Action::find: FindAndReplace(); break;
    case Action::newScreenFromKey: NewScreenFromKey(r.index); break;
    case Action::help: emit HelpRequested(); break;
    case Action::newScreen: OnCommand(CorvCommand::NewScreen); break;
    case Action::importDocument:
        if (UpdateCommand(CorvCommand::NewDocument, checked))
            OnCommand(CorvCommand::NewDocument);
        break;
    case Action::none: break;
    }
    if (r.defaultProcessing && r.action == Action::none)
        QWidget::keyPressEvent(event);
    else
        event->accept();
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

void CEditFrmVw::ImportNewDocument()
{
    CDlgImportNewDocument dialog(window());
    dialog.values.menuBased = m_document.Settings().MenuBasedCourse;
    dialog.values.currentPageType = GetCurrentPage() ? GetCurrentPage()->GetPageType() : -1;
    if (dialog.exec() != QDialog::Accepted)
        return;
    const CImportNewDocumentValues &v = dialog.values;
    if (v.path.isEmpty() && v.topicTitle.isEmpty())
        return;
    struct WaitCursor {
        WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
        ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    } wait;
    EditWindowImportHost host(m_document, m_controller, *m_screenCommands);
    EditWindowPlacement placement(m_controller);
    CImportCommand command(m_document, host, m_library);
    command.SetSlideExporterRunner(&CDlgLongWait::RunWhileWaiting);
    const CImportCommand::Outcome outcome =
        command.ImportNewDocument({v.path, v.topicTitle, v.bannerName, v.createTopic != 0, v.glossaryOnly != 0}, placement);
    if (outcome != CImportCommand::Outcome::stopped)
        m_document.UpdateAllViews();
    if (CCorvPage *current = GetCurrentPage(); current && m_canvas)
        m_canvas->ShowScreen(current);
    emit CurrentPageChanged();
}

void CEditFrmVw::InsertFromLibrary()
{
    const std::vector<CCorvPage *> inserted = CorvLibraryDialogs::InsertFromLibrary(
        window(), m_document, GetCurrentPage(), nullptr,
        [this](const QString &libraryPath, const std::vector<LibraryInsertChoice> &choices) {
            return LibraryPlacement::InsertItems(m_controller, libraryPath, choices);
        });
    if (CCorvPage *current = GetCurrentPage(); current && m_canvas)
        m_canvas->ShowScreen(current);
    if (!inserted.empty()) {
        ThumbnailList()->ShowCurrent();
        Tree()->ShowCurrent();
    }
    emit CurrentPageChanged();
}

void CEditFrmVw::SaveScreenToLibraryFile()
{
    CCorvPage *screen = GetCurrentPage();
    if (!screen)
        return;
    CFileDialogs &dialogs = m_fileDialogs ? *m_fileDialogs : CFileDialogs::Native();
    QString path = dialogs.GetSaveFileName(window(), QStringLiteral("Save As"), QString(),
                                           QStringLiteral("Library Files (*.kvl)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty()) {
        // The picker asked about the name as typed: the name with the extension is asked about here.
        path += QStringLiteral(".kvl");
        if (QFileInfo::exists(path) &&
            !m_document.Prompt().YesNo(QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(path)))
            return;
    }
    CSingleScreenArchive::SaveScreenArchive(m_document, path, screen);
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
    if (!screens && !UpdateCommand(commandId, checked))
        return;
    // The entries of each bar menu; 0 is a separator.
    struct BarMenu {
        int command;
        const char *name;
        std::vector<int> entries;
    };
    static const BarMenu kMenus[] = {
        {AddScreenMenu, "AddScreenMenu", {NewScreen, NewDocument}},
        {AddQuestionMenu, "AddQuestionMenu",
         {InsertCompleteParagraph, InsertFillBlanks, InsertMatchPairs, InsertMultipleChoice, InsertTrueFalse,
          InsertPartIdentification, InsertFreeFormText, InsertFlashQuestion, InsertLikert}},
        {AddMediaMenu, "AddMediaMenu",
         {MediaAudio, MediaVideo, MediaYouTube, MediaFlash, MediaFlashVideo, MediaAnimatedGif, MediaAcrobat,
          RecordNarration}},
        {EditGraphicMenu, "EditGraphicMenu",
         {AddGraphicFromFile, AddGraphicFromLibrary, 0, ReplaceGraphicFromFile, ReplaceGraphicFromLibrary, 0,
          ReplaceAltText, 0, KenBurnsEffect}},
    };
    const auto found = std::find_if(std::begin(kMenus), std::end(kMenus),
                                    [commandId](const BarMenu &m) { return m.command == commandId; });
    if (found == std::end(kMenus))
        return;
    auto *menu = new QMenu(this);
    menu->setObjectName(QString::fromLatin1(found->name));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (int id : found->entries) {
        if (!id) {
            menu->addSeparator();
            continue;
        }
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
