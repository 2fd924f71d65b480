#include "AppFixture.h"

#include "app/CommandIds.h"
#include "app/ViewSwitcher.h"
#include "app/ui/ChildDlgThemes.h"
#include "app/ui/MainFrame.h"
#include "app/ui/SettingsFrmVw.h"
#include "app/ui/controls/SSplitter.h"
#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "editor/OutlineRules.h"
#include "editor/ui/DragDropListCtrl.h"
#include "editor/ui/DragDropTreeCtrl.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/PropertySheetView.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/ScrollViewEx.h"
#include "editor/ui/WndTextbox.h"
#include "editor/ui/ThumbListModel.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QSplitter>
#include <QTest>

#include <gtest/gtest.h>
#include <iostream>

namespace {

QTreeWidgetItem *FindRow(QTreeWidget *tree, const QString &title)
{
    const QList<QTreeWidgetItem *> rows = tree->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
    return rows.isEmpty() ? nullptr : rows.first();
}

// Carries a drag to the point of the viewport as the author's mouse does: enter, move over it, drop. True
// when the widget accepted the drop.
bool DragTo(QWidget *viewport, const QMimeData *mime, const QPoint &point, Qt::DropAction action)
{
    QDragEnterEvent enter(point, action, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(point, action, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    if (!move.isAccepted())
        return false;
    QDropEvent drop(QPointF(point), action, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    return drop.isAccepted();
}

// Drags the row onto the left part of the target's label, or onto the right end of its row.
bool DragRow(CDragDropTreeCtrl *tree, QTreeWidgetItem *row, QTreeWidgetItem *target, bool rightPart)
{
    std::unique_ptr<QMimeData> mime(tree->model()->mimeData({tree->indexFromItem(row)}));
    const QRect rect = tree->visualItemRect(target);
    const int labelLeft = rect.left() + tree->iconSize().width() + 4;
    const QPoint point(rightPart ? rect.right() - 2 : labelLeft + 1, rect.center().y());
    return DragTo(tree->viewport(), mime.get(), point, Qt::MoveAction);
}

bool DragThumbnail(CDragDropListCtrl *list, int from, int to)
{
    std::unique_ptr<QMimeData> mime(list->model()->mimeData({list->model()->index(from, 0)}));
    const QPoint point = list->visualRect(list->model()->index(to, 0)).center();
    return DragTo(list->viewport(), mime.get(), point, Qt::MoveAction);
}

// Drops one of the outline page's drag buttons on the row.
bool DropButton(CDragDropTreeCtrl *tree, const QByteArray &kind, QTreeWidgetItem *target)
{
    QMimeData mime;
    mime.setData(QString::fromLatin1(CDragDropTreeCtrl::kNewMime), kind);
    return DragTo(tree->viewport(), &mime, tree->visualItemRect(target).center(), Qt::CopyAction);
}

struct EditWindow {
    AppFixture f;
    std::unique_ptr<CCorvessaApp> app;
    CEditFrmVw *view = nullptr;
    QString path;

    EditWindow()
    {
        path = f.WriteProject("courses/Fire.kvx", {{"1", "Welcome", pt_folder},
                                                   {"1_1", "Exits", pt_document},
                                                   {"1_2", "Alarms", pt_document},
                                                   {"2", "Drills topic", pt_folder},
                                                   {"2_1", "Drills", pt_question}});
        app = f.Start({"corvessa", path});
        view = app->EditView();
        app->OnViewEdit();
        view->resize(900, 600);
        QApplication::processEvents();
    }
};

} // namespace

// Guards opening a project in the Edit window: the outline nests the screens by label, every screen with a
// picture has one thumbnail captioned by position, and the first screen is current.
TEST(EditWindow, OpensAProjectWithOutlineAndThumbnails)
{
    EditWindow w;
    ASSERT_TRUE(w.view->isVisible());
    QTreeWidget *outline = w.view->OutlineWidget();
    ASSERT_EQ(outline->topLevelItemCount(), 2);
    EXPECT_EQ(outline->topLevelItem(0)->text(0), "Welcome");
    ASSERT_EQ(outline->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(outline->topLevelItem(1)->child(0)->text(0), "Drills");
    CDragDropListCtrl *thumbs = w.view->ThumbnailList();
    ASSERT_EQ(thumbs->model()->rowCount(), 5);
    QStringList captions;
    for (int i = 0; i < 5; ++i)
        captions << thumbs->model()->index(i, 0).data().toString();
    EXPECT_EQ(captions.join(' '), "1 2 3 4 5");
    const QImage picture = thumbs->model()->index(0, 0).data(Qt::DecorationRole).value<QImage>();
    EXPECT_EQ(picture.size(), QSize(100, 70));
    ASSERT_TRUE(w.view->GetCurrentPage());
    EXPECT_EQ(w.view->GetCurrentPage()->GetTitle(), "Welcome");
    EXPECT_EQ(thumbs->currentIndex().row(), 0);
    EXPECT_EQ(w.view->Navigator()->tabText(0), "Thumbs");
    EXPECT_EQ(w.view->Navigator()->tabText(1), "Tree");

    QDir().mkpath(QStringLiteral("screenshots"));
    w.view->grab().save(QStringLiteral("screenshots/edit-window.png"));
}

// Guards choosing the current screen: a click on a thumbnail, the arrow keys in the thumbnail list and in the
// outline each switch it, and the other navigator page follows.
TEST(EditWindow, ClicksAndKeysChangeTheCurrentScreen)
{
    EditWindow w;
    CDragDropListCtrl *thumbs = w.view->ThumbnailList();
    const QRect third = thumbs->visualRect(thumbs->model()->index(2, 0));
    QTest::mouseClick(thumbs->viewport(), Qt::LeftButton, {}, third.center());
    ASSERT_TRUE(w.view->GetCurrentPage());
    EXPECT_EQ(w.view->GetCurrentPage()->GetTitle(), "Alarms");
    EXPECT_EQ(w.view->Tree()->currentItem()->text(0), "Alarms");

    thumbs->setFocus();
    QTest::keyClick(thumbs, Qt::Key_End);
    EXPECT_EQ(w.view->GetCurrentPage()->GetTitle(), "Drills");

    w.view->Navigator()->setCurrentIndex(1);
    CDragDropTreeCtrl *tree = w.view->Tree();
    EXPECT_EQ(tree->currentItem()->text(0), "Drills");
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Up);
    EXPECT_EQ(w.view->GetCurrentPage()->GetTitle(), "Drills topic");
    EXPECT_EQ(thumbs->currentIndex().row(), 3);
    QTest::keyClick(tree, Qt::Key_Home);
    EXPECT_EQ(w.view->GetCurrentPage()->GetTitle(), "Welcome");
}

// Guards a drag in the outline: a screen dropped after a screen of another topic moves there, the labels
// and thumbnails follow, and the saved project has it there.
TEST(EditWindow, DraggingAScreenToAnotherTopicIsSaved)
{
    EditWindow w;
    w.view->Navigator()->setCurrentIndex(1);
    CDragDropTreeCtrl *tree = w.view->Tree();
    QApplication::processEvents();
    // Refused: a folder onto its own screen.
    EXPECT_FALSE(DragRow(tree, FindRow(tree, "Welcome"), FindRow(tree, "Exits"), false));
    ASSERT_TRUE(DragRow(tree, FindRow(tree, "Alarms"), FindRow(tree, "Drills"), false));
    QTreeWidgetItem *topic = FindRow(tree, "Drills topic");
    ASSERT_EQ(topic->childCount(), 2);
    EXPECT_EQ(topic->child(1)->text(0), "Alarms");
    EXPECT_EQ(CDragDropTreeCtrl::OutlineItemOf(topic->child(1))->screen->GetLabel(), "2_2");
    EXPECT_EQ(w.view->ThumbnailList()->model()->index(4, 0).data(Qt::ToolTipRole).toString(), "Alarms");
    EXPECT_TRUE(w.app->Document()->IsModified());

    ASSERT_TRUE(CProjectFile::Save(*w.app->Document(), w.path));
    CCorvContext context;
    context.prompt = &w.f.prompt;
    CCorvessaDoc reread(context);
    ASSERT_TRUE(CProjectFile::Open(reread, w.path));
    QStringList order;
    for (const auto &s : reread.MainScreens())
        order << s->GetLabel() + " " + s->GetTitle();
    EXPECT_EQ(order.join(", "), "1 Welcome, 1_1 Exits, 2 Drills topic, 2_1 Drills, 2_2 Alarms");
}

// Guards a thumbnail drag: never onto a screen below the dragged one in the outline; otherwise the screen
// moves after the target and stays the current one.
TEST(EditWindow, DraggingAThumbnail)
{
    EditWindow w;
    CDragDropListCtrl *thumbs = w.view->ThumbnailList();
    EXPECT_FALSE(DragThumbnail(thumbs, 0, 1)); // Welcome onto its own Exits
    ASSERT_TRUE(DragThumbnail(thumbs, 1, 4));  // Exits after Drills
    QStringList order;
    for (const auto &s : w.app->Document()->MainScreens())
        order << s->GetLabel() + " " + s->GetTitle();
    EXPECT_EQ(order.join(", "), "1 Welcome, 1_1 Alarms, 2 Drills topic, 2_1 Drills, 2_2 Exits");
    EXPECT_EQ(w.view->GetCurrentPage()->GetTitle(), "Exits");
    EXPECT_EQ(thumbs->currentIndex().row(), 4);
}

// Guards the "Container" button: dropped on a content screen it makes it a folder holding a new "Untitled"
// container; on a question it is refused; the Remediation button is refused while no dialog asks for its
// settings.
TEST(EditWindow, ContainerButtonDrop)
{
    EditWindow w;
    w.view->Controller().GetHooks().editRemediation = nullptr;
    w.view->Navigator()->setCurrentIndex(1);
    CDragDropTreeCtrl *tree = w.view->Tree();
    EXPECT_FALSE(DropButton(tree, "container", FindRow(tree, "Drills")));
    EXPECT_FALSE(DropButton(tree, "remediation", FindRow(tree, "Exits")));
    ASSERT_TRUE(DropButton(tree, "container", FindRow(tree, "Exits")));
    QTreeWidgetItem *exits = FindRow(tree, "Exits");
    ASSERT_EQ(exits->childCount(), 1);
    EXPECT_EQ(exits->child(0)->text(0), "Untitled");
    EXPECT_EQ(CDragDropTreeCtrl::OutlineItemOf(exits)->screen->GetPageType(), pt_folder);
    EXPECT_EQ(CDragDropTreeCtrl::OutlineItemOf(exits->child(0))->screen->GetLabel(), "1_1_1");
}

// Guards renaming in the outline: the typed title goes to the screen once the edit is committed; an emptied
// name changes nothing.
TEST(EditWindow, RenamingAnItem)
{
    EditWindow w;
    w.view->Navigator()->setCurrentIndex(1);
    CDragDropTreeCtrl *tree = w.view->Tree();
    auto rename = [&](const QString &from, const QString &to) {
        QTreeWidgetItem *row = FindRow(tree, from);
        tree->setCurrentItem(row);
        tree->editItem(row);
        auto *editor = tree->viewport()->findChild<QLineEdit *>();
        ASSERT_TRUE(editor);
        editor->selectAll();
        if (to.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        else
            QTest::keyClicks(editor, to);
        QTest::keyClick(editor, Qt::Key_Return);
        // The rename lands once the edit is over.
        for (int i = 0; i < 3; ++i)
            QCoreApplication::sendPostedEvents();
    };
    rename("Exits", "Way out");
    ASSERT_TRUE(FindRow(tree, "Way out"));
    EXPECT_EQ(CDragDropTreeCtrl::OutlineItemOf(FindRow(tree, "Way out"))->screen->GetTitle(), "Way out");
    EXPECT_TRUE(w.app->Document()->IsModified());
    rename("Alarms", "");
    EXPECT_TRUE(FindRow(tree, "Alarms"));
}

// Guards the navigator pane: hidden by the Sorter command and shown again at the bar position it had.
TEST(EditWindow, SorterHidesAndRestoresTheNavigator)
{
    EditWindow w;
    CSSplitter *splitter = w.view->Splitter();
    EXPECT_EQ(splitter->GetSplitterPos(), CEditFrmVw::kInitialBar);
    splitter->SetSplitterPos(300);
    w.view->ShowSorter(false);
    EXPECT_TRUE(w.view->Navigator()->isHidden());
    EXPECT_EQ(w.view->Canvas()->geometry().left(), 0) << "the canvas takes the whole window";
    w.view->ShowSorter(true);
    EXPECT_FALSE(w.view->Navigator()->isHidden());
    EXPECT_EQ(splitter->GetSplitterPos(), 300);
    EXPECT_EQ(w.view->Navigator()->geometry().right() + 1, 300);
}

// Guards the bar between the navigator and the canvas: dragged by the author it stays within the canvas's
// minimum, the navigator keeps its width when the window grows, and the next run of the program opens the
// Edit window with the bar where it was left.
TEST(EditWindow, TheSplitterBarIsDraggedAndKeptForTheNextRun)
{
    EditWindow w;
    w.app->MainFrame()->resize(1200, 800);
    w.app->OnViewEdit();
    w.app->MainFrame()->show();
    QApplication::processEvents();
    CSSplitter *splitter = w.view->Splitter();
    const int bar = splitter->GetSplitterPos() + 1;
    QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(bar, 100));
    QTest::mouseMove(splitter, QPoint(bar + 60, 100));
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(bar + 60, 100));
    const int dropped = splitter->GetSplitterPos();
    EXPECT_GT(dropped, CEditFrmVw::kInitialBar + 50);
    EXPECT_EQ(w.view->Navigator()->width(), dropped);
    EXPECT_GE(w.view->Canvas()->geometry().left(), dropped + 1);
    w.app->MainFrame()->resize(1300, 800);
    QApplication::processEvents();
    EXPECT_EQ(splitter->GetSplitterPos(), dropped);

    w.app.reset();
    w.app = w.f.Start({"corvessa", w.path});
    EXPECT_EQ(w.app->EditView()->Splitter()->GetSplitterPos(), dropped);
}

// Guards the canvas in the Edit window: it shows the current screen as the navigator changes it, lets go of a
// screen the outline deletes while it is shown, and the program closes with component windows on it.
TEST(EditWindow, TheCanvasFollowsTheCurrentScreenAndItsDeletion)
{
    EditWindow w;
    CScrollViewEx *canvas = w.view->Canvas();
    ASSERT_TRUE(canvas);
    EXPECT_EQ(canvas->GetCurrentScreen(), w.view->GetCurrentPage());
    CDragDropListCtrl *thumbs = w.view->ThumbnailList();
    QTest::mouseClick(thumbs->viewport(), Qt::LeftButton, {},
                      thumbs->visualRect(thumbs->model()->index(2, 0)).center());
    CCorvPage *alarms = w.view->GetCurrentPage();
    ASSERT_TRUE(alarms);
    ASSERT_EQ(alarms->GetTitle(), "Alarms");
    EXPECT_EQ(canvas->GetCurrentScreen(), alarms);

    // A text box made for the screen shown gets its editing window on the canvas.
    CCorvessaDoc *doc = w.app->Document();
    ASSERT_EQ(doc->GetEditCanvas(), canvas);
    auto box = std::make_unique<CComponentTextbox>(doc->GetEditCanvas());
    box->GetRichText().ReplaceAll("Leave by the nearest exit");
    box->SetBounds(CRect(20, 20, 420, 120), false);
    ASSERT_TRUE(alarms->AddComponent(std::move(box)).Ok());
    canvas->ShowScreen(alarms);
    ASSERT_EQ(canvas->Model().Components().size(), 1u);
    // The window shows the box's text as soon as the screen is shown.
    auto *boxWindow = dynamic_cast<CWndTextbox *>(alarms->GetComponent(0)->GetComponentWindow());
    ASSERT_TRUE(boxWindow);
    EXPECT_EQ(boxWindow->Editor()->toPlainText(), "Leave by the nearest exit");
    QDir().mkpath(QStringLiteral("screenshots"));
    w.view->grab().save(QStringLiteral("screenshots/edit-window-text-box.png"));

    // Deleting the screen shown moves the canvas to the next one, never touching the deleted screen.
    CEditController &controller = w.view->Controller();
    ASSERT_TRUE(controller.DeleteOutlineItem(controller.FindTreeItemOfPage(alarms), false));
    ASSERT_TRUE(w.view->GetCurrentPage());
    EXPECT_NE(w.view->GetCurrentPage()->GetTitle(), "Alarms");
    EXPECT_EQ(canvas->GetCurrentScreen(), w.view->GetCurrentPage());

    // A second text box stays on a screen of the course while the program closes.
    auto second = std::make_unique<CComponentTextbox>(doc->GetEditCanvas());
    second->SetBounds(CRect(20, 20, 420, 120), false);
    ASSERT_TRUE(w.view->GetCurrentPage()->AddComponent(std::move(second)).Ok());
    canvas->ShowScreen(w.view->GetCurrentPage());
    bool checked = false;
    EXPECT_TRUE(w.view->UpdateCommand(CorvCommand::EditFind, checked));
    w.app.reset();
}

// Guards the new-screen keys of the Edit window: Ctrl+F12 in the thumbnail list and Ctrl+F11 on the canvas each
// add one screen after the current one, and it becomes current.
TEST(EditWindow, NewScreenKeys)
{
    EditWindow w;
    const size_t before = w.app->Document()->MainScreens().size();
    // Shortcuts reach only the active window.
    QApplication::setActiveWindow(w.view->window());
    CDragDropListCtrl *thumbs = w.view->ThumbnailList();
    thumbs->setFocus();
    QTest::keyClick(thumbs, Qt::Key_F12, Qt::ControlModifier);
    EXPECT_EQ(w.app->Document()->MainScreens().size(), before + 1);
    ASSERT_TRUE(w.view->GetCurrentPage());
    EXPECT_EQ(w.view->GetCurrentPage()->GetComponentCount(), 0);
    w.view->Canvas()->setFocus();
    QTest::keyClick(w.view->Canvas(), Qt::Key_F11, Qt::ControlModifier);
    EXPECT_EQ(w.app->Document()->MainScreens().size(), before + 2);
    EXPECT_EQ(w.view->GetCurrentPage()->GetComponentCount(), 1);
}

// Guards what the canvas shows after a project is opened from the File menu and after drops on the outline:
// the current screen's components are listed (and shown in their windows) at once, never a blank canvas that
// waits for a click.
TEST(EditWindow, CanvasShowsTheCurrentScreenAfterOpeningAndDrops)
{
    AppFixture f;
    CCorvContext context;
    context.prompt = &f.prompt;
    CCorvessaDoc doc(context);
    doc.OnNewDocument();
    for (int i = 1; i <= 3; ++i) {
        auto page = std::make_unique<CCorvPage>(i, QString("S%1").arg(i), "", "", 0, QString::number(i), pt_document, 0);
        auto box = std::make_unique<CComponentTextbox>(nullptr);
        box->GetRichText().ReplaceAll(QString("Text of %1").arg(i));
        box->SetBounds(CRect(20, 20, 420, 120), false);
        EXPECT_TRUE(page->AddComponent(std::move(box)).Ok());
        doc.AddScreen(std::move(page));
    }
    f.tree.MakeFolder("p");
    const QString path = f.tree / "p/Three.kvx";
    ASSERT_TRUE(CProjectFile::Save(doc, path));

    auto app = f.Start({"corvessa"});
    app->MainFrame()->resize(1200, 800);
    app->MainFrame()->show();
    f.dialogs.answers = {path};
    app->MainFrame()->Action(CorvCommand::FileOpen)->trigger();
    app->MainFrame()->Action(CorvCommand::WindowEdit)->trigger();
    QApplication::processEvents();
    CEditFrmVw *view = app->EditView();
    CScrollViewEx *canvas = view->Canvas();
    // The screen current in the Edit window, its box listed on the canvas with its text in the box's window.
    auto expectShown = [&](const QString &title, const char *when) {
        CCorvPage *current = view->GetCurrentPage();
        ASSERT_TRUE(current) << when;
        EXPECT_EQ(current->GetTitle(), title) << when;
        EXPECT_EQ(canvas->GetCurrentScreen(), current) << when;
        ASSERT_EQ(canvas->Model().Components().size(), 1u) << when;
        auto *window = dynamic_cast<CWndTextbox *>(current->GetComponent(0)->GetComponentWindow());
        ASSERT_TRUE(window) << when;
        EXPECT_TRUE(window->isVisible()) << when;
        EXPECT_EQ(window->Editor()->toPlainText(), "Text of " + title.mid(1)) << when;
    };
    expectShown("S1", "opened");

    view->Navigator()->setCurrentIndex(1);
    CDragDropTreeCtrl *tree = view->Tree();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(FindRow(tree, "S2")).center());
    expectShown("S2", "chosen in the outline");

    ASSERT_TRUE(DragRow(tree, FindRow(tree, "S3"), FindRow(tree, "S1"), false));
    expectShown("S2", "after a screen was dragged in the outline");
    view->Controller().GetHooks().editRemediation = nullptr;
    ASSERT_TRUE(DropButton(tree, "container", FindRow(tree, "S2")));
    expectShown("S2", "after a container was dropped on it");

    // A click on the box's window, where the author's pointer lands, selects the box the canvas lists.
    QWidget *target = canvas->Page()->childAt(QPoint(100, 60));
    ASSERT_TRUE(target);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(canvas->Page(), QPoint(100, 60)));
    EXPECT_EQ(canvas->Model().GetSelected(), view->GetCurrentPage()->GetComponent(0));
    QDir().mkpath(QStringLiteral("screenshots"));
    view->grab().save(QStringLiteral("screenshots/edit-window-after-drop.png"));
}

// Guards the canvas after the author picks another theme on the Themes page: back in the Edit window the
// screen stands on the new theme's background at once, the same as when the project is opened afresh with it.
TEST(EditWindow, ThemeChangeRepaintsTheCanvasBackground)
{
    AppFixture f;
    f.CopyBuiltProgramData(true);
    const QString path = f.WriteProject("p/Themed.kvx", {{"1", "Welcome", pt_document}}, "Themes");
    auto app = f.Start({"corvessa", path});
    app->MainFrame()->resize(1300, 860);
    app->MainFrame()->show();
    app->MainFrame()->Action(CorvCommand::WindowEdit)->trigger();
    QApplication::processEvents();
    CScrollViewEx *canvas = app->EditView()->Canvas();
    const QPoint probe(900, 500);
    const QRgb before = canvas->Page()->grab().toImage().pixel(probe);

    app->MainFrame()->Action(CorvCommand::WindowSettings)->trigger();
    CSettingsFrmVw *settings = app->SettingsView();
    QTreeWidget *categories = settings->CategoryTree();
    QTest::mouseClick(categories->viewport(), Qt::LeftButton, {},
                      categories->visualItemRect(categories->topLevelItem(CSettingsFrmVw::Themes)).center());
    auto *themes = qobject_cast<CChildDlgThemes *>(settings->Page(CSettingsFrmVw::Themes));
    ASSERT_TRUE(themes);
    QListWidget *list = themes->List();
    const QString was = app->Document()->Settings().Theme;
    QListWidgetItem *other = nullptr;
    for (int i = 0; i < list->count() && !other; ++i)
        if (list->item(i)->text().compare(was, Qt::CaseInsensitive) != 0)
            other = list->item(i);
    ASSERT_TRUE(other);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(other).center());
    ASSERT_EQ(app->Document()->Settings().Theme, other->text());

    app->MainFrame()->Action(CorvCommand::WindowEdit)->trigger();
    QApplication::processEvents();
    const QImage changed = canvas->Page()->grab().toImage();
    EXPECT_NE(changed.pixel(probe), before) << qPrintable(was + " -> " + other->text());

    ASSERT_TRUE(app->OnFileSave()) << qPrintable(f.prompt.Texts().join(" | "));
    ASSERT_TRUE(app->OpenDocumentFile(path));
    QApplication::processEvents();
    EXPECT_EQ(app->EditView()->Canvas()->Page()->grab().toImage().pixel(probe), changed.pixel(probe));
}
