#include "AppFixture.h"
#include "SettingsDriving.h"

#include "app/CommandIds.h"
#include "app/ui/ChildDlgFontsNew.h"
#include "app/ui/FontComboBox.h"
#include "app/ui/MainFrame.h"
#include "app/ui/PropPageFonts.h"
#include "app/ui/SettingsFrmVw.h"
#include "app/ui/controls/ColorSelectButton.h"
#include "document/CorvessaDoc.h"
#include "platform/StringTable.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSet>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

// Guards the window's frame: thirteen categories in order with their texts, General showing at start with
// nothing selected, and each category (clicked or reached by arrow keys) showing its own page only.
TEST(SettingsWindow, CategoriesSwitchPages)
{
    AppFixture f;
    auto app = f.Start();
    CSettingsFrmVw *view = app->SettingsView();
    QTreeWidget *tree = view->CategoryTree();
    ASSERT_EQ(tree->topLevelItemCount(), CSettingsFrmVw::CategoryCount);
    for (int i = 0; i < CSettingsFrmVw::CategoryCount; ++i)
        EXPECT_EQ(tree->topLevelItem(i)->text(0), CStringTable::Load(10000 + i));
    EXPECT_EQ(tree->topLevelItem(12)->text(0), "Internationalization");
    // Each category has a 32 x 32 picture of its own, and a selected look that differs from it.
    QSet<qint64> pictures;
    for (int i = 0; i < CSettingsFrmVw::CategoryCount; ++i) {
        const QIcon icon = tree->topLevelItem(i)->icon(0);
        const QImage normal = icon.pixmap(32, 32, QIcon::Normal).toImage();
        const QImage selected = icon.pixmap(32, 32, QIcon::Selected).toImage();
        ASSERT_EQ(normal.size(), QSize(32, 32)) << i;
        EXPECT_NE(normal, selected) << i;
        pictures.insert(normal.cacheKey() ? qint64(qHash(QByteArray(reinterpret_cast<const char *>(normal.constBits()),
                                                                    normal.sizeInBytes())))
                                          : 0);
    }
    EXPECT_EQ(pictures.size(), CSettingsFrmVw::CategoryCount);
    EXPECT_TRUE(tree->selectedItems().isEmpty());
    EXPECT_EQ(view->VisibleCategory(), CSettingsFrmVw::General);

    for (int i = CSettingsFrmVw::CategoryCount - 1; i >= 0; --i) {
        ClickCategory(view, i);
        for (int j = 0; j < CSettingsFrmVw::CategoryCount; ++j)
            EXPECT_EQ(view->Page(j)->isVisible(), i == j) << i << " " << j;
        EXPECT_FALSE(view->Page(i)->accessibleName().isEmpty());
    }
    tree->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(view->VisibleCategory(), CSettingsFrmVw::Themes);
    QTest::keyClick(tree, Qt::Key_End);
    EXPECT_EQ(view->VisibleCategory(), CSettingsFrmVw::Internationalization);
    EXPECT_FALSE(app->Document()->IsModified());
}

// Guards the page keys: Enter and Esc in a page's box change nothing and the page stays; Ctrl+3 still reaches
// the main window and shows the Edit window.
TEST(SettingsWindow, EnterAndEscStayOnThePage)
{
    AppFixture f;
    auto app = f.Start();
    app->MainFrame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app->MainFrame()));
    CSettingsFrmVw *view = app->SettingsView();
    ClickCategory(view, CSettingsFrmVw::Fonts);
    QComboBox *size = view->FontsPage()->StylePage(0)->SizeBox();
    size->setFocus(Qt::OtherFocusReason);
    const QString before = size->currentText();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Enter})
        QTest::keyClick(size, key);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->VisibleCategory(), CSettingsFrmVw::Fonts);
    EXPECT_EQ(size->currentText(), before);
    EXPECT_FALSE(app->Document()->IsModified());
    QTest::keyClick(size, Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(app->CurrentViewIndex(), EditViewIndex);
}

// Guards the font tabs: a size chosen is stored as text and marks the project (the size index stays 3);
// the face already stored writes nothing; the weight always writes; the import check stores 1. Outline and
// glossary offer no colour, and the glossary no weight.
TEST(SettingsWindow, FontTabsWriteThrough)
{
    AppFixture f;
    auto app = f.Start();
    CCorvessaDoc &doc = *app->Document();
    CSettingsFrmVw *view = app->SettingsView();
    ClickCategory(view, CSettingsFrmVw::Fonts);
    CChildDlgFontsNew *fonts = view->FontsPage();
    EXPECT_EQ(fonts->Sheet()->count(), 4);
    EXPECT_EQ(fonts->Sheet()->tabText(1), "Course name");
    // The new project's values show, not the page's resets.
    EXPECT_EQ(fonts->StylePage(1)->SizeBox()->currentText(), "36");

    fonts->Sheet()->setCurrentIndex(1);
    CPropPageFonts *course = fonts->StylePage(1);
    ChooseByKeys(course->SizeBox(), "5");
    EXPECT_EQ(doc.Settings().FontSizePoints[1], "5");
    EXPECT_EQ(doc.Settings().FontSize[1], 3);
    EXPECT_TRUE(doc.IsModified());

    doc.SetModifiedFlag(false);
    if (course->FaceBox()->currentIndex() >= 0) {
        emit course->FaceBox()->activated(course->FaceBox()->currentIndex());
        EXPECT_FALSE(doc.IsModified());
    }
    emit course->WeightBox()->activated(course->WeightBox()->currentIndex());
    EXPECT_TRUE(doc.IsModified());

    fonts->Sheet()->setCurrentIndex(0);
    doc.SetModifiedFlag(false);
    fonts->StylePage(0)->ImportCheck()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(fonts->StylePage(0)->ImportCheck(), Qt::Key_Space);
    EXPECT_EQ(doc.Settings().UseSourceDocumentFonts, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(course->ImportCheck()->isVisibleTo(course));

    for (int style : {2, 3})
        EXPECT_FALSE(fonts->StylePage(style)->ColourButton()->isVisibleTo(fonts->StylePage(style)));
    EXPECT_FALSE(fonts->StylePage(3)->WeightBox()->isVisibleTo(fonts->StylePage(3)));
    EXPECT_TRUE(fonts->StylePage(2)->WeightBox()->isVisibleTo(fonts->StylePage(2)));
    EXPECT_EQ(fonts->StylePage(0)->Note()->text(), "Note:  changing the theme may also change this font.");
    EXPECT_TRUE(fonts->StylePage(2)->Note()->text().isEmpty());
}

// Guards what a refresh shows for stored values: "2" selects "2" rather than "20", a size no entry matches
// leaves the box empty while the sample still uses it, and a theme's weight "600" selects no weight while
// the sample is drawn normal.
TEST(SettingsWindow, FontRefreshMatchesExactly)
{
    AppFixture f;
    auto app = f.Start();
    CCorvessaDoc &doc = *app->Document();
    CPropPageFonts *page = app->SettingsView()->FontsPage()->StylePage(0);
    doc.MutableSettings().FontSizePoints[0] = "2";
    doc.MutableSettings().FontWeight[0] = "600";
    app->SettingsView()->RefreshFromDocument();
    EXPECT_EQ(page->SizeBox()->currentText(), "2");
    EXPECT_EQ(page->WeightBox()->currentIndex(), -1);
    EXPECT_EQ(page->Sample()->font().weight(), QFont::Normal);
    doc.MutableSettings().FontSizePoints[0] = "120";
    app->SettingsView()->RefreshFromDocument();
    EXPECT_EQ(page->SizeBox()->currentIndex(), -1);
    EXPECT_EQ(page->Sample()->font().pointSize(), 120);
    EXPECT_FALSE(doc.IsModified());
}

// Guards the author's work: a size and a colour set through the Fonts page are in the project after Save
// and Open, and the page shows them again.
TEST(SettingsWindow, ChangesSurviveSaveAndReopen)
{
    AppFixture f;
    auto app = f.Start();
    CMainFrame *frame = app->MainFrame();
    CSettingsFrmVw *view = app->SettingsView();
    ClickCategory(view, CSettingsFrmVw::Fonts);
    CPropPageFonts *body = view->FontsPage()->StylePage(0);
    ChooseByKeys(body->SizeBox(), "18");
    ChooseByKeys(body->FamilyBox(), "\"Courier New\", Courier, monospace");
    body->ColourButton()->SetChooser([](uint32_t, QWidget *) { return std::optional<uint32_t>(0x3300CC); });
    QTest::mouseClick(body->ColourButton(), Qt::LeftButton);
    EXPECT_TRUE(app->Document()->IsModified());

    f.tree.MakeFolder("s");
    f.dialogs.answers = {f.tree / "s/Fonts.kvx"};
    frame->Action(CorvCommand::FileSaveAs)->trigger();
    ASSERT_FALSE(app->Document()->IsModified());
    frame->Action(CorvCommand::FileNew)->trigger();
    EXPECT_EQ(app->Document()->Settings().FontSizePoints[0], "12");
    EXPECT_EQ(body->SizeBox()->currentText(), "12");

    f.dialogs.answers = {f.tree / "s/Fonts.kvx"};
    frame->Action(CorvCommand::FileOpen)->trigger();
    EXPECT_EQ(app->Document()->Settings().FontSizePoints[0], "18");
    EXPECT_EQ(app->Document()->Settings().FontColor[0], 0x3300CCu);
    EXPECT_EQ(app->Document()->Settings().FontFamily[0], "\"Courier New\", Courier, monospace");
    EXPECT_EQ(body->SizeBox()->currentText(), "18");
    EXPECT_EQ(body->ColourButton()->GetColor(), 0x3300CCu);
}

// Guards the colour button: OK takes the dialog's colour, Cancel keeps the old one, and the host hears the
// click after the dialog both times.
TEST(ColorSelectButton, ClickReportsAfterTheDialog)
{
    CColorSelectButton button;
    EXPECT_EQ(button.GetColor(), 0xFFFFFFu);
    std::optional<uint32_t> answer = 0x0000FF;
    uint32_t offered = 0;
    button.SetChooser([&](uint32_t initial, QWidget *) { offered = initial; return answer; });
    QSignalSpy clicks(&button, &CColorSelectButton::colourClicked);
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(offered, 0xFFFFFFu);
    EXPECT_EQ(button.GetColor(), 0x0000FFu);
    answer.reset();
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(button.GetColor(), 0x0000FFu);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(CColorSelectButton::ToQColor(0x3300CC), QColor(0xCC, 0x00, 0x33));
    EXPECT_EQ(CColorSelectButton::FromQColor(QColor(0xCC, 0x00, 0x33)), 0x3300CCu);
}
