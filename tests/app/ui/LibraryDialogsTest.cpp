// The content-library dialogs driven as an author does: ticking rows, the buttons, browsing, and what they
// return. A picture of each is kept in the build folder.
#include "AppFixture.h"
#include "document/FactoryFixture.h"

#include "app/ui/controls/DropDownListCtrl.h"
#include "dialogs/LibraryChoices.h"
#include "dialogs/ui/DlgInsertFromLibrary.h"
#include "dialogs/ui/DlgSaveToLibrary2.h"
#include "document/ContentLibrary.h"
#include "document/ScreenFactory.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class LibraryDialogs : public FactoryFixture
{
protected:
    void SetUp() override
    {
        FactoryFixture::SetUp();
        CScreenFactory factory(*doc);
        CCorvPage *after = nullptr;
        for (const char *label : {"1", "1_1", "1_2", "2"})
            after = factory.AddTextScreen(QStringLiteral("Screen ") + label, label, after, 0);
        rows = {{"1", "Screen 1", {}, "folder", "0"},
                {"1_1", "Screen 1_1", {}, "screen", "1"},
                {"1_2", "Screen 1_2", {}, "screen", "1"},
                {"2", "Screen 2", {}, "screen", "0"},
                {"9", "Gone", {}, "screen", "0"}};
    }

    static void ClickCell(CDropDownListCtrl *list, int row, int column)
    {
        list->scrollToItem(list->item(row, column));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, column)).center());
    }
    static QString Ticks(const CDlgLibraryList &dialog)
    {
        QString ticks;
        for (int row = 0; row < dialog.List()->rowCount(); ++row)
            ticks += dialog.IsRowTicked(row) ? u'x' : u'.';
        return ticks;
    }
    static void Keep(QWidget &dialog, const char *name)
    {
        QDir().mkpath(QStringLiteral(CORV_BUILD_TEST_DIR "/offscreen-shots"));
        dialog.resize(dialog.sizeHint());
        dialog.grab().save(QStringLiteral(CORV_BUILD_TEST_DIR "/offscreen-shots/") + name + ".png");
    }

    std::vector<LibraryOutlineRow> rows;
    CScriptedDialogs dialogs;
};

} // namespace

// Guards the save dialog: it opens with the current screen and the screens under it ticked; Save waits for a
// library path; Browse proposes "UntitledContentLibrary.kvxl" and reads an existing library's description;
// an edited label and description are what the records carry; a row whose screen is gone is left out.
TEST_F(LibraryDialogs, SaveDialogTicksAndReturnsWhatTheRowsShow)
{
    ASSERT_EQ(CorvLibraryChoices::SaveChoices(*doc, tree / "libs/Old.kvxl", "Old library", {{"2", "x", "", "screen", "0"}}), 1);
    CDlgSaveToLibrary2 dialog(*doc, rows, doc->FindScreenByLabel("1"), nullptr, &dialogs);
    dialog.ShowValues();
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Save to library");
    EXPECT_EQ(Ticks(dialog), "xxx..");
    EXPECT_FALSE(dialog.OkButton()->isEnabled()) << "no library path yet";

    dialogs.answers = {tree / "libs/Old"};
    QTest::mouseClick(dialog.BrowseButton(), Qt::LeftButton);
    EXPECT_TRUE(dialogs.asked.back().startsWith("save|Save to library|UntitledContentLibrary.kvxl|Library Files (*.kvxl)"))
        << qPrintable(dialogs.asked.back());
    EXPECT_EQ(dialog.PathEdit()->text(), tree / "libs/Old.kvxl");
    EXPECT_EQ(dialog.DescriptionEdit()->text(), "Old library");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());

    ClickCell(dialog.List(), 1, CDlgLibraryList::kCheckColumn);
    EXPECT_EQ(Ticks(dialog), "xxx..") << "a screen inside a ticked subtree stays ticked";
    ClickCell(dialog.List(), 4, CDlgLibraryList::kCheckColumn);
    ClickCell(dialog.List(), 3, 3);
    QTest::keyClicks(dialog.List()->ActiveEditor(), "Closing words");
    QTest::keyClick(dialog.List()->ActiveEditor(), Qt::Key_Return);
    ClickCell(dialog.List(), 3, CDlgLibraryList::kCheckColumn);
    ClickCell(dialog.List(), 0, 4);
    QTest::keyClicks(dialog.List()->ActiveEditor(), "The opening");
    QTest::keyClick(dialog.List()->ActiveEditor(), Qt::Key_Return);
    Keep(dialog, "save_to_library");

    dialog.PathEdit()->clear();
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    QTest::keyClicks(dialog.PathEdit(), tree / "libs/New.kvxl");
    ASSERT_TRUE(dialog.OkButton()->isEnabled());
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.libraryPath, tree / "libs/New.kvxl");
    ASSERT_EQ(dialog.results.size(), 4u);
    EXPECT_EQ(dialog.results[0].outlineId, "1");
    EXPECT_EQ(dialog.results[0].description, "The opening");
    EXPECT_EQ(dialog.results[0].typeText, "folder");
    EXPECT_EQ(dialog.results[3].outlineId, "2");
    EXPECT_EQ(dialog.results[3].label, "Closing words");
    EXPECT_EQ(dialog.results[3].depth, "0");
}

// Guards the insert dialog: the library's items listed with their type names; ticking a folder ticks its
// screens and enables Insert; Select none disables it; Insert returns the ticked items and remembers the
// library; a path naming no file is emptied; a damaged library is told and lists nothing; Select all over an
// empty list still confirms, returning nothing.
TEST_F(LibraryDialogs, InsertDialogListsTicksAndReturnsItems)
{
    const QString library = tree / "libs/Birds.kvxl";
    ASSERT_EQ(CorvLibraryChoices::SaveChoices(*doc, library, "Seabirds",
                                              {{"1", "Folder", "", "folder", "0"}, {"1_1", "Gulls", "About gulls", "screen", "1"},
                                               {"1_2", "Terns", "", "screen", "1"}, {"2", "End", "", "screen", "0"}}),
              4);
    doc->SetModifiedFlag(false);
    CDlgInsertFromLibrary dialog(*doc, nullptr, &dialogs);
    dialog.libraryPath = library;
    dialog.ShowValues();
    dialog.show();
    ASSERT_EQ(dialog.List()->rowCount(), 4);
    EXPECT_EQ(dialog.DescriptionEdit()->text(), "Seabirds");
    EXPECT_EQ(dialog.List()->CellText(1, 0), "2");
    EXPECT_EQ(dialog.List()->CellText(1, 1), "screen");
    EXPECT_EQ(dialog.List()->CellText(1, 3), "Gulls");
    EXPECT_EQ(dialog.List()->CellText(1, 4), "About gulls");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());

    ClickCell(dialog.List(), 0, CDlgLibraryList::kCheckColumn);
    EXPECT_EQ(Ticks(dialog), "xxx.");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    QTest::mouseClick(dialog.SelectNoneButton(), Qt::LeftButton);
    EXPECT_EQ(Ticks(dialog), "....");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    ClickCell(dialog.List(), 2, CDlgLibraryList::kCheckColumn);
    ClickCell(dialog.List(), 3, CDlgLibraryList::kCheckColumn);
    Keep(dialog, "insert_from_library");
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    ASSERT_EQ(dialog.results.size(), 2u);
    EXPECT_EQ(dialog.results[0].itemPath, "Birds_Library\\Birds_Item3\\Birds_Item3.kvl");
    EXPECT_EQ(dialog.results[0].depth, "1");
    EXPECT_EQ(dialog.results[1].pageType, "pt_document");
    EXPECT_EQ(dialog.results[1].auxPageType, "apt_normal");
    EXPECT_EQ(doc->Settings().LastContentLibrary, library);
    EXPECT_TRUE(doc->IsModified());

    CDlgInsertFromLibrary missing(*doc, nullptr, &dialogs);
    missing.libraryPath = tree / "libs/Nowhere.kvxl";
    missing.ShowValues();
    EXPECT_TRUE(missing.PathEdit()->text().isEmpty());
    EXPECT_EQ(missing.List()->rowCount(), 0);
    QTest::mouseClick(missing.SelectAllButton(), Qt::LeftButton);
    ASSERT_TRUE(missing.OkButton()->isEnabled());
    QTest::mouseClick(missing.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(missing.results.empty());
    EXPECT_TRUE(doc->Settings().LastContentLibrary.isEmpty());

    CDlgInsertFromLibrary damaged(*doc, nullptr, &dialogs);
    dialogs.answers = {tree.Write("libs/Damaged.kvxl", "<library><libraryitem>")};
    QTest::mouseClick(damaged.BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(damaged.List()->rowCount(), 0);
    ASSERT_FALSE(prompt.Texts().isEmpty());
    EXPECT_TRUE(prompt.Texts().back().startsWith("Unable to read Library"));
}
