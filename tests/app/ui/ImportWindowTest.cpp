// The Import window driven as an author uses it: the course kind, a topic and a glossary document typed into
// the tables, the two PowerPoint options, and "Import document(s) now" with the outline afterwards.
#include "AppFixture.h"
#include "WidgetDriving.h"

#include "editor/ui/EditFrmVw.h"
#include "app/ui/ImportSummaryView.h"
#include "app/ui/MainFrame.h"
#include "app/ViewSwitcher.h"
#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "model/Topic.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// Presses a button or box from the keyboard, as the author does after tabbing to it.
void Press(QWidget *button)
{
    button->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(button, Qt::Key_Space);
}

} // namespace

// Guards: the window not storing what the author typed, the import not running from its button, the
// outline not showing the new topics, or the import left open for a second run.
TEST(ImportWindow, ImportsADocumentAndAGlossaryIntoANewProject)
{
    AppFixture f;
    auto app = f.Start();
    CCorvessaDoc *doc = app->Document();
    doc->MutableSettings().TemplateType = 13;   // text screens: no graphics library needed
    doc->MutableSettings().CreateFinalFeedbackScreen = 0;
    CImportSummaryView *view = app->ImportView();
    app->MainFrame()->resize(1100, 800);
    app->MainFrame()->show();
    app->SwitchView(ImportViewIndex);
    ASSERT_EQ(view->TopicTable()->rowCount(), 25);
    ASSERT_EQ(view->GlossaryTable()->rowCount(), 10);

    Press(view->MenuRadio());
    EXPECT_EQ(doc->Settings().MenuBasedCourse, 1);
    const QString source = QStringLiteral(CORV_SOURCE_DIR "/tests/fixtures/word/safety-libreoffice.docx");
    const QString glossary = QStringLiteral(CORV_SOURCE_DIR "/tests/fixtures/word/safety-python-docx.docx");
    TypeIntoCell(view->TopicTable(), 1, 1, "Safety");
    TypeIntoCell(view->TopicTable(), 1, 3, source);
    TypeIntoCell(view->GlossaryTable(), 0, 1, glossary);
    EXPECT_EQ(doc->Topics().size(), 25u);
    EXPECT_EQ(doc->Topics()[1]->GetName(), "Safety");
    EXPECT_EQ(doc->GlossaryDocuments(), QStringList({glossary}));
    EXPECT_EQ(doc->Topics()[1]->GetSourceDocument(), source);
    EXPECT_TRUE(doc->IsModified());

    // The two PowerPoint options exclude each other.
    Press(view->SlidesAsImagesCheck());
    Press(view->FastPowerPointCheck());
    EXPECT_EQ(doc->Settings().FastPowerpointImport, 1);
    EXPECT_EQ(doc->Settings().ImportPowerpointAsImages, 0);
    EXPECT_FALSE(view->SlidesAsImagesCheck()->isChecked());

    f.prompt.Clear();
    f.prompt.Script({CPrompt::yes});
    Press(view->ImportButton());
    ASSERT_FALSE(f.prompt.Entries().isEmpty());
    EXPECT_EQ(f.prompt.Entries().first().caption, "Once Only");
    EXPECT_TRUE(f.prompt.Texts().last().startsWith("Import document(s) and Glossary completed - 2 glossary items created."))
        << f.prompt.Texts().last().toStdString();

    // One topic, renumbered; the import is used up.
    ASSERT_EQ(doc->Topics().size(), 1u);
    EXPECT_EQ(doc->Topics()[0]->GetNumber(), "1");
    EXPECT_EQ(doc->GetImportPending(), 0);
    EXPECT_FALSE(view->ImportButton()->isEnabled());
    EXPECT_FALSE(view->MenuRadio()->isEnabled());
    EXPECT_EQ(view->TopicTable()->rowCount(), 1);
    EXPECT_EQ(doc->GlossaryScreens().empty(), false);

    // The main window's outline shows the main menu with the topic and its screens.
    QTreeWidget *outline = app->EditView()->OutlineWidget();
    ASSERT_GE(outline->topLevelItemCount(), 1);
    QTreeWidgetItem *menu = outline->topLevelItem(0);
    EXPECT_EQ(menu->text(0), "Main Menu");
    ASSERT_GE(menu->childCount(), 1);
    EXPECT_EQ(menu->child(0)->text(0), "Safety");
    EXPECT_GT(menu->child(0)->childCount(), 0);

    QDir().mkpath(QStringLiteral("screenshots"));
    view->grab().save(QStringLiteral("screenshots/import-window-after-import.png"));
}

// Guards: a menu-based course with no topic imported anyway, or a linear course without a source
// document doing so and leaving the focus elsewhere.
TEST(ImportWindow, EmptyInputEndsInItsMessage)
{
    AppFixture f;
    auto app = f.Start();
    CCorvessaDoc *doc = app->Document();
    CImportSummaryView *view = app->ImportView();
    app->MainFrame()->show();
    app->SwitchView(ImportViewIndex);
    Press(view->MenuRadio());
    f.prompt.Clear();
    Press(view->ImportButton());
    ASSERT_EQ(f.prompt.Texts().size(), 1);
    EXPECT_EQ(f.prompt.Texts()[0], "At least one Topic Name or Source Document must be specified.");
    EXPECT_EQ(doc->GetImportPending(), 1);
    EXPECT_TRUE(view->ImportButton()->isEnabled());

    Press(view->LinearRadio());
    EXPECT_EQ(doc->Settings().MenuBasedCourse, 0);
    EXPECT_TRUE(view->SourcePath()->isEnabled());
    f.prompt.Clear();
    Press(view->ImportButton());
    ASSERT_EQ(f.prompt.Texts().size(), 1);
    EXPECT_EQ(f.prompt.Texts()[0], "No Source Document has been specified.");
    EXPECT_TRUE(doc->MainScreens().empty());
}
