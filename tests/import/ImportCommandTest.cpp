// "Import document(s) now" without the window: the working topic list, the checks, the confirmation, the
// importers and the message that ends the run.
#include "DocxFixture.h"
#include "document/FactoryFixture.h"

#include "import/HeadlessImportHost.h"
#include "document/ScreenFactory.h"
#include "import/ImportCommand.h"
#include "model/CorvPage.h"
#include "model/Topic.h"

#include <gtest/gtest.h>

namespace {

class ImportCommandTest : public FactoryFixture
{
protected:
    void SetUp() override
    {
        FactoryFixture::SetUp();
        doc->MutableSettings().TemplateType = 13;
        doc->MutableSettings().CreateFinalFeedbackScreen = 0;
        doc->SetImportPending(1);
        host = std::make_unique<CHeadlessImportHost>(*doc);
        command = std::make_unique<CImportCommand>(*doc, *host, nullptr);
        command->SetBeforeImport([this] { ++editWindowShown; });
    }

    QStringList TopicNumbersAndNames() const
    {
        QStringList out;
        for (const auto &t : doc->Topics())
            out << t->GetNumber() + ":" + t->GetName() + ":" + t->GetSourceDocument();
        return out;
    }

    QString WriteDocx(const QString &name, const QByteArray &body) const
    {
        const QString path = tree / name;
        EXPECT_TRUE(DocxFixture::Write(path, body));
        return path;
    }

    std::unique_ptr<CHeadlessImportHost> host;
    std::unique_ptr<CImportCommand> command;
    int editWindowShown = 0;
};

} // namespace

// Guards: empty or banner-only rows becoming topics, topics keeping the table's row numbers, or the
// project's topic list left with the 25 table rows when the author declines.
TEST_F(ImportCommandTest, MenuBasedWorkingListIsRenumberedBeforeTheConfirmation)
{
    doc->MutableSettings().MenuBasedCourse = 1;
    auto rows = CImportCommand::EmptyTopicRows();
    rows[2][1] = "Fire";
    rows[5][2] = "banner only";
    rows[6][3] = tree / "missing.docx";
    prompt.Script({CPrompt::no});
    EXPECT_EQ(command->ImportNow(rows), CImportCommand::Outcome::declined);
    EXPECT_EQ(TopicNumbersAndNames(), QStringList({"1:Fire:", "2::" + tree / "missing.docx"}));
    EXPECT_EQ(prompt.Entries().back().caption, "Once Only");
    EXPECT_EQ(editWindowShown, 0);
    EXPECT_EQ(doc->GetImportPending(), 1);
    EXPECT_TRUE(doc->MainScreens().empty());
}

// Guards: an import run with nothing to import, the wrong message, or the import used up by a check.
TEST_F(ImportCommandTest, ChecksStopTheImportWithTheirMessages)
{
    doc->MutableSettings().MenuBasedCourse = 1;
    EXPECT_EQ(command->ImportNow(CImportCommand::EmptyTopicRows()), CImportCommand::Outcome::stopped);
    EXPECT_EQ(prompt.Texts().back(), "At least one Topic Name or Source Document must be specified.");
    EXPECT_TRUE(doc->Topics().empty());

    doc->MutableSettings().MenuBasedCourse = 0;
    doc->MutableSettings().LinearSourceDocument = tree / "nowhere.docx";
    EXPECT_EQ(command->ImportNow({}), CImportCommand::Outcome::stopped);
    EXPECT_EQ(prompt.Texts().back(), "No Source Document has been specified.");
    EXPECT_TRUE(command->WantsSourcePathFocus());
    EXPECT_EQ(doc->GetImportPending(), 1);
    EXPECT_EQ(editWindowShown, 0);
}

// Guards: a linear course with only glossary documents refused, its glossary not imported, or a
// completion message shown for an empty topic list.
TEST_F(ImportCommandTest, LinearCourseWithOnlyAGlossaryImportsTheGlossary)
{
    doc->MutableSettings().MenuBasedCourse = 0;
    doc->MutableSettings().LinearSourceDocument = tree / "nowhere.docx";
    const QString glossary = WriteDocx("terms.docx", DocxFixture::P("kvglossary", "Helmet")
                                                         + DocxFixture::P("kvdescription", "A hard hat."));
    CImportCommand::StoreGlossaryTable(*doc, {"", glossary, ""});
    EXPECT_EQ(doc->GlossaryDocuments(), QStringList({glossary}));
    prompt.Script({CPrompt::yes});
    EXPECT_EQ(command->ImportNow({}), CImportCommand::Outcome::imported);
    EXPECT_EQ(editWindowShown, 1);
    EXPECT_EQ(doc->GetImportPending(), 0);
    ASSERT_FALSE(doc->GlossaryScreens().empty());   // the glossary folder, then the term
    EXPECT_TRUE(doc->GlossaryScreens().back()->GetTitle().startsWith("Helmet"));
    EXPECT_TRUE(command->LastMessage().isEmpty());
    EXPECT_EQ(prompt.Entries().size(), 1u);   // the confirmation only
}

// Guards: the completion message without the glossary count, or sources that could not be read passed over
// in silence while the import is declared complete.
TEST_F(ImportCommandTest, CompletionMessageCountsGlossaryItemsAndNamesSkippedSources)
{
    doc->MutableSettings().MenuBasedCourse = 1;
    const QString good = WriteDocx("good.docx", DocxFixture::P("", "Text of the topic.")
                                                    + DocxFixture::P("kvglossary", "Exit")
                                                    + DocxFixture::P("kvdescription", "The way out.")
                                                    + DocxFixture::P("", "More text."));
    auto rows = CImportCommand::EmptyTopicRows();
    rows[0][1] = "Good";
    rows[0][3] = good;
    rows[1][1] = "Gone";
    rows[1][3] = tree / "gone.docx";
    prompt.Script({CPrompt::yes});
    EXPECT_EQ(command->ImportNow(rows), CImportCommand::Outcome::imported);
    EXPECT_TRUE(command->LastMessage().startsWith("Import document(s) and Glossary completed - 1 glossary items created."))
        << command->LastMessage().toStdString();
    EXPECT_TRUE(command->LastMessage().contains(tree / "gone.docx" + " does not exist."))
        << command->LastMessage().toStdString();
    EXPECT_EQ(doc->GetImportPending(), 0);
    EXPECT_FALSE(doc->MainScreens().empty());
}

// Guards the labels after a presentation topic: the final screens made at the end of the import took the
// label of the presentation's first screen, so two screens answered to one label.
TEST_F(ImportCommandTest, ScreensAfterAPresentationTakeTheLabelsAfterItsSlides)
{
    doc->MutableSettings().MenuBasedCourse = 1;
    doc->MutableSettings().CreateFinalFeedbackScreen = 1;
    doc->MutableSettings().SetPercentagePassMark = 1;
    const QString words = WriteDocx("words.docx", DocxFixture::P("", "Text of the topic."));
    command->SetPowerPointImport([this](const QString &, CCorvPage *topic, int, const QString &) -> CResult<CCorvPage *> {
        CScreenFactory factory(*doc);
        CCorvPage *after = topic;
        for (int n = 1; n <= 2; ++n)
            after = factory.AddBlankScreen(QStringLiteral("Slide %1").arg(n), topic->GetLabel() + QStringLiteral("_%1").arg(n), after);
        return after;
    });
    auto rows = CImportCommand::EmptyTopicRows();
    rows[0][1] = "Words";
    rows[0][3] = words;
    rows[1][1] = "Slides";
    rows[1][3] = tree / "slides.pptx";
    prompt.Script({CPrompt::yes});
    ASSERT_EQ(command->ImportNow(rows), CImportCommand::Outcome::imported) << command->LastMessage().toStdString();
    QStringList labels;
    QString finalLabel;
    for (const auto &s : doc->MainScreens()) {
        EXPECT_FALSE(labels.contains(s->GetLabel())) << s->GetLabel().toStdString() << " is given twice";
        labels << s->GetLabel();
        if (s->GetTitle() == "Final Performance Screens")
            finalLabel = s->GetLabel();
    }
    EXPECT_EQ(finalLabel, "1_2_3") << labels.join(", ").toStdString();
}

// Guards an import in which no source document could be read: it still began "Import document(s)
// completed", as if the course had been made.
TEST_F(ImportCommandTest, NothingReadIsNotReportedAsCompleted)
{
    doc->MutableSettings().MenuBasedCourse = 0;
    const QString broken = tree.Write("broken.docx", "PK\x03\x04 not a package");
    doc->MutableSettings().LinearSourceDocument = broken;
    prompt.Script({CPrompt::yes});
    command->ImportNow({});
    EXPECT_TRUE(command->LastMessage().startsWith("Nothing was imported: no source document could be read.\n\n"
                                                  "These were not imported:\n- "))
        << command->LastMessage().toStdString();
    EXPECT_TRUE(command->LastMessage().contains("broken.docx")) << command->LastMessage().toStdString();
    EXPECT_FALSE(command->LastMessage().contains("completed")) << command->LastMessage().toStdString();

    // One readable source among unreadable ones is an import that completed, with the others named.
    SetUp();
    doc->MutableSettings().MenuBasedCourse = 1;
    auto rows = CImportCommand::EmptyTopicRows();
    rows[0][1] = "Good";
    rows[0][3] = WriteDocx("good.docx", DocxFixture::P("", "Text."));
    rows[1][1] = "Broken";
    rows[1][3] = broken;
    prompt.Script({CPrompt::yes});
    command->ImportNow(rows);
    EXPECT_TRUE(command->LastMessage().startsWith("Import document(s) completed\n\nThese were not imported:"))
        << command->LastMessage().toStdString();
}
