// "Import document(s) now" without the window: the working topic list, the checks, the confirmation, the
// importers and the message that ends the run.
#include "DocxFixture.h"
#include "document/FactoryFixture.h"

#include "import/HeadlessImportHost.h"
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
        doc->TemplateType = 13;
        doc->CreateFinalFeedbackScreen = 0;
        doc->SetImportPending(1);
        host = std::make_unique<CHeadlessImportHost>(*doc);
        command = std::make_unique<CImportCommand>(*doc, *host, nullptr);
        command->SetBeforeImport([this] { ++editWindowShown; });
    }

    QStringList TopicNumbersAndNames() const
    {
        QStringList out;
        for (const auto &t : doc->Topics)
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
    doc->MenuBasedCourse = 1;
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
    EXPECT_TRUE(doc->MainScreenList.empty());
}

// Guards: an import run with nothing to import, the wrong message, or the import used up by a check.
TEST_F(ImportCommandTest, ChecksStopTheImportWithTheirMessages)
{
    doc->MenuBasedCourse = 1;
    EXPECT_EQ(command->ImportNow(CImportCommand::EmptyTopicRows()), CImportCommand::Outcome::stopped);
    EXPECT_EQ(prompt.Texts().back(), "At least one Topic Name or Source Document must be specified.");
    EXPECT_TRUE(doc->Topics.empty());

    doc->MenuBasedCourse = 0;
    doc->LinearSourceDocument = tree / "nowhere.docx";
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
    doc->MenuBasedCourse = 0;
    doc->LinearSourceDocument = tree / "nowhere.docx";
    const QString glossary = WriteDocx("terms.docx", DocxFixture::P("kvglossary", "Helmet")
                                                         + DocxFixture::P("kvdescription", "A hard hat."));
    CImportCommand::StoreGlossaryTable(*doc, {"", glossary, ""});
    EXPECT_EQ(doc->GlossaryDocuments, QStringList({glossary}));
    prompt.Script({CPrompt::yes});
    EXPECT_EQ(command->ImportNow({}), CImportCommand::Outcome::imported);
    EXPECT_EQ(editWindowShown, 1);
    EXPECT_EQ(doc->GetImportPending(), 0);
    ASSERT_FALSE(doc->GlossaryScreenList.empty());   // the glossary folder, then the term
    EXPECT_TRUE(doc->GlossaryScreenList.back()->GetTitle().startsWith("Helmet"));
    EXPECT_TRUE(command->LastMessage().isEmpty());
    EXPECT_EQ(prompt.Entries().size(), 1u);   // the confirmation only
}

// Guards: the completion message without the glossary count, or sources that could not be read passed over
// in silence while the import is declared complete.
TEST_F(ImportCommandTest, CompletionMessageCountsGlossaryItemsAndNamesSkippedSources)
{
    doc->MenuBasedCourse = 1;
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
    EXPECT_FALSE(doc->MainScreenList.empty());
}
