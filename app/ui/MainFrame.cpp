#include "app/ui/MainFrame.h"

#include "app/BarRules.h"
#include "app/CommandIds.h"
#include "app/ViewSwitcher.h"
#include "app/CommandTable.h"
#include "app/ui/CorvessaApp.h"
#include "app/EditViewApi.h"
#include "app/ui/FontComboBox.h"
#include "app/ui/ToolbarArt.h"
#include "app/ui/TrueColorToolBar.h"
#include "dialogs/ui/DlgPublishSettings.h"
#include "dialogs/ui/DlgSpelling.h"
#include "document/CorvessaDoc.h"
#include "model/ComponentBase.h"
#include "model/ComponentWindow.h"
#include "model/CorvPage.h"
#include "platform/CorvContext.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "spell/SpellCheckCommand.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>

#include <optional>

using namespace CorvCommand;

namespace {

const int kStandardButtons[] = {FileNew, FileOpen, FileSave, 0, EditCut, EditCopy, EditPaste, 0,
                                SpellCurrentScreen, SpellProject};

// The formatting bar; the two font boxes stand where their commands are.
const int kFormattingButtons[] = {AddTextBox, 0,         FontName,       FontSize,       0,         Bold,
                                  Italic,     Underline, 0,              Strikeout,      TextColour, 0,
                                  Bulleting,  0,         Numbering,      DecreaseIndent, IncreaseIndent,
                                  AlignLeft,  AlignCentre, AlignRight,   Justify,        0,         DrawLine,
                                  DrawRectangle, DrawCircle, 0,          FillColour,     LineColour, LineStyle,
                                  0,          RecordNarration};

const int kEditButtons[] = {AddScreenMenu, 0,         AddQuestionMenu, EditQuestion, AddTable,
                            AddMediaMenu,  EditGraphicMenu, AddLink,   PreviewScreen};

// Commands that the Edit view carries out: the frame forwards them, and they need the Edit view's consent
// besides their own rule.
const int kForwarded[] = {
    EditFind, NewScreen, NewDocument, InsertCompleteParagraph, InsertFillBlanks, InsertMatchPairs,
    InsertMultipleChoice, InsertTrueFalse, InsertPartIdentification, InsertFreeFormText, InsertFlashQuestion,
    InsertLikert, InsertLibraryItems, ToolsAddTable, MediaAudio, MediaVideo, MediaYouTube, MediaFlash,
    MediaFlashVideo, MediaAnimatedGif, MediaAcrobat, RecordNarration, ToolsAddLink, AddGraphicFromFile,
    AddGraphicFromLibrary, ReplaceGraphicFromFile, ReplaceGraphicFromLibrary, ReplaceAltText, Keywords,
    KenBurnsEffect, AddFinalPerformanceScreens, AddPopupsOnlyFolder, AddGlossaryFolder, SaveToLibrary, EditRemediation,
    WindowPreview, AddTextBox, AddHtmlTextBox, FontName, FontSize, Bold, Italic, Underline, Strikeout, TextColour, Bulleting,
    Numbering, DecreaseIndent, IncreaseIndent, AlignLeft, AlignCentre, AlignRight, Justify, DrawLine,
    DrawRectangle, DrawCircle, FillColour, LineColour, LineStyle, AddScreenMenu, AddQuestionMenu, EditQuestion,
    AddTable, AddMediaMenu, EditGraphicMenu, AddLink, PreviewScreen};

// Gives the action the text, tips and keys of its command.
void ApplyCommandText(QAction *action, int commandId)
{
    const CorvCommandTable::Command *c = CorvCommandTable::Find(commandId);
    if (!c)
        return;
    const QString tip = QString::fromLatin1(c->tip);
    const qsizetype cut = tip.indexOf(u'\n');
    const QString status = cut < 0 ? tip : tip.left(cut);
    const QString toolTip = cut < 0 ? tip : tip.mid(cut + 1);
    action->setText(c->text ? QString::fromLatin1(c->text) : toolTip);
    action->setStatusTip(status);
    action->setToolTip(toolTip);
    QList<QKeySequence> keys;
    for (const QString &key : QString::fromLatin1(c->keys).split(QStringLiteral("; "), Qt::SkipEmptyParts))
        keys.append(QKeySequence::fromString(key, QKeySequence::PortableText));
    action->setShortcuts(keys);
    action->setCheckable(c->checked != CorvCommandTable::Check::none);
}

// The spelling check's view of the Edit window.
class EditorHooks : public CSpellEditorHooks
{
public:
    explicit EditorHooks(CEditViewApi &view) : m_view(view) {}
    CCorvPage *CurrentScreen() const override { return m_view.GetCurrentPage(); }
    void MakeCurrent(CCorvPage *screen) override { m_view.MakeCurrentScreen(screen); }
    void TextChanged(CCorvPage &screen) override
    {
        for (const auto &component : screen.GetComponentList())
            if (CComponentWindow *window = component->GetComponentWindow())
                window->UpdateFromComponent();
    }
    void SetWaitCursor(bool on) override
    {
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }

private:
    CEditViewApi &m_view;
};

} // namespace

CMainFrame::CMainFrame(CCorvessaApp &app) : m_app(app)
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(CorvToolbarArt::ApplicationIcon());
    // The bars are shown and hidden by the View menu and the view rules only.
    setContextMenuPolicy(Qt::NoContextMenu);
}

CMainFrame::~CMainFrame() = default;

QToolBar *CMainFrame::ModeBar() const { return m_modeBar; }
QToolBar *CMainFrame::EditBar() const { return m_editBar; }

QAction *CMainFrame::MakeAction(int commandId)
{
    // One action per command, made complete wherever it first appears: a bar that shows a command before its
    // menu does must not leave the menu entry without its text or its keys.
    QAction *action = m_actions.value(commandId);
    if (!action) {
        action = new QAction(this);
        action->setObjectName(QStringLiteral("Command%1").arg(commandId));
        ApplyCommandText(action, commandId);
        connect(action, &QAction::triggered, this, [this, commandId] { OnCommand(commandId); });
        addAction(action);
        m_actions.insert(commandId, action);
    }
    return action;
}

bool CMainFrame::OnCreate()
{
    m_views = new QStackedWidget(this);
    setCentralWidget(m_views);
    if (!CreateModeBar() || !CreateStandardBar() || !CreateFormattingBar() || !CreateEditBar())
        return false;
    CreateStatusBar();
    CreateMenus();
    return true;
}

bool CMainFrame::CreateModeBar()
{
    m_modeBar = new CTrueColorToolBar(QStringLiteral("Tab bar"), this);
    m_modeBar->setObjectName(QStringLiteral("ModeBar"));
    m_modeBar->setMovable(false);
    m_modeBar->setFloatable(false);
    m_modeBar->setAllowedAreas(Qt::TopToolBarArea);
    for (int i = 0; i < kMainViewCount; ++i)
        m_modeBar->addAction(MakeAction(ModeSettings + i));
    addToolBar(Qt::TopToolBarArea, m_modeBar);
    addToolBarBreak(Qt::TopToolBarArea);
    return m_modeBar->LoadToolBarImages(128, CorvToolbarArt::ModeBarStrip(false), CorvToolbarArt::ModeBarStrip(false),
                                        CorvToolbarArt::ModeBarStrip(true));
}

void CMainFrame::AddButtons(QToolBar *bar, std::span<const int> buttons, bool drawnIcons,
                            const std::function<bool(int)> &placeBox)
{
    for (const int id : buttons) {
        if (!id) {
            bar->addSeparator();
            continue;
        }
        if (placeBox && placeBox(id))
            continue;
        QAction *action = MakeAction(id);
        if (drawnIcons)
            action->setIcon(CorvToolbarArt::CommandIcon(id));
        bar->addAction(action);
    }
}

bool CMainFrame::CreateStandardBar()
{
    m_standardBar = new QToolBar(QStringLiteral("Standard"), this);
    m_standardBar->setObjectName(QStringLiteral("StandardBar"));
    m_standardBar->setIconSize(QSize(18, 18));
    AddButtons(m_standardBar, kStandardButtons, true);
    addToolBar(Qt::TopToolBarArea, m_standardBar);
    return true;
}

bool CMainFrame::CreateFormattingBar()
{
    m_formattingBar = new QToolBar(QStringLiteral("Formatting and drawing"), this);
    m_formattingBar->setObjectName(QStringLiteral("FormattingBar"));
    m_formattingBar->setIconSize(QSize(18, 18));
    AddButtons(m_formattingBar, kFormattingButtons, true, [this](int id) {
        if (id == FontName)
            CreateFontNameBox();
        else if (id == FontSize)
            CreateFontSizeBox();
        return id == FontName || id == FontSize;
    });
    for (int id : {DrawLine, DrawRectangle, DrawCircle})
        Action(id)->setCheckable(true);
    addToolBar(Qt::TopToolBarArea, m_formattingBar);
    return m_fontName && m_fontSize;
}

void CMainFrame::CreateFontNameBox()
{
    m_fontName = new CFontComboBox(m_formattingBar);
    m_fontName->setObjectName(QStringLiteral("FontNameCombo"));
    m_fontName->setFixedWidth(150);
    m_fontName->SetSelectedName(CStringTable::Load(10560));
    m_fontName->FillFonts();
    m_fontName->setToolTip(QStringLiteral("Font  name"));
    m_formattingBar->addWidget(m_fontName);
    // Only the author's own choice goes to the Edit view, not a selection made to follow the text.
    connect(m_fontName, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && m_editView)
            m_editView->SetFontName(m_fontName->itemText(index));
    });
}

void CMainFrame::CreateFontSizeBox()
{
    m_fontSize = new QComboBox(m_formattingBar);
    m_fontSize->setObjectName(QStringLiteral("FontSizeCombo"));
    m_fontSize->setFixedWidth(60);
    m_fontSize->addItems(CorvBarRules::FontSizeEntries());
    m_fontSize->setCurrentIndex(CorvBarRules::FindComboEntry(CorvBarRules::FontSizeEntries(), QStringLiteral("12")));
    m_fontSize->setToolTip(QStringLiteral("Font size"));
    m_formattingBar->addWidget(m_fontSize);
    connect(m_fontSize, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && m_editView)
            m_editView->SetFontSize(m_fontSize->itemText(index).toInt());
    });
}

bool CMainFrame::CreateEditBar()
{
    m_editBar = new CTrueColorToolBar(QStringLiteral("Edit"), this);
    m_editBar->setObjectName(QStringLiteral("EditBar"));
    AddButtons(m_editBar, kEditButtons, false);
    addToolBar(Qt::BottomToolBarArea, m_editBar);
    return m_editBar->LoadToolBarImages(120, CorvToolbarArt::EditBarStrip(false), CorvToolbarArt::EditBarStrip(false),
                                        CorvToolbarArt::EditBarStrip(true));
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    // The message pane says "Ready" whenever nothing else is shown in it.
    const QString ready = CStringTable::Load(57345);
    connect(bar, &QStatusBar::messageChanged, bar, [bar, ready](const QString &text) {
        if (text.isEmpty())
            bar->showMessage(ready);
    });
    bar->showMessage(ready);
    m_position = new QLabel(CStringTable::Load(59144), bar);
    m_position->setObjectName(QStringLiteral("PositionPane"));
    m_size = new QLabel(CStringTable::Load(59143), bar);
    m_size->setObjectName(QStringLiteral("SizePane"));
    for (QLabel *pane : {m_position, m_size}) {
        pane->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(pane);
    }
    // The keyboard lock panes: the toolkit cannot read the lock states, so they stay empty.
    for (const char *name : {"CapPane", "NumPane", "ScrlPane"}) {
        auto *pane = new QLabel(bar);
        pane->setObjectName(QString::fromLatin1(name));
        pane->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        bar->addPermanentWidget(pane);
    }
}

void CMainFrame::CreateMenus()
{
    // The menu bar as the command table lays it out: a stack of the menus open at each depth.
    std::vector<QMenu *> open;
    for (const CorvCommandTable::MenuLine &line : CorvCommandTable::MenuBar()) {
        open.resize(size_t(line.depth));
        if (line.depth == 0) {
            QMenu *menu = menuBar()->addMenu(QString::fromLatin1(line.title));
            menu->setObjectName(QStringLiteral("Menu") + QString::fromLatin1(line.title).remove(u'&'));
            m_menus.append(menu);
            open.push_back(menu);
            if (!m_fileMenu)
                m_fileMenu = menu;
            continue;
        }
        QMenu *parent = open.back();
        if (line.title) {
            QMenu *sub = parent->addMenu(QString::fromLatin1(line.title));
            sub->setObjectName(QStringLiteral("Menu") + QString::fromLatin1(line.title).remove(u'&').remove(u' ').remove(u'/'));
            sub->menuAction()->setStatusTip(QStringLiteral("Opens the %1 menu.").arg(QString::fromLatin1(line.title).remove(u'&')));
            m_menus.append(sub);
            open.push_back(sub);
        } else if (line.id == CorvCommandTable::kRecentFilesLine) {
            m_recentAnchor = parent->addSeparator();
        } else if (!line.id) {
            parent->addSeparator();
        } else {
            parent->addAction(MakeAction(line.id));
        }
    }
    // Every command's state is brought up to date before a menu opens, as the buttons are after each change.
    for (QMenu *menu : std::as_const(m_menus))
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    if (QMenu *view = Menu(QStringLiteral("&View")))
        connect(view, &QMenu::aboutToShow, this, &CMainFrame::OnViewMenuAboutToShow);
}

QMenu *CMainFrame::Menu(const QString &title) const
{
    for (QMenu *menu : m_menus)
        if (menu->title() == title)
            return menu;
    return nullptr;
}

void CMainFrame::AddMainView(QWidget *view) { m_views->addWidget(view); }

void CMainFrame::ShowView(QWidget *view)
{
    m_views->setCurrentWidget(view);
    view->setFocus();
}

void CMainFrame::SetEditView(CEditViewApi *editView)
{
    m_editView = editView;
    UpdateCommandStates();
}

bool CMainFrame::IsForwardedCommand(int commandId) const
{
    return std::find(std::begin(kForwarded), std::end(kForwarded), commandId) != std::end(kForwarded);
}

bool CMainFrame::OnCommand(int commandId)
{
    switch (commandId) {
    case ViewTabBar: m_modeBar->setVisible(m_modeBar->isHidden()); return true;
    case ViewStandardBar: m_standardBar->setVisible(m_standardBar->isHidden()); return true;
    case ViewStatusBar: statusBar()->setVisible(statusBar()->isHidden()); return true;
    case ViewFormattingBar:
    case ViewEditBar: ToggleWantedBar(commandId); return true;
    case ViewSorter:
    case ViewBackground:
    case ViewGrid: OnViewToggle(commandId); return true;
    case AppExit: close(); return true;
    case AppHelp: ShowHelp(); return true;
    case PublishSettings: OnPublishSettings(); return true;
    case PreviewUsingHtm:
    case PublishImagesAtStandardResolution: OnPublishingPreference(commandId); return true;
    case EditUndo:
    case EditCut:
    case EditCopy:
    case EditPaste: OnClipboardCommand(commandId); return true;
    case SpellProject:
    case SpellCurrentScreen: OnSpellCheck(commandId); return true;
    case LanguageAmerican:
    case LanguageCanadian:
    case LanguageUk: OnSetSpellingLanguage(commandId); return true;
    case DrawLine:
    case DrawRectangle:
    case DrawCircle:
        // One tool is armed at a time.
        LineToolArmed = commandId == DrawLine;
        RectangleToolArmed = commandId == DrawRectangle;
        CircleToolArmed = commandId == DrawCircle;
        break;
    default: break;
    }
    if (IsForwardedCommand(commandId)) {
        bool checked = false;
        if (!IsCommandEnabled(commandId) || !m_editView->UpdateCommand(commandId, checked))
            return false;
        m_editView->OnCommand(commandId);
        UpdateCommandStates();
        return true;
    }
    return m_app.OnCommand(commandId);
}

CUiState CMainFrame::CurrentUiState() const
{
    CUiState s;
    s.currentViewIndex = m_app.CurrentViewIndex();
    if (const CCorvessaDoc *doc = m_app.Document()) {
        s.importPending = doc->GetImportPending();
        s.hasPopupsOnlyFolder = doc->GetPopupsFolder() != nullptr;
        s.hasGlossaryFolder = doc->GetGlossaryFolder() != nullptr;
        for (const auto &screen : doc->MainScreens())
            s.hasAssessmentPages = s.hasAssessmentPages || screen->IsAssessmentPage();
        s.dictionaryLanguage = doc->Settings().DictionaryLanguage;
        s.previewUsingHtm = doc->Settings().PreviewUsingHTM;
        s.publishImagesAtStandardResolution = doc->Settings().PublishImagesAtStandardResolution;
    }
    if (m_editView) {
        if (const CCorvPage *screen = m_editView->GetCurrentPage()) {
            s.hasCurrentScreen = true;
            s.screenType = screen->GetPageType();
        }
        s.selectedType = m_editView->GetSelectedComponentType();
        s.selectionCanUndo = m_editView->SelectionCanUndo();
        s.holdsCopiedComponent = m_editView->HoldsCopiedComponent();
        s.canAddScreenHere = m_editView->CanAddScreenHere();
    }
    s.showSorter = ShowSorter;
    s.showBackground = ShowBackground;
    s.showGrid = ShowGrid;
    s.lineToolArmed = LineToolArmed;
    s.rectangleToolArmed = RectangleToolArmed;
    s.circleToolArmed = CircleToolArmed;
    return s;
}

bool CMainFrame::IsCommandEnabled(int commandId) const
{
    const int view = CViewSwitcher::ViewIndexOfCommand(commandId);
    if (view >= 0)
        return m_app.IsViewCommandEnabled(view);
    const CorvCommandTable::Command *command = CorvCommandTable::Find(commandId);
    if (!command || !CorvCommandTable::IsEnabled(*command, CurrentUiState()))
        return false;
    bool checked = false;
    return !IsForwardedCommand(commandId) || (m_editView && m_editView->UpdateCommand(commandId, checked));
}

void CMainFrame::UpdateCommandStates()
{
    const CUiState state = CurrentUiState();
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const int id = it.key();
        QAction *action = it.value();
        action->setEnabled(IsCommandEnabled(id));
        const CorvCommandTable::Command *command = CorvCommandTable::Find(id);
        if (command && command->checked != CorvCommandTable::Check::framework && action->isCheckable())
            action->setChecked(CorvCommandTable::IsChecked(*command, state));
    }
    m_fontName->setEnabled(IsCommandEnabled(FontName));
    m_fontSize->setEnabled(IsCommandEnabled(FontSize));
}

void CMainFrame::ShowHelp()
{
    const QString help = CorvPath::Join(m_app.Context().programFolder, QStringLiteral("KVHelp.chm"));
    if (!QFileInfo(help).isFile() || !QDesktopServices::openUrl(QUrl::fromLocalFile(help)))
        m_app.Context().Prompt().Error(QStringLiteral("The help file %1 cannot be opened.").arg(help));
}

void CMainFrame::OnPublishSettings()
{
    CCorvessaDoc *doc = m_app.Document();
    if (!doc)
        return;
    if (m_app.LastPublishFolder.isEmpty() && !doc->GetPathName().isEmpty())
        m_app.LastPublishFolder = QFileInfo(doc->GetPathName()).absolutePath();
    CDlgPublishSettings dialog(this, m_app.LastPublishFolder, &m_app.FileDialogs());
    dialog.values.LoadFrom(doc->Settings());
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.values.StoreTo(doc->MutableSettings());
    doc->SetModifiedFlag();
}

void CMainFrame::OnPublishingPreference(int commandId)
{
    CCorvessaDoc *doc = m_app.Document();
    if (!doc)
        return;
    // A preference of the program rather than of the course: the project is not marked modified.
    int &setting = commandId == PreviewUsingHtm ? doc->MutableSettings().PreviewUsingHTM : doc->MutableSettings().PublishImagesAtStandardResolution;
    setting = setting != 0 ? 0 : 1;
    Action(commandId)->setChecked(setting != 0);
}

void CMainFrame::OnViewToggle(int commandId)
{
    switch (commandId) {
    case ViewSorter:
        ShowSorter = ShowSorter == 1 ? 0 : 1;
        if (m_editView)
            m_editView->ShowSorter(ShowSorter == 1);
        break;
    case ViewBackground:
        ShowBackground = ShowBackground ? 0 : 1;
        if (m_editView)
            m_editView->SetShowBackground(ShowBackground != 0);
        break;
    default:
        ShowGrid = ShowGrid ? 0 : 1;
        if (m_editView)
            m_editView->SetShowGrid(ShowGrid != 0);
        break;
    }
    UpdateCommandStates();
}

void CMainFrame::OnClipboardCommand(int commandId)
{
    // Only the Edit window's selection, and only while it is the visible view: elsewhere the focused text
    // field has had the key already, and a component left selected in the hidden Edit window stays as it is.
    const CorvCommandTable::ClipboardAction action = CorvCommandTable::Dispatch(commandId, CurrentUiState());
    if (action == CorvCommandTable::ClipboardAction::none || !m_editView)
        return;
    m_editView->OnClipboard(action);
    UpdateCommandStates();
}

void CMainFrame::OnSpellCheck(int commandId)
{
    CCorvessaDoc *doc = m_app.Document();
    if (!doc || !IsCommandEnabled(commandId))
        return;
    std::optional<EditorHooks> hooks;
    if (m_editView)
        hooks.emplace(*m_editView);
    CSpellingDialogUi ui(this, m_app.Context().Prompt());
    CSpellCheckCommand command(*doc, hooks ? &*hooks : nullptr, ui);
    if (commandId == SpellProject)
        command.OnToolsSpellCheckProject();
    else
        command.OnToolsSpellCheckThisPage();
    UpdateCommandStates();
}

void CMainFrame::OnSetSpellingLanguage(int commandId)
{
    CCorvessaDoc *doc = m_app.Document();
    if (!doc || doc->Settings().DictionaryLanguage == commandId)
        return;
    // The language is kept with the course.
    doc->MutableSettings().DictionaryLanguage = commandId;
    doc->SetModifiedFlag();
    UpdateCommandStates();
}

void CMainFrame::OnViewMenuAboutToShow()
{
    Action(ViewTabBar)->setChecked(!m_modeBar->isHidden());
    Action(ViewStandardBar)->setChecked(!m_standardBar->isHidden());
    Action(ViewStatusBar)->setChecked(!statusBar()->isHidden());
    const int current = m_app.CurrentViewIndex();
    const auto formatting = CorvBarRules::BarMenuUpdate(current, !m_formattingBar->isHidden(), WantFormattingBar);
    Action(ViewFormattingBar)->setChecked(formatting.checked);
    WantFormattingBar = formatting.wanted;
    const auto editBar = CorvBarRules::BarMenuUpdate(current, !m_editBar->isHidden(), WantEditBar);
    Action(ViewEditBar)->setChecked(editBar.checked);
    WantEditBar = editBar.wanted;
}

void CMainFrame::ToggleWantedBar(int commandId)
{
    if (commandId == ViewFormattingBar) {
        WantFormattingBar = !WantFormattingBar;
        UpdateFormattingBarVisibility();
    } else {
        WantEditBar = !WantEditBar;
        UpdateEditBarVisibility();
    }
}

void CMainFrame::UpdateBarVisibility(QToolBar *bar, bool wanted)
{
    const bool show = CorvBarRules::BarShouldBeVisible(m_app.CurrentViewIndex(), wanted);
    if (bar->isHidden() == !show)
        return;
    bar->setVisible(show);
}

void CMainFrame::UpdateEditBarVisibility() { UpdateBarVisibility(m_editBar, WantEditBar); }

void CMainFrame::UpdateFormattingBarVisibility() { UpdateBarVisibility(m_formattingBar, WantFormattingBar); }

void CMainFrame::ShowItemPosition(int x, int y) { m_position->setText(CorvBarRules::ItemPairText(x, y)); }

void CMainFrame::ShowItemSize(int width, int height) { m_size->setText(CorvBarRules::ItemPairText(width, height)); }

void CMainFrame::SelectFontInToolbar(const QString &faceName, int points)
{
    const auto entries = [](const QComboBox *box) {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list.append(box->itemText(i));
        return list;
    };
    const int face = CorvBarRules::FindComboEntry(entries(m_fontName), faceName);
    if (face >= 0)
        m_fontName->setCurrentIndex(face);
    const int size = CorvBarRules::FindComboEntry(entries(m_fontSize), QString::number(points));
    if (size >= 0)
        m_fontSize->setCurrentIndex(size);
}

void CMainFrame::SetRecentFiles(const QStringList &files)
{
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    if (files.isEmpty()) {
        auto *none = new QAction(QStringLiteral("Recent files"), m_fileMenu);
        none->setStatusTip(QStringLiteral("The projects opened last are listed here."));
        none->setEnabled(false);
        m_fileMenu->insertAction(m_recentAnchor, none);
        m_recentActions.append(none);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        auto *action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QString(files[i]).replace(u'&', QLatin1String("&&"))), m_fileMenu);
        action->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        action->setStatusTip(QStringLiteral("Open the project %1.").arg(files[i]));
        connect(action, &QAction::triggered, this, [this, i] { m_app.OpenRecentFile(i); });
        m_fileMenu->insertAction(m_recentAnchor, action);
        m_recentActions.append(action);
    }
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (m_app.OnFrameClose())
        event->accept();
    else
        event->ignore();
}
