#include "AppFixture.h"
#include "WidgetDriving.h"

#include "app/CommandIds.h"
#include "app/ui/ChildDlgGraphics.h"
#include "app/ui/MainFrame.h"
#include "app/ui/SettingsFrmVw.h"
#include "app/ui/PublishFrmVw.h"
#include "dialogs/ui/PictureDialogs.h"
#include "document/CorvessaDoc.h"
#include "editor/ComponentCommands.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/ImageCommandsUi.h"
#include "editor/ui/ImageWindow.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/ComponentImage.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QMenu>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

QString SavePicture(const TempTree &tree, const QString &name, int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = tree / name;
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(image.save(path));
    return path;
}

// The program with the built program folder's data, over a saved course of two screens, in the Edit window.
struct PictureApp {
    AppFixture f;
    std::unique_ptr<CCorvessaApp> app;
    QString project;

    PictureApp()
    {
        const QDir built(QStringLiteral(CORV_BUILT_PROGRAM_FOLDER));
        for (const QFileInfo &entry : built.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot)) {
            if (entry.isFile() && entry.isExecutable())
                continue;
            const QString target = f.ProgramFolder() + u'/' + entry.fileName();
            if (entry.isFile() && QFileInfo::exists(target))
                continue;
            EXPECT_EQ(QProcess::execute("cp", {"-R", entry.absoluteFilePath(), target}), 0) << qPrintable(target);
        }
        project = f.WriteProject("p/Demo.kvx", {{"1", "Welcome", pt_document}, {"2", "Exit Routes", pt_document}},
                                 "Fire Safety");
        app = f.Start();
        EXPECT_TRUE(app->OpenDocumentFile(project)) << qPrintable(f.prompt.Texts().join(" | "));
        app->Document()->MutableSettings().WarnInteractTooLow = 0;
        app->OnViewEdit();
        app->MainFrame()->resize(1400, 900);
        QApplication::processEvents();
    }
    CEditFrmVw *View() const { return app->EditView(); }
    CScrollViewEx *Canvas() const { return View()->Canvas(); }
    QWidget *Page() const { return Canvas()->Page(); }
    // The one picture of the course's first screen.
    CComponentImage *OnlyImage() const
    {
        CCorvPage *screen = app->Document()->MainScreens().empty() ? nullptr : app->Document()->MainScreens()[0].get();
        if (!screen || screen->GetComponentCount() != 1)
            return nullptr;
        return dynamic_cast<CComponentImage *>(screen->GetComponent(0));
    }

    // The author's pointer at canvas points: what lies under it gets the press, the grabber the rest.
    QWidget *At(const QPoint &point, QPoint &local) const
    {
        QWidget *target = Page()->childAt(point);
        while (target && target->testAttribute(Qt::WA_TransparentForMouseEvents))
            target = target->parentWidget();
        if (!target || target == Canvas()->Overlay())
            target = Page();
        local = target->mapFrom(Page(), point);
        return target;
    }
    void Drag(const QPoint &from, const QPoint &to)
    {
        QPoint local;
        QTest::mousePress(At(from, local), Qt::LeftButton, {}, local);
        for (const QPoint &p : {(from + to) / 2, to}) {
            QWidget *target = QWidget::mouseGrabber();
            if (!target)
                target = At(p, local);
            QTest::mouseMove(target, target->mapFrom(Page(), p));
        }
        QWidget *target = QWidget::mouseGrabber();
        if (!target)
            target = At(to, local);
        QTest::mouseRelease(target, Qt::LeftButton, {}, target->mapFrom(Page(), to));
    }
};

} // namespace

// Guards the whole life of a picture as an author makes it: added from a file through the menu's dialog,
// given alternative text and keywords, replaced from its own menu, resized with its shape kept, moved with
// the arrow keys; saved, the project reopens with the same picture, and the published screen shows it with
// its alternative text in headless Chromium.
TEST(PicturesPublished, APictureMadeInTheEditWindowIsSavedReopenedAndPublished)
{
    PictureApp a;
    const QString first = SavePicture(a.f.tree, "pics/exit.png", 400, 300, QColor(0, 140, 60));
    const QString second = SavePicture(a.f.tree, "pics/assembly.jpg", 600, 400, QColor(200, 40, 40));

    QAction *add = a.app->MainFrame()->Action(CorvCommand::AddGraphicFromFile);
    ASSERT_NE(add, nullptr);
    ASSERT_TRUE(WhileOpen<CDlgInsertImage>([&] { add->trigger(); }, [&](CDlgInsertImage &d) {
        d.PathEdit()->setText(first);
        d.AltTextEdit()->setText("Fire exit");
        d.accept();
    }));
    CComponentImage *image = a.OnlyImage();
    ASSERT_NE(image, nullptr) << qPrintable(a.f.prompt.Texts().join(" | "));
    // 400 x 300 fitted into the medium box 400 x 266 at (36, 32), centred in it.
    EXPECT_EQ(image->GetBounds(), CRect(59, 32, 413, 298));
    EXPECT_EQ(a.Canvas()->GetSelectedComponent(), image);

    ASSERT_TRUE(WhileOpen<CDlgAltText>([&] { a.app->MainFrame()->Action(CorvCommand::ReplaceAltText)->trigger(); },
                                       [&](CDlgAltText &d) {
                                           EXPECT_EQ(d.TextEdit()->text(), "Fire exit");
                                           d.TextEdit()->setText("Fire exit sign");
                                           d.accept();
                                       }));
    ASSERT_TRUE(WhileOpen<CDlgKeywords>([&] { a.app->MainFrame()->Action(CorvCommand::Keywords)->trigger(); },
                                        [&](CDlgKeywords &d) {
                                            d.TextEdit()->setText("exit, door");
                                            d.accept();
                                        }));

    // Replace from the picture's own menu, with the large preset.
    auto *window = dynamic_cast<CWndImage *>(image->GetComponentWindow());
    ASSERT_NE(window, nullptr);
    const CRect before = image->GetBounds();
    ASSERT_TRUE(WhileOpen<CDlgUpdateImage>(
        [&] {
            std::unique_ptr<QMenu> menu = window->BuildContextMenu();
            for (QAction *action : menu->actions())
                if (action->data().toInt() == 32800)
                    action->trigger();
        },
        [&](CDlgUpdateImage &d) {
            EXPECT_EQ(d.AltTextEdit()->text(), "Fire exit sign");
            d.PathEdit()->setText(second);
            d.SizeRadio(SizeLarge)->setChecked(true);
            d.accept();
        }));
    image = a.OnlyImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetBounds(), ComponentCommands::ReplacedPictureBounds(before, 2, 600, 400));
    const CRect replaced = image->GetBounds();
    EXPECT_EQ(replaced.left, 5) << "pulled back onto the screen";
    EXPECT_EQ(replaced.top, 5);

    // A corner drag keeps the shape; the arrows move it.
    a.Canvas()->SelectComponent(image);
    a.Drag(QPoint(replaced.right, replaced.bottom), QPoint(455, 300));
    const CRect resized = image->GetBounds();
    EXPECT_EQ(resized.left, 5);
    EXPECT_EQ(resized.top, 5);
    EXPECT_EQ(resized.Width(), 450);
    EXPECT_NEAR(double(resized.Width()) / resized.Height(), 1.5, 0.01);
    QApplication::setActiveWindow(a.View()->window());
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(a.Page(), Qt::Key_Right);
    QTest::keyClick(a.Page(), Qt::Key_Down);
    const CRect placed = image->GetBounds();
    EXPECT_EQ(placed, CRect(resized.left + 3, resized.top + 1, resized.right + 3, resized.bottom + 1));
    a.Canvas()->grab().save(QStringLiteral(CORV_BUILD_TEST_DIR "/screenshots/image-window-on-canvas.png"));

    ASSERT_TRUE(a.app->OnFileSave()) << qPrintable(a.f.prompt.Texts().join(" | "));
    ASSERT_TRUE(a.app->OpenDocumentFile(a.project)) << qPrintable(a.f.prompt.Texts().join(" | "));
    a.app->OnViewEdit();
    QApplication::processEvents();
    image = a.OnlyImage();
    ASSERT_NE(image, nullptr) << qPrintable(a.f.prompt.Texts().join(" | "));
    EXPECT_EQ(image->GetBounds(), placed);
    EXPECT_EQ(image->GetAltText(), "Fire exit sign");
    EXPECT_EQ(image->GetKeywords(), "exit, door");
    EXPECT_EQ(image->GetNaturalWidth(), 600);
    EXPECT_EQ(image->GetNaturalHeight(), 400);

    a.f.prompt.Clear();
    a.app->Document()->MutableSettings().WarnInteractTooLow = 0;
    a.app->OnViewPublish();
    QTest::mouseClick(a.app->PublishView()->Button(CPublishFrmVw::Standalone), Qt::LeftButton);
    const QString standalone = a.f.tree / "p/Demo Published files/Standalone";
    ASSERT_TRUE(QFileInfo::exists(standalone + "/index.htm")) << qPrintable(a.f.prompt.Texts().join(" | "));

    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start("python3", {QStringLiteral(CORV_SOURCE_DIR "/tests/app/ui/check_published_picture.py"), standalone,
                            "Fire exit sign", QString::number(placed.Width()), QString::number(placed.Height()),
                            QStringLiteral(CORV_BUILD_TEST_DIR "/published-courses/picture-with-alt-text.png")});
    ASSERT_TRUE(check.waitForFinished(120000));
    const QString output = QString::fromUtf8(check.readAll());
    if (check.exitCode() == 77)
        GTEST_SKIP() << qPrintable(output);
    EXPECT_EQ(check.exitCode(), 0) << qPrintable(output);
}

// Guards the Settings window's Graphics "Set..." button: it opens "Set priorities" over the course's two
// category lists, and what the author chose there is the course's order after OK.
TEST(PicturesPublished, TheGraphicsPageSetsCategoryPrioritiesThroughTheDialog)
{
    AppFixture f;
    std::unique_ptr<CCorvessaApp> app = f.Start();
    CCorvessaDoc *doc = app->Document();
    doc->MutableSettings().UsePrioritiseGraphicsCategories = 1;
    doc->MutableSettings().GraphicsCategories = {"Nature", "Architecture", "People"};
    doc->MutableSettings().PriorityCategories = {"Transportation"};
    CSettingsFrmVw *settings = app->SettingsView();
    settings->ShowCategoryPage(CSettingsFrmVw::Graphics);
    auto *page = dynamic_cast<CChildDlgGraphics *>(settings->Page(CSettingsFrmVw::Graphics));
    ASSERT_NE(page, nullptr);
    page->RefreshFromDocument();
    ASSERT_TRUE(WhileOpen<CDlgSetCategoriesPriority>([&] { page->SetCategories()->click(); },
                                                     [&](CDlgSetCategoriesPriority &d) {
                                                         EXPECT_EQ(d.AvailableList()->item(0)->text(), "Architecture");
                                                         d.AvailableList()->setCurrentRow(2); // People
                                                         d.AddButton()->click();
                                                         d.MoveUpButton()->click();
                                                         d.accept();
                                                     }));
    EXPECT_EQ(doc->Settings().PriorityCategories, (QStringList{"People", "Transportation"}));
    EXPECT_EQ(doc->Settings().GraphicsCategories, (QStringList{"Architecture", "Nature"}));
}

// Guards a damaged picture chosen in the Add graphic dialog of the Insert menu: OK names the file and says in
// words why it cannot be used, the dialog stays open and the screen gains nothing.
TEST(PicturesPublished, ADamagedPictureIsRefusedWithItsNameAndReason)
{
    PictureApp a;
    const QString good = SavePicture(a.f.tree, "pics/exit.png", 400, 300, QColor(0, 140, 60));
    QFile in(good);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    for (const int cut : {int(bytes.size() / 2), 40}) {
        const QString bad = a.f.tree / QString("pics/cut%1.png").arg(cut);
        QFile out(bad);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes.left(cut));
        out.close();
        a.f.prompt.Clear();
        a.f.prompt.SetFallback(CPrompt::ok);
        bool stayedOpen = false;
        ASSERT_TRUE(WhileOpen<CDlgInsertImage>([&] { a.app->MainFrame()->Action(CorvCommand::AddGraphicFromFile)->trigger(); },
                                               [&](CDlgInsertImage &d) {
                                                   d.PathEdit()->setText(bad);
                                                   ClickOk(&d);
                                                   stayedOpen = d.isVisible();
                                                   d.reject();
                                               }));
        EXPECT_TRUE(stayedOpen) << cut;
        EXPECT_EQ(a.f.prompt.Texts(),
                  QStringList{"The picture \"" + bad
                              + "\" could not be read.\nThe file ends before the picture does: it may be damaged or "
                                "cut short."})
            << cut;
        EXPECT_EQ(a.app->Document()->MainScreens()[0]->GetComponentCount(), 0);
    }
}
