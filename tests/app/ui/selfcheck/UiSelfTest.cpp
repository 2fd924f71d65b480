#include "app/ui/selfcheck/UiSelfTest.h"

#include "app/CommandIds.h"
#include "app/ui/ChildDlgFontsNew.h"
#include "app/ui/ChildDlgGeneral.h"
#include "app/ui/ChildDlgManagement.h"
#include "app/ui/CorvessaApp.h"
#include "app/ui/MainFrame.h"
#include "app/ui/PropPageFonts.h"
#include "app/ui/PublishFrmVw.h"
#include "app/ui/DlgProgress.h"
#include "app/ui/SettingsFrmVw.h"
#include "app/ui/controls/ColorSelectButton.h"
#include "app/ui/controls/ColourPopup.h"
#include "app/ui/controls/DropDownListCtrl.h"
#include "app/ui/controls/ImageStatic.h"
#include "app/ui/controls/LineStylePopup.h"
#include "app/ui/controls/RolloverButton.h"
#include "app/ui/controls/SSplitter.h"
#include "app/ui/XmlLoadingWindow.h"
#include "dialogs/ui/DlgAddLink.h"
#include "dialogs/ui/DlgAutoBackupSetting.h"
#include "dialogs/ui/DlgElementProperties.h"
#include "dialogs/ui/DlgGraphicFromLib.h"
#include "dialogs/ui/DlgLongWait.h"
#include "dialogs/ui/DlgPublishSettings.h"
#include "dialogs/ui/DlgSCORMExitCode.h"
#include "dialogs/ui/DlgSpelling.h"
#include "document/ContentScreenFactory.h"
#include "document/CorvessaDoc.h"
#include "platform/StringTable.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QProgressDialog>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include <functional>
#include <memory>
#include <vector>

namespace CorvUiSelfTest {

namespace {

// The check is a list of steps; each one acts and, after a pause that lets the window system paint, takes
// its picture.
struct Run {
    CCorvessaApp &app;
    QString folder;
    QStringList log;
    std::vector<std::function<void(Run &)>> steps;
    size_t next = 0;
};

QString Saved(Run &run, const QPixmap &picture, const QString &name)
{
    const QString file = QDir(run.folder).filePath(name + QStringLiteral(".png"));
    return QStringLiteral("picture=%1x%2 saved=%3").arg(picture.width()).arg(picture.height()).arg(picture.save(file));
}

void ShootView(Run &run, const QString &name)
{
    CMainFrame *frame = run.app.MainFrame();
    QPixmap picture;
    if (QScreen *screen = frame->screen())
        picture = screen->grabWindow(frame->winId());
    if (picture.isNull())
        picture = frame->grab();
    const QWidget *view = run.app.CurrentView();
    run.log.append(QStringLiteral("%1 view=%2 %3 edit-bar=%4 formatting-bar=%5 %6")
                       .arg(name)
                       .arg(run.app.CurrentViewIndex())
                       .arg(view ? view->objectName() : QStringLiteral("none"))
                       .arg(frame->EditBar()->isVisible())
                       .arg(frame->FormattingBar()->isVisible())
                       .arg(Saved(run, picture, name)));
}

// The menu as the author sees it open over the main window.
void ShootMenu(Run &run, QMenu *menu, const QString &name)
{
    CMainFrame *frame = run.app.MainFrame();
    const QRect area = frame->frameGeometry().united(menu->geometry());
    QPixmap picture;
    if (QScreen *screen = frame->screen())
        picture = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    if (picture.isNull())
        picture = menu->grab();
    run.log.append(QStringLiteral("%1 shown=%2 %3").arg(name).arg(menu->isVisible()).arg(Saved(run, picture, name)));
}

QString Plain(QString text) { return text.remove(u'&'); }

// One line per entry of the menu and its sub-menus: what it says, its keys, whether it can be chosen.
void LogEntries(Run &run, const QMenu *menu, const QString &path)
{
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        run.log.append(QStringLiteral("entry %1: text=\"%2\" key=\"%3\" enabled=%4 tip=\"%5\"")
                           .arg(path, action->text(),
                                QKeySequence::listToString(action->shortcuts(), QKeySequence::PortableText))
                           .arg(action->isEnabled())
                           .arg(action->statusTip()));
        if (action->menu())
            LogEntries(run, action->menu(), path + QStringLiteral(" > ") + Plain(action->text()));
    }
}

// Which of the main window's commands a key reaches: a key that two enabled commands share reaches none.
void LogKey(Run &run, const QKeySequence &key)
{
    QStringList commands;
    for (const QAction *action : run.app.MainFrame()->findChildren<QAction *>())
        if (action->isEnabled() && action->shortcuts().contains(key))
            commands.append(action->objectName());
    run.log.append(QStringLiteral("key %1 reaches=%2").arg(key.toString(QKeySequence::PortableText), commands.join(u',')));
}

void Step(Run *run)
{
    CMainFrame *frame = run->app.MainFrame();
    if (run->next < run->steps.size()) {
        const size_t index = run->next++;
        run->steps[index](*run);
        QTimer::singleShot(400, frame, [run] { Step(run); });
        return;
    }
    QFile out(QDir(run->folder).filePath(QStringLiteral("selftest.txt")));
    if (out.open(QIODevice::WriteOnly))
        out.write(run->log.join(u'\n').toUtf8() + '\n');
    delete run;
    frame->close();
}

void PlanViews(Run &run)
{
    static const char *names[] = {"settings", "import", "edit", "publish"};
    for (int view = 0; view < 4; ++view) {
        run.steps.push_back([view](Run &r) {
            if (view > 0)
                r.app.MainFrame()->Action(CorvCommand::WindowSettings + view)->trigger();
        });
        run.steps.push_back([view](Run &r) { ShootView(r, QString::fromLatin1(names[view])); });
    }
    // The Publish window once more, with the description of a kind shown as the mouse rests on its button.
    run.steps.push_back([](Run &r) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(r.app.PublishView()->Button(CPublishFrmVw::Lms), &enter);
    });
    run.steps.push_back([](Run &r) {
        ShootView(r, QStringLiteral("publish-hover"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(r.app.PublishView()->Button(CPublishFrmVw::Lms), &leave);
    });
    run.steps.push_back([](Run &r) {
        r.app.MainFrame()->Action(CorvCommand::WindowSettings)->trigger();
        r.log.append(QStringLiteral("back view=%1").arg(r.app.CurrentViewIndex()));
        r.log.append(QStringLiteral("title=%1").arg(r.app.MainFrame()->windowHandle()->title()));
    });
}

// The whole screen around the main window, so that an open list shows over it.
void ShootScreen(Run &run, const QString &name)
{
    CMainFrame *frame = run.app.MainFrame();
    QPixmap picture;
    if (QScreen *screen = frame->screen())
        picture = screen->grabWindow(0);
    if (picture.isNull())
        picture = frame->grab();
    run.log.append(QStringLiteral("%1 %2").arg(name, Saved(run, picture, name)));
}

// The Settings window's Fonts page, one of its tabs, and its size list dropped down.
void PlanSettings(Run &run)
{
    run.steps.push_back([](Run &r) {
        QTreeWidget *tree = r.app.SettingsView()->CategoryTree();
        tree->setCurrentItem(tree->topLevelItem(CSettingsFrmVw::Fonts));
    });
    run.steps.push_back([](Run &r) {
        r.log.append(QStringLiteral("settings page=%1").arg(r.app.SettingsView()->VisibleCategory()));
        ShootView(r, QStringLiteral("settings-fonts"));
    });
    run.steps.push_back([](Run &r) { r.app.SettingsView()->FontsPage()->Sheet()->setCurrentIndex(1); });
    run.steps.push_back([](Run &r) { ShootView(r, QStringLiteral("settings-fonts-course-name")); });
    run.steps.push_back([](Run &r) { r.app.SettingsView()->FontsPage()->StylePage(1)->SizeBox()->showPopup(); });
    run.steps.push_back([](Run &r) {
        ShootScreen(r, QStringLiteral("settings-fonts-size-open"));
        r.app.SettingsView()->FontsPage()->StylePage(1)->SizeBox()->hidePopup();
        QTreeWidget *tree = r.app.SettingsView()->CategoryTree();
        tree->setCurrentItem(tree->topLevelItem(CSettingsFrmVw::General));
    });
}

// The Settings pages of the course's identity, look and construction, each pictured as the author opens
// it; the General page once more with its LOM editor unfolded.
void PlanSettingsPages(Run &run)
{
    static const std::pair<int, const char *> pages[] = {
        {CSettingsFrmVw::General, "general"},   {CSettingsFrmVw::Themes, "themes"},
        {CSettingsFrmVw::Background, "background"}, {CSettingsFrmVw::Templates, "templates"},
        {CSettingsFrmVw::Graphics, "graphics"}, {CSettingsFrmVw::Construction, "construction"},
    };
    for (const auto &page : pages) {
        const int category = page.first;
        const char *name = page.second;
        run.steps.push_back([category](Run &r) {
            QTreeWidget *tree = r.app.SettingsView()->CategoryTree();
            tree->setCurrentItem(tree->topLevelItem(category));
        });
        run.steps.push_back([category, name](Run &r) {
            r.log.append(QStringLiteral("settings-%1 page=%2").arg(QString::fromLatin1(name)).arg(r.app.SettingsView()->VisibleCategory() == category));
            ShootView(r, QStringLiteral("settings-") + QString::fromLatin1(name));
        });
    }
    run.steps.push_back([](Run &r) {
        QTreeWidget *tree = r.app.SettingsView()->CategoryTree();
        tree->setCurrentItem(tree->topLevelItem(CSettingsFrmVw::General));
        if (auto *general = dynamic_cast<CChildDlgGeneral *>(r.app.SettingsView()->Page(CSettingsFrmVw::General)))
            general->OpenMetadataPanel();
    });
    run.steps.push_back([](Run &r) {
        ShootView(r, QStringLiteral("settings-general-lom"));
        if (auto *general = dynamic_cast<CChildDlgGeneral *>(r.app.SettingsView()->Page(CSettingsFrmVw::General)))
            general->CloseMetadataPanel();
    });
}

// The Settings window's management (with each tab of its sheet), assessment, buttons, interactivity and
// paragraph-question pages.
void PlanManagementPages(Run &run)
{
    const std::pair<int, int> pages[] = {
        {CSettingsFrmVw::Management, 0}, {CSettingsFrmVw::Management, 1}, {CSettingsFrmVw::Management, 2},
        {CSettingsFrmVw::Assessment, 0}, {CSettingsFrmVw::Buttons, 0}, {CSettingsFrmVw::Interactivity, 0},
        {CSettingsFrmVw::Questions, 0},
    };
    for (const auto &[category, tab] : pages) {
        run.steps.push_back([category, tab](Run &r) {
            QTreeWidget *tree = r.app.SettingsView()->CategoryTree();
            tree->setCurrentItem(tree->topLevelItem(category));
            if (auto *management = qobject_cast<CChildDlgManagement *>(r.app.SettingsView()->Page(category)))
                management->Sheet()->setCurrentIndex(tab);
        });
        run.steps.push_back([category, tab](Run &r) {
            static const char *const tabs[] = {"", "-web", "-lms"};
            const QString name = CStringTable::Load(10000 + category).toLower() + QString::fromLatin1(tabs[tab]);
            ShootView(r, QStringLiteral("settings-") + name);
        });
    }
    run.steps.push_back([](Run &r) {
        QTreeWidget *tree = r.app.SettingsView()->CategoryTree();
        tree->setCurrentItem(tree->topLevelItem(CSettingsFrmVw::General));
    });
}

// The custom controls of the windows, each shown in a window of their own and opened as the author opens
// them: the colour palette and the line widths dropped down, a list cell and a browse cell being edited.
struct Gallery {
    QPointer<QWidget> window;
    CColorSelectButton *colour = nullptr;
    CRolloverButton *rollover = nullptr;
    CDropDownListCtrl *list = nullptr;
    CImageStatic *picture = nullptr;
    CSSplitter *splitter = nullptr;
    QPointer<CColourPopup> colourPopup;
    QPointer<CLineStylePopup> widthPopup;
    QString result;
};

QImage GalleryPicture()
{
    QImage picture(320, 200, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 320, 200);
    gradient.setColorAt(0, QColor(40, 90, 160));
    gradient.setColorAt(1, QColor(240, 200, 80));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(Qt::white);
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("320 x 200"));
    return picture;
}

void BuildGallery(Gallery &g)
{
    auto *window = new QWidget(nullptr, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("Custom controls"));
    window->setObjectName(QStringLiteral("ControlsGallery"));
    auto *grid = new QGridLayout(window);
    g.colour = new CColorSelectButton(window);
    g.colour->SetColor(0x2080C0);
    g.colour->setAccessibleName(QStringLiteral("Text colour"));
    g.rollover = new CRolloverButton(QStringLiteral("LMS"), window);
    g.rollover->SetControlId(1);
    auto *description = new QLabel(window);
    description->setAccessibleName(QStringLiteral("Description"));
    QObject::connect(g.rollover, &CRolloverButton::rolloverHover, description,
                     [description](int) { description->setText(QStringLiteral("Publishes for a learning management system")); });
    QObject::connect(g.rollover, &CRolloverButton::rolloverLeave, description, &QLabel::clear);
    g.list = new CDropDownListCtrl(window);
    g.list->setColumnCount(4);
    g.list->setHorizontalHeaderLabels({QStringLiteral("Topic"), QStringLiteral("Assessable"), QStringLiteral("Document"),
                                       QStringLiteral("Screens")});
    g.list->setRowCount(4);
    const char *topics[] = {"Welcome", "Safety at work", "Fire drill", "Summary"};
    for (int row = 0; row < 4; ++row) {
        g.list->SetCellText(row, 0, QString::fromLatin1(topics[row]));
        g.list->SetCellText(row, 1, row % 2 ? QStringLiteral("true") : QStringLiteral("false"));
        g.list->SetCellText(row, 2, QStringLiteral("/home/author/course/topic%1.docx").arg(row + 1));
        g.list->SetCellText(row, 3, QString::number(row * 3 + 2));
    }
    g.list->SetCheckColumn(1, true);
    g.list->SetBrowseColumn(2, true);
    g.list->SetReadOnlyColumn(3, true);
    g.list->setColumnWidth(2, 220);
    g.list->setMinimumSize(560, 150);
    g.picture = new CImageStatic(window);
    g.picture->SetStretch(false);
    g.picture->SetBitmap(GalleryPicture());
    g.picture->setMinimumSize(240, 120);
    auto *panes = new QWidget(window);
    panes->setMinimumSize(300, 120);
    auto *left = new QLabel(QStringLiteral("Navigator"));
    auto *right = new QLabel(QStringLiteral("Canvas"));
    for (QLabel *pane : {left, right}) {
        pane->setAutoFillBackground(true);
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameShape(QFrame::Box);
    }
    g.splitter = new CSSplitter(panes);
    g.splitter->Create(CSSplitter::VerticalSplit, panes, left, right, 1, QRect(0, 0, 300, 120), 60, 60);
    grid->addWidget(g.colour, 0, 0);
    grid->addWidget(g.rollover, 0, 1);
    grid->addWidget(description, 0, 2);
    grid->addWidget(g.list, 1, 0, 1, 3);
    grid->addWidget(g.picture, 2, 0, 1, 2);
    grid->addWidget(panes, 2, 2);
    g.window = window;
    window->show();
    window->activateWindow();
}

void ShootControl(Run &run, const QString &name, const QString &state)
{
    CMainFrame *frame = run.app.MainFrame();
    QPixmap picture;
    if (QScreen *screen = frame->screen())
        picture = screen->grabWindow(0);
    run.log.append(QStringLiteral("%1 %2 %3").arg(name, state, Saved(run, picture, name)));
}

void PlanControls(Run &run)
{
    auto g = std::make_shared<Gallery>();
    // The pointer rests on the rollover button, whose host shows what it does, before the picture.
    run.steps.push_back([g](Run &) {
        BuildGallery(*g);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(g->rollover, &enter);
    });
    run.steps.push_back([g](Run &r) {
        ShootControl(r, QStringLiteral("controls"), QStringLiteral("hovering=%1").arg(g->rollover->IsHovering()));
    });
    // The palette dropped down from the colour button, walked by keys to the second cell.
    run.steps.push_back([g](Run &) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(g->rollover, &leave);
        const QPoint below = g->colour->mapToGlobal(QPoint(0, g->colour->height()));
        g->colourPopup = new CColourPopup(below, g->colour->GetColor(), g->colour, QStringLiteral("Automatic"),
                                          QStringLiteral("More Colors"));
        QObject::connect(g->colourPopup, &CColourPopup::selected, g->colour, [g](uint32_t colour, bool isDefault) {
            g->result = QStringLiteral("selected=%1 default=%2").arg(colour, 6, 16, QChar(u'0')).arg(isDefault);
            g->colour->SetColor(colour);
        });
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(g->colourPopup, &press);
        }
    });
    run.steps.push_back([g](Run &r) {
        ShootControl(r, QStringLiteral("controls-colour-popup"),
                     QStringLiteral("shown=%1 highlighted=%2")
                         .arg(g->colourPopup && g->colourPopup->isVisible())
                         .arg(g->colourPopup ? g->colourPopup->accessibleDescription() : QString()));
        if (g->colourPopup) {
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(g->colourPopup, &enter);
        }
        r.log.append(QStringLiteral("controls-colour %1").arg(g->result));
    });
    // The line widths dropped down, walked to 3 pt.
    run.steps.push_back([g](Run &) {
        const QPoint below = g->colour->mapToGlobal(QPoint(g->colour->width(), g->colour->height()));
        g->widthPopup = new CLineStylePopup(below, 1, g->window);
        QObject::connect(g->widthPopup, &CLineStylePopup::selected, g->window,
                         [g](int width) { g->result = QStringLiteral("width=%1").arg(width); });
        for (int i = 0; i < 2; ++i) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
            QApplication::sendEvent(g->widthPopup, &down);
        }
    });
    run.steps.push_back([g](Run &r) {
        ShootControl(r, QStringLiteral("controls-line-width"),
                     QStringLiteral("shown=%1").arg(g->widthPopup && g->widthPopup->isVisible()));
        if (g->widthPopup) {
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(g->widthPopup, &enter);
        }
        r.log.append(QStringLiteral("controls-line %1").arg(g->result));
    });
    // A topic cell edited in place, then a document cell with its browse button.
    run.steps.push_back([g](Run &) {
        g->list->setFocus();
        g->list->setCurrentCell(1, 0);
        QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
        QApplication::sendEvent(g->list, &f2);
    });
    run.steps.push_back([g](Run &r) {
        ShootControl(r, QStringLiteral("controls-list-edit"), QStringLiteral("editor=%1").arg(g->list->ActiveEditor() != nullptr));
        g->list->EndActiveEdit();
        g->list->setCurrentCell(2, 2);
        QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
        QApplication::sendEvent(g->list, &f2);
    });
    run.steps.push_back([g](Run &r) {
        QWidget *editor = g->list->ActiveEditor();
        ShootControl(r, QStringLiteral("controls-list-browse"),
                     QStringLiteral("browse=%1").arg(editor ? editor->metaObject()->className() : "none"));
        g->list->EndActiveEdit();
        if (g->window)
            g->window->close();
        r.app.MainFrame()->activateWindow();
    });
}

void PlanMenus(Run &run)
{
    const QList<QAction *> menus = run.app.MainFrame()->menuBar()->actions();
    for (qsizetype i = 0; i < menus.size(); ++i) {
        QMenu *menu = menus[i]->menu();
        if (!menu)
            continue;
        const QString name = QStringLiteral("menu-%1").arg(Plain(menus[i]->text()).toLower());
        run.steps.push_back([action = menus[i]](Run &r) {
            // Opened from the menu bar, as a click would, so the entries' states are brought up to date.
            r.app.MainFrame()->menuBar()->setActiveAction(action);
        });
        run.steps.push_back([menu, name, title = Plain(menus[i]->text())](Run &r) {
            ShootMenu(r, menu, name);
            LogEntries(r, menu, title);
            menu->hide();
        });
    }
    run.steps.push_back([](Run &r) {
        using K = QKeySequence;
        for (const K &key : {K(Qt::CTRL | Qt::Key_N), K(Qt::CTRL | Qt::Key_O), K(Qt::CTRL | Qt::Key_S)})
            LogKey(r, key);
    });
}

// Each small dialog as the author meets it, pictured on its own and closed again.
void ShootDialog(Run &run, QWidget *dialog, const QString &name)
{
    QPixmap picture;
    if (QScreen *screen = dialog->screen())
        picture = screen->grabWindow(dialog->winId());
    if (picture.isNull() || picture.width() < 10)
        picture = dialog->grab();
    run.log.append(QStringLiteral("%1 shown=%2 %3").arg(name).arg(dialog->isVisible()).arg(Saved(run, picture, name)));
    dialog->close();
    dialog->deleteLater();
}

void PlanDialog(Run &run, const QString &name, std::function<QWidget *(Run &)> make)
{
    auto shown = std::make_shared<QPointer<QWidget>>();
    run.steps.push_back([make, shown](Run &r) {
        QWidget *dialog = make(r);
        dialog->show();
        dialog->raise();
        *shown = dialog;
    });
    run.steps.push_back([name, shown](Run &r) {
        if (*shown)
            ShootDialog(r, *shown, name);
    });
}

void PlanDialogs(Run &run)
{
    static QString lastFolder;
    PlanDialog(run, QStringLiteral("dialog-publish-settings"), [](Run &r) {
        auto *dialog = new CDlgPublishSettings(r.app.MainFrame(), lastFolder);
        dialog->values.rows[0] = {QStringLiteral("/home/author/Published/Standalone"), 0};
        dialog->values.rows[1] = {QString(), 1};
        dialog->values.rows[3] = {QStringLiteral("/home/author/Published/LMS"), 0};
        dialog->ShowValues();
        return dialog;
    });
    PlanDialog(run, QStringLiteral("dialog-auto-backup"), [](Run &r) {
        auto *dialog = new CDlgAutoBackupSetting(r.app.MainFrame());
        dialog->values = r.app.Document()->AutoBackupSettings;
        dialog->ShowValues();
        return dialog;
    });
    PlanDialog(run, QStringLiteral("dialog-element-properties"), [](Run &r) {
        auto *dialog = new CDlgElementProperties(r.app.MainFrame());
        dialog->values = {20, 10, 300, 200};
        dialog->ShowValues();
        return dialog;
    });
    PlanDialog(run, QStringLiteral("dialog-scorm-exit"), [](Run &r) {
        auto *dialog = new CDlgSCORMExitCode(r.app.MainFrame());
        dialog->scorm12Flag = 2;
        dialog->value = QStringLiteral("\"suspend\"");
        dialog->ShowValues();
        return dialog;
    });
    PlanDialog(run, QStringLiteral("dialog-spelling"), [](Run &r) {
        auto *dialog = new CDlgSpelling(r.app.MainFrame());
        dialog->SetQuery({QStringLiteral("teh"), {QStringLiteral("the"), QStringLiteral("ten"), QStringLiteral("tea")},
                          QStringLiteral("Read teh instructions before you start.")});
        return dialog;
    });
    PlanDialog(run, QStringLiteral("dialog-add-link"), [](Run &r) {
        auto *dialog = new CDlgAddLink(*r.app.Document(), r.app.MainFrame());
        dialog->values.selectedText = QStringLiteral("exit routes");
        dialog->ShowValues();
        return dialog;
    });
    PlanDialog(run, QStringLiteral("dialog-replace-link-text"), [](Run &r) {
        auto *dialog = new CDlgUpdateLinkText(r.app.MainFrame());
        dialog->TextEdit()->setText(QStringLiteral("Exit routes"));
        return dialog;
    });
    PlanDialog(run, QStringLiteral("dialog-long-wait"), [](Run &) {
        auto *dialog = new CDlgLongWait;
        dialog->SetMessage(QStringLiteral("Reading the presentation. Please wait..."));
        dialog->CreateModeless();
        return dialog;
    });
    PlanDialog(run, QStringLiteral("dialog-xml-loading"), [](Run &) {
        auto *dialog = new CDlgXMLLoading;
        dialog->CreateAndShow();
        return dialog;
    });
    PlanDialog(run, QStringLiteral("dialog-add-graphic-from-library"), [](Run &r) {
        auto *dialog = new CDlgInsertGraphicFromLib(r.app.Context(), r.app.MainFrame());
        dialog->KindBox(3)->setChecked(true);
        dialog->KeywordBox(0)->setText(QStringLiteral("star"));
        dialog->Search();
        return dialog;
    });
    auto progress = std::make_shared<std::unique_ptr<CDlgProgress>>();
    run.steps.push_back([progress](Run &r) {
        *progress = std::make_unique<CDlgProgress>(r.app.MainFrame());
        (*progress)->SetRange(0, 10);
        (*progress)->SetText(QStringLiteral("Saving screen: 3 Introduction"));
        for (int i = 0; i < 4; ++i)
            (*progress)->StepIt();
    });
    run.steps.push_back([progress](Run &r) {
        QWidget *window = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<QProgressDialog *>(w) && w->isVisible())
                window = w;
        if (window) {
            const QPixmap picture = window->grab();
            r.log.append(QStringLiteral("dialog-progress shown=1 %1").arg(Saved(r, picture, QStringLiteral("dialog-progress"))));
        } else {
            r.log.append(QStringLiteral("dialog-progress shown=0"));
        }
        progress->reset();
    });
}

// The Edit window with a small course of content screens: its thumbnails, then its outline.
void PlanEditWindow(Run &run)
{
    run.steps.push_back([](Run &r) {
        CCorvessaDoc &doc = *r.app.Document();
        CContentScreenFactory factory(doc);
        CCorvPage *after = nullptr;
        const char *screens[][2] = {{"1", "Welcome"}, {"1_1", "Exits"},  {"1_2", "Alarms"},
                                    {"2", "Drills"},  {"2_1", "Fire drill"}, {"3", "Summary"}};
        int layout = 0;
        for (const auto &[label, title] : screens)
            after = factory.AddContentScreenTemplate(layout++ % CContentScreenFactory::kTemplateCount,
                                                     QString::fromLatin1(title), QString::fromLatin1(label), after, 1, 1);
        doc.UpdateAllViews();
        // Shown, not the author's: leaving asks nothing.
        doc.SetModifiedFlag(false);
        r.app.MainFrame()->Action(CorvCommand::WindowSettings + 2)->trigger();
    });
    run.steps.push_back([](Run &r) {
        ShootView(r, QStringLiteral("edit-project"));
        if (auto *tabs = r.app.CurrentView()->findChild<QTabWidget *>(QStringLiteral("Navigator")))
            tabs->setCurrentIndex(1);
    });
    run.steps.push_back([](Run &r) { ShootView(r, QStringLiteral("edit-project-tree")); });
}

} // namespace

bool ScheduleFromEnvironment(CCorvessaApp &app)
{
    const QString folder = qEnvironmentVariable(kVariable);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    auto *run = new Run{app, folder, {}, {}, 0};
    PlanViews(*run);
    PlanSettings(*run);
    PlanSettingsPages(*run);
    PlanManagementPages(*run);
    PlanControls(*run);
    PlanMenus(*run);
    PlanDialogs(*run);
    PlanEditWindow(*run);
    QTimer::singleShot(600, app.MainFrame(), [run] { Step(run); });
    return true;
}

} // namespace CorvUiSelfTest
