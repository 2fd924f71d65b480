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
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>

using namespace CorvCommand;

namespace {

using BarButton = CMainFrame::BarButton;

const BarButton kStandardButtons[] = {
    {FileNew, "Create a new project.\nNew Project"},
    {FileOpen, "Open an existing project.\nOpen Project"},
    {FileSave, "Save the project.\nSave Project"},
    {0, nullptr},
    {EditCut, "Cut the selection to the clipboard.\nCut"},
    {EditCopy, "Copy the selection to the clipboard.\nCopy"},
    {EditPaste, "Insert the contents of the clipboard.\nPaste"},
    {0, nullptr},
    {SpellCurrentScreen, "Check the spelling of the current screen.\nSpell check screen"},
    {SpellProject, "Check the spelling of the entire project.\nSpell check project"},
};

// The formatting bar; the two font boxes stand where their commands are.
const BarButton kFormattingButtons[] = {
    {AddTextBox, "Insert a text box to the current screen.\nInsert textbox"},
    {0, nullptr},
    {FontName, "Change the font name of the selected text.\nFont  name"},
    {FontSize, "Change size of selected font.\nFont size"},
    {0, nullptr},
    {Bold, "Make selected text bold.\nBold"},
    {Italic, "Make selected text italic.\nItalic"},
    {Underline, "Make selected text underline.\nUnderline"},
    {0, nullptr},
    {Strikeout, "Strikeout selected text.\nStrikeout"},
    {TextColour, "Change color of selected text.\nText color"},
    {0, nullptr},
    {Bulleting, "Bulleted list on/off\nBulleting"},
    {0, nullptr},
    {Numbering, "Numbered list on/off\nNumbering"},
    {DecreaseIndent, "Decrease text indentation\nDecrease indent"},
    {IncreaseIndent, "Increase text indentation\nIncrease indent"},
    {AlignLeft, "Align text left\nAlign left"},
    {AlignCentre, "Centre text\nCentre"},
    {AlignRight, "Align text right\nAlign right"},
    {Justify, "Justify text\nJustify"},
    {0, nullptr},
    {DrawLine, "Draw a new line.\nLine"},
    {DrawRectangle, "Draw a new rectangle.\nRectangle"},
    {DrawCircle, "Draw a new circle.\nCircle"},
    {0, nullptr},
    {FillColour, "\nFill Color"},
    {LineColour, "\nLine Color"},
    {LineStyle, "\nLine Style"},
    {0, nullptr},
    {RecordNarration, "Record narration\nRecord narration"},
};

const BarButton kEditButtons[] = {
    {AddScreenMenu, "Add screen.\nAdd screen"},
    {0, nullptr},
    {AddQuestionMenu, "\nAdd question"},
    {EditQuestion, "\nEdit question"},
    {AddTable, "\nAdd table"},
    {AddMediaMenu, "\nAdd media"},
    {EditGraphicMenu, "\nEdit graphic"},
    {AddLink, "\nAdd link"},
    {PreviewScreen, "\nPreview"},
};

// Commands that the Edit view carries out: the frame forwards them and asks it for their state.
const int kForwarded[] = {EditUndo,     EditCut,        EditCopy,       EditPaste,   EditFind,        SpellCurrentScreen,
                          SpellProject, RecordNarration, AddTextBox,    FontName,    FontSize,        Bold,
                          Italic,       Underline,      Strikeout,      TextColour,  Bulleting,       Numbering,
                          DecreaseIndent, IncreaseIndent, AlignLeft,    AlignCentre, AlignRight,      Justify,
                          DrawLine,     DrawRectangle,  DrawCircle,     FillColour,  LineColour,      LineStyle,
                          AddScreenMenu, AddQuestionMenu, EditQuestion, AddTable,    AddMediaMenu,    EditGraphicMenu,
                          AddLink,      PreviewScreen};

void ApplyTip(QAction *action, const char *tip)
{
    const QString text = QString::fromLatin1(tip);
    const qsizetype cut = text.indexOf(u'\n');
    action->setStatusTip(cut < 0 ? text : text.left(cut));
    action->setToolTip(cut < 0 ? text : text.mid(cut + 1));
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

QAction *CMainFrame::MakeAction(int commandId, const QString &text, const QKeySequence &shortcut)
{
    QAction *action = m_actions.value(commandId);
    if (!action) {
        action = new QAction(text, this);
        action->setObjectName(QStringLiteral("Command%1").arg(commandId));
        action->setShortcut(shortcut);
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
    const char *names[] = {"Settings", "Import", "Edit", "Publish"};
    for (int i = 0; i < kMainViewCount; ++i) {
        QAction *action = MakeAction(ModeSettings + i, QString::fromLatin1(names[i]));
        action->setToolTip(QString::fromLatin1(names[i]));
        m_modeBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_modeBar);
    addToolBarBreak(Qt::TopToolBarArea);
    return m_modeBar->LoadToolBarImages(128, CorvToolbarArt::ModeBarStrip(false), CorvToolbarArt::ModeBarStrip(false),
                                        CorvToolbarArt::ModeBarStrip(true));
}

void CMainFrame::AddButtons(QToolBar *bar, std::span<const BarButton> buttons, bool drawnIcons,
                            const std::function<bool(int)> &placeBox)
{
    for (const BarButton &b : buttons) {
        if (!b.id) {
            bar->addSeparator();
            continue;
        }
        if (placeBox && placeBox(b.id))
            continue;
        QAction *action = MakeAction(b.id, {});
        ApplyTip(action, b.tip);
        if (drawnIcons)
            action->setIcon(CorvToolbarArt::CommandIcon(b.id));
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
    m_fileMenu->addAction(MakeAction(FileNew, QStringLiteral("&New Project"), QKeySequence(Qt::CTRL | Qt::Key_N)));
    m_fileMenu->addAction(MakeAction(FileOpen, QStringLiteral("&Open Project..."), QKeySequence(Qt::CTRL | Qt::Key_O)));
    m_fileMenu->addAction(MakeAction(FileSave, QStringLiteral("&Save Project"), QKeySequence(Qt::CTRL | Qt::Key_S)));
    m_fileMenu->addAction(MakeAction(FileSaveAs, QStringLiteral("Save Project &as..."), QKeySequence::SaveAs));
    m_fileMenu->addSeparator();
    m_recentAnchor = m_fileMenu->addSeparator();
    QMenu *publish = m_fileMenu->addMenu(QStringLiteral("Publish"));
    publish->addAction(MakeAction(PublishStandaloneMenu, QStringLiteral("Standalone")));
    publish->addAction(MakeAction(PublishLanMenu, QStringLiteral("LAN-based database")));
    publish->addAction(MakeAction(PublishWebMenu, QStringLiteral("Web-based database")));
    publish->addAction(MakeAction(PublishLmsMenu, QStringLiteral("LMS")));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(MakeAction(AppExit, QStringLiteral("E&xit"), QKeySequence::Quit));
    // The standard bar's buttons carry their menu texts too.
    Action(FileNew)->setIconText(QStringLiteral("New Project"));

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(MakeAction(EditUndo, {}));
    Action(EditUndo)->setText(QStringLiteral("&Undo"));
    Action(EditUndo)->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    edit->addSeparator();
    const struct { int id; const char *text; QList<QKeySequence> keys; } clipboard[] = {
        {EditCut, "Cu&t", {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
        {EditCopy, "&Copy", {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {EditPaste, "&Paste", {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
    };
    for (const auto &c : clipboard) {
        Action(c.id)->setText(QString::fromLatin1(c.text));
        Action(c.id)->setShortcuts(c.keys);
        edit->addAction(Action(c.id));
    }
    edit->addSeparator();
    edit->addAction(MakeAction(EditFind, QStringLiteral("&Find..."), QKeySequence(Qt::CTRL | Qt::Key_F)));

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    const struct { int id; const char *text; } toggles[] = {
        {ViewTabBar, "&Tab bar"}, {ViewStandardBar, "Stan&dard toolbar"}, {0, nullptr},
        {ViewFormattingBar, "&Formatting and drawing toolbar"}, {ViewEditBar, "&Edit toolbar"}, {0, nullptr},
        {ViewStatusBar, "&Status Bar"},
    };
    for (const auto &t : toggles) {
        if (!t.id) {
            view->addSeparator();
            continue;
        }
        QAction *action = MakeAction(t.id, QString::fromLatin1(t.text));
        action->setCheckable(true);
        view->addAction(action);
    }
    connect(view, &QMenu::aboutToShow, this, &CMainFrame::OnViewMenuAboutToShow);

    QMenu *windows = menuBar()->addMenu(QStringLiteral("&Windows"));
    const char *names[] = {"1. Settings", "2. Import", "3. Edit", "4. Publish"};
    for (int i = 0; i < kMainViewCount; ++i)
        windows->addAction(MakeAction(WindowSettings + i, QString::fromLatin1(names[i]),
                                      QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i))));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(MakeAction(AppAbout, QStringLiteral("&About Corvessa...")));

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
        none->setEnabled(false);
        m_fileMenu->insertAction(m_recentAnchor, none);
        m_recentActions.append(none);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        auto *action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QString(files[i]).replace(u'&', QLatin1String("&&"))), m_fileMenu);
        action->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
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
