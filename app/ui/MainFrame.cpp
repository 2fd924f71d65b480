#include "app/ui/MainFrame.h"

#include "app/BarRules.h"
#include "app/CommandIds.h"
#include "app/ViewSwitcher.h"
#include "app/ui/CorvessaApp.h"
#include "app/ui/EditViewApi.h"
#include "app/ui/FontComboBox.h"
#include "app/ui/ToolbarArt.h"
#include "app/ui/TrueColorToolBar.h"
#include "platform/StringTable.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>

using namespace CorvCommand;

namespace {

// What every command shows wherever it appears: its menu text, and its tip as "status text\ntool tip". A
// command that is only a button takes its tool tip as its text, so that it is named for screen readers too.
struct CommandText {
    int id;
    const char *text;
    const char *tip;
};

const CommandText kCommandTexts[] = {
    {FileNew, "&New Project", "Create a new project.\nNew Project"},
    {FileOpen, "&Open Project...", "Open an existing project.\nOpen Project"},
    {FileSave, "&Save Project", "Save the project.\nSave Project"},
    {FileSaveAs, "Save Project &as...", "Save the project under a new name.\nSave Project As"},
    {PublishStandaloneMenu, "Standalone", "Publish the course to run on its own.\nPublish standalone"},
    {PublishLanMenu, "LAN-based database", "Publish the course for a LAN-based database.\nPublish for a LAN"},
    {PublishWebMenu, "Web-based database", "Publish the course for a web-based database.\nPublish for the web"},
    {PublishLmsMenu, "LMS", "Publish the course as a learning management system package.\nPublish for an LMS"},
    {AppExit, "E&xit", "Quit Corvessa; a project with unsaved changes is asked for first.\nExit"},
    {EditUndo, "&Undo", "Undo the last change to the selected text.\nUndo"},
    {EditCut, "Cu&t", "Cut the selection to the clipboard.\nCut"},
    {EditCopy, "&Copy", "Copy the selection to the clipboard.\nCopy"},
    {EditPaste, "&Paste", "Insert the contents of the clipboard.\nPaste"},
    {EditFind, "&Find...", "Find and replace text on the current screen.\nFind"},
    {ViewTabBar, "&Tab bar", "Show or hide the tab bar of the four windows.\nTab bar"},
    {ViewStandardBar, "Stan&dard toolbar", "Show or hide the standard toolbar.\nStandard toolbar"},
    {ViewFormattingBar, "&Formatting and drawing toolbar",
     "Show or hide the formatting and drawing toolbar of the Edit window.\nFormatting and drawing toolbar"},
    {ViewEditBar, "&Edit toolbar", "Show or hide the edit toolbar of the Edit window.\nEdit toolbar"},
    {ViewStatusBar, "&Status Bar", "Show or hide the status bar.\nStatus bar"},
    {ModeSettings, "Settings", "Show the Settings window.\nSettings"},
    {ModeImport, "Import", "Show the Import window.\nImport"},
    {ModeEdit, "Edit", "Show the Edit window.\nEdit"},
    {ModePublish, "Publish", "Show the Publish window.\nPublish"},
    {WindowSettings, "1. Settings", "Show the Settings window.\nSettings"},
    {WindowImport, "2. Import", "Show the Import window.\nImport"},
    {WindowEdit, "3. Edit", "Show the Edit window.\nEdit"},
    {WindowPublish, "4. Publish", "Show the Publish window.\nPublish"},
    {AppAbout, "&About Corvessa...", "Show the program's version and copyright.\nAbout"},
    {SpellCurrentScreen, nullptr, "Check the spelling of the current screen.\nSpell check screen"},
    {SpellProject, nullptr, "Check the spelling of the entire project.\nSpell check project"},
    {AddTextBox, nullptr, "Insert a text box to the current screen.\nInsert textbox"},
    {Bold, nullptr, "Make selected text bold.\nBold"},
    {Italic, nullptr, "Make selected text italic.\nItalic"},
    {Underline, nullptr, "Make selected text underline.\nUnderline"},
    {Strikeout, nullptr, "Strikeout selected text.\nStrikeout"},
    {TextColour, nullptr, "Change color of selected text.\nText color"},
    {Bulleting, nullptr, "Bulleted list on/off\nBulleting"},
    {Numbering, nullptr, "Numbered list on/off\nNumbering"},
    {DecreaseIndent, nullptr, "Decrease text indentation\nDecrease indent"},
    {IncreaseIndent, nullptr, "Increase text indentation\nIncrease indent"},
    {AlignLeft, nullptr, "Align text left\nAlign left"},
    {AlignCentre, nullptr, "Centre text\nCentre"},
    {AlignRight, nullptr, "Align text right\nAlign right"},
    {Justify, nullptr, "Justify text\nJustify"},
    {DrawLine, nullptr, "Draw a new line.\nLine"},
    {DrawRectangle, nullptr, "Draw a new rectangle.\nRectangle"},
    {DrawCircle, nullptr, "Draw a new circle.\nCircle"},
    {FillColour, nullptr, "Change the fill color of the selected shape.\nFill Color"},
    {LineColour, nullptr, "Change the line color of the selected shape.\nLine Color"},
    {LineStyle, nullptr, "Change the line style of the selected shape.\nLine Style"},
    {RecordNarration, nullptr, "Record narration\nRecord narration"},
    {AddScreenMenu, nullptr, "Add screen.\nAdd screen"},
    {AddQuestionMenu, nullptr, "Add a question to the current screen.\nAdd question"},
    {EditQuestion, nullptr, "Edit the question of the current screen.\nEdit question"},
    {AddTable, nullptr, "Add a table to the current screen.\nAdd table"},
    {AddMediaMenu, nullptr, "Add audio, video or other media to the current screen.\nAdd media"},
    {EditGraphicMenu, nullptr, "Add or replace a graphic on the current screen.\nEdit graphic"},
    {AddLink, nullptr, "Link the selection to a screen, a file or a web page.\nAdd link"},
    {PreviewScreen, nullptr, "Preview the current screen in the browser.\nPreview"},
};

// The keys of a command, the first one shown in the menus.
QList<QKeySequence> ShortcutsOf(int commandId)
{
    using K = QKeySequence;
    switch (commandId) {
    case FileNew: return {K(Qt::CTRL | Qt::Key_N)};
    case FileOpen: return {K(Qt::CTRL | Qt::Key_O)};
    case FileSave: return {K(Qt::CTRL | Qt::Key_S)};
    case FileSaveAs: return {K(Qt::CTRL | Qt::SHIFT | Qt::Key_S)};
    case AppExit: return {K(Qt::CTRL | Qt::Key_Q)};
    case EditUndo: return {K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)};
    case EditCut: return {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)};
    case EditCopy: return {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)};
    case EditPaste: return {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)};
    case EditFind: return {K(Qt::CTRL | Qt::Key_F)};
    case WindowSettings:
    case WindowImport:
    case WindowEdit:
    case WindowPublish: return {K(Qt::CTRL | Qt::Key(Qt::Key_1 + commandId - WindowSettings))};
    default: return {};
    }
}

const CommandText *FindCommandText(int commandId)
{
    for (const CommandText &c : kCommandTexts)
        if (c.id == commandId)
            return &c;
    return nullptr;
}

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

// Commands that the Edit view carries out: the frame forwards them and asks it for their state.
const int kForwarded[] = {EditUndo,     EditCut,        EditCopy,       EditPaste,   EditFind,        SpellCurrentScreen,
                          SpellProject, RecordNarration, AddTextBox,    FontName,    FontSize,        Bold,
                          Italic,       Underline,      Strikeout,      TextColour,  Bulleting,       Numbering,
                          DecreaseIndent, IncreaseIndent, AlignLeft,    AlignCentre, AlignRight,      Justify,
                          DrawLine,     DrawRectangle,  DrawCircle,     FillColour,  LineColour,      LineStyle,
                          AddScreenMenu, AddQuestionMenu, EditQuestion, AddTable,    AddMediaMenu,    EditGraphicMenu,
                          AddLink,      PreviewScreen};

// Gives the action the text, tips and keys of its command.
void ApplyCommandText(QAction *action, int commandId)
{
    const CommandText *c = FindCommandText(commandId);
    if (!c)
        return;
    const QString tip = QString::fromLatin1(c->tip);
    const qsizetype cut = tip.indexOf(u'\n');
    const QString status = cut < 0 ? tip : tip.left(cut);
    const QString toolTip = cut < 0 ? tip : tip.mid(cut + 1);
    action->setText(c->text ? QString::fromLatin1(c->text) : toolTip);
    action->setStatusTip(status);
    action->setToolTip(toolTip);
    action->setShortcuts(ShortcutsOf(commandId));
}

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
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    for (int id : {FileNew, FileOpen, FileSave, FileSaveAs})
        m_fileMenu->addAction(MakeAction(id));
    m_fileMenu->addSeparator();
    m_recentAnchor = m_fileMenu->addSeparator();
    QMenu *publish = m_fileMenu->addMenu(QStringLiteral("Publish"));
    publish->menuAction()->setStatusTip(QStringLiteral("Publish the course for one of the four kinds of use."));
    for (int id : {PublishStandaloneMenu, PublishLanMenu, PublishWebMenu, PublishLmsMenu})
        publish->addAction(MakeAction(id));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(MakeAction(AppExit));

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    for (int id : std::initializer_list<int>{EditUndo, 0, EditCut, EditCopy, EditPaste, 0, EditFind}) {
        if (id)
            edit->addAction(MakeAction(id));
        else
            edit->addSeparator();
    }

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    for (int id : std::initializer_list<int>{ViewTabBar, ViewStandardBar, 0, ViewFormattingBar, ViewEditBar, 0,
                                             ViewStatusBar}) {
        if (!id) {
            view->addSeparator();
            continue;
        }
        QAction *action = MakeAction(id);
        action->setCheckable(true);
        view->addAction(action);
    }
    connect(view, &QMenu::aboutToShow, this, &CMainFrame::OnViewMenuAboutToShow);

    QMenu *windows = menuBar()->addMenu(QStringLiteral("&Windows"));
    for (int i = 0; i < kMainViewCount; ++i)
        windows->addAction(MakeAction(WindowSettings + i));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(MakeAction(AppAbout));

    // Every command's state is brought up to date before a menu opens, as the buttons are after each change.
    for (QMenu *menu : {m_fileMenu, edit, windows, help})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
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
    case AppExit: close(); return true;
    default: break;
    }
    if (IsForwardedCommand(commandId)) {
        bool checked = false;
        if (!m_editView || !m_editView->UpdateCommand(commandId, checked))
            return false;
        m_editView->OnCommand(commandId);
        UpdateCommandStates();
        return true;
    }
    return m_app.OnCommand(commandId);
}

void CMainFrame::UpdateCommandStates()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const int id = it.key();
        QAction *action = it.value();
        const int view = CViewSwitcher::ViewIndexOfCommand(id);
        if (view >= 0) {
            action->setEnabled(m_app.IsViewCommandEnabled(view));
        } else if (IsForwardedCommand(id)) {
            bool checked = false;
            action->setEnabled(m_editView && m_editView->UpdateCommand(id, checked));
            if (action->isCheckable())
                action->setChecked(checked);
        }
    }
    bool checked = false;
    m_fontName->setEnabled(m_editView && m_editView->UpdateCommand(FontName, checked));
    m_fontSize->setEnabled(m_editView && m_editView->UpdateCommand(FontSize, checked));
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
