// "Import document(s) now" without the window: the working topic list, the checks, the confirmation, the
// importers and the message that ends the run.
#include "DocxFixture.h"
#include "document/FactoryFixture.h"

#include "import/HeadlessImportHost.h"
#include "document/ScreenFactory.h"
#include "import/ImportCommand.h"
#include "model/CorvPage.h"
#include "import/WordDocumentReader.h"
#include "model/ComponentImage.h"
#include "model/ComponentType.h"
#include "model/Topic.h"
#include "platform/RecordingProgress.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class ImportCommandTest : public FactoryFixture
{
protected:
    void SetUp() override
    {
        context.progress = &progress;
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
    CRecordingProgress progress;
    int editWindowShown = 0;
};

// The Edit window's placement, recorded: where the importer was told to start and what was finished.
struct RecordingPlacement : CImportPlacement
{
    Point point;
    QStringList calls;
    Point Prepare(bool createTopic) override
    {
        calls << QStringLiteral("prepare %1").arg(createTopic);
        return point;
    }
    void Finish(bool createTopic, int topicCountBefore, const CTopic &topic) override
    {
        calls << QStringLiteral("finish %1 %2 %3").arg(createTopic).arg(topicCountBefore).arg(topic.GetName());
    }
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

// Guards the Edit window's import as options of the one command: glossary only (message 35068, no screen, no
// placement), a document placed at the insertion point (35003), one with glossary entries (35069), and a
// document that gives nothing said to have imported nothing, with the placement left untouched.
TEST_F(ImportCommandTest, NewDocumentOptionsAndMessages)
{
    const QString glossary = WriteDocx("terms.docx", DocxFixture::P("kvglossary", "Helmet")
                                                         + DocxFixture::P("kvdescription", "A hard hat."));
    const QString plain = WriteDocx("plain.docx", DocxFixture::P("", "Text of the document."));
    const QString withTerms = WriteDocx("terms-in-text.docx", DocxFixture::P("", "Text first.")
                                                                  + DocxFixture::P("kvglossary", "Exit")
                                                                  + DocxFixture::P("kvdescription", "The way out."));
    const QString empty = WriteDocx("empty.docx", QByteArray());
    struct Case {
        CImportCommand::NewDocument what;
        CImportCommand::Outcome outcome;
        QString message;
        QStringList calls;
        bool screensAdded;
    };
    const Case cases[] = {
        {{glossary, "", "", false, true}, CImportCommand::Outcome::imported,
         "Import Glossary document(s) completed - 1 glossary items created.", {}, false},
        {{plain, "", "", false, false}, CImportCommand::Outcome::imported, "Import document(s) completed",
         {"prepare 0", "finish 0 0 "}, true},
        {{withTerms, "Terms", "", true, false}, CImportCommand::Outcome::imported,
         "Import document(s) and Glossary completed - 1 glossary items created.", {"prepare 1", "finish 1 0 Terms"}, true},
        {{empty, "", "", false, false}, CImportCommand::Outcome::failed,
         "Nothing was imported.\n\nThese were not imported:\n- " + empty + " holds nothing that could become a screen.",
         {"prepare 0"}, false},
        {{"", "", "", false, false}, CImportCommand::Outcome::stopped, "", {}, false},
    };
    for (const Case &c : cases) {
        RecordingPlacement placement;
        const size_t before = doc->MainScreens().size();
        EXPECT_EQ(command->ImportNewDocument(c.what, placement), c.outcome) << c.what.path.toStdString();
        EXPECT_EQ(command->LastMessage(), c.message);
        EXPECT_EQ(placement.calls, c.calls) << c.what.path.toStdString();
        EXPECT_EQ(doc->MainScreens().size() > before, c.screensAdded) << c.what.path.toStdString();
        EXPECT_EQ(progress.depth, 0);
    }
}

// Guards the progress of one import leaking into the next: a cancel half-way is reported as cancelled and
// keeps the screens made before it, and the next import starts with the cancel forgotten and runs to its end.
TEST_F(ImportCommandTest, CancelledImportIsReportedAndForgottenByTheNext)
{
    const QString plain = WriteDocx("plain.docx", DocxFixture::P("", "Text of the document."));
    // The author presses Cancel while the document is read.
    command->SetDocumentLoader([this](const QString &path) {
        progress.cancelled = true;
        return CWordDocumentReader::Read(path);
    });
    RecordingPlacement placement;
    EXPECT_EQ(command->ImportNewDocument({plain, "", "", false, false}, placement), CImportCommand::Outcome::cancelled);
    EXPECT_TRUE(command->LastMessage().startsWith("Import document(s) cancelled")) << command->LastMessage().toStdString();
    EXPECT_FALSE(progress.cancelled);
    EXPECT_EQ(progress.depth, 0);

    command->SetDocumentLoader([](const QString &path) { return CWordDocumentReader::Read(path); });
    const size_t before = doc->MainScreens().size();
    EXPECT_EQ(command->ImportNewDocument({plain, "", "", false, false}, placement), CImportCommand::Outcome::imported);
    EXPECT_EQ(command->LastMessage(), "Import document(s) completed");
    EXPECT_GT(doc->MainScreens().size(), before);
    EXPECT_EQ(progress.commands, 2);
}

// Guards the once-only import used up by a run that imported nothing: a linear course whose source is not a
// Word document is told that nothing was imported and may import again.
TEST_F(ImportCommandTest, NothingImportedKeepsTheImportAvailable)
{
    doc->MutableSettings().MenuBasedCourse = 0;
    doc->MutableSettings().LinearSourceDocument = tree.Write("notes.odt", "not a Word document");
    prompt.Script({CPrompt::yes});
    EXPECT_EQ(command->ImportNow({}), CImportCommand::Outcome::failed);
    EXPECT_TRUE(command->LastMessage().startsWith("Nothing was imported")) << command->LastMessage().toStdString();
    EXPECT_TRUE(command->LastMessage().contains("notes.odt is neither")) << command->LastMessage().toStdString();
    EXPECT_EQ(doc->GetImportPending(), 1);
}

// Guards a topic that gave no screen passed over in a completed import: it is named in the message.
TEST_F(ImportCommandTest, TopicWithoutScreensIsNamed)
{
    doc->MutableSettings().MenuBasedCourse = 1;
    const QString good = WriteDocx("good.docx", DocxFixture::P("", "Text of the topic."));
    const QString empty = WriteDocx("empty.docx", QByteArray());
    auto rows = CImportCommand::EmptyTopicRows();
    rows[0][1] = "Good";
    rows[0][3] = good;
    rows[1][1] = "Empty";
    rows[1][3] = empty;
    prompt.Script({CPrompt::yes});
    EXPECT_EQ(command->ImportNow(rows), CImportCommand::Outcome::imported);
    EXPECT_EQ(command->LastMessage(),
              "Import document(s) completed\n\nThese were not imported:\n- " + empty + " holds nothing that could become a screen.");
}

// Guards presentations refused by one of the two windows: both import them through the slide program beside
// the program, here in picture mode (a stand-in writes one picture per slide), each slide a screen placed
// after the current one with its picture fitted to the screen.
TEST_F(ImportCommandTest, PresentationFromTheEditWindowInPictureMode)
{
    doc->MutableSettings().ImportPowerpointAsImages = 1;
    const QString deck = tree.Write("deck.pptx", "stands for a presentation");
    // The stand-in slide program: shell script writing Slide1..Slide3 of 800 x 600.
    const QString slide = Picture("slide.png", 800, 600);
    const QString program = tree.Write("program/pictoslate",
        QStringLiteral("#!/bin/sh\nfor n in 1 2 3; do cp '%1' \"$3/Slide$n.png\"; done\n").arg(slide).toUtf8());
    QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
    CScreenFactory factory(*doc);
    CCorvPage *current = factory.AddBlankScreen("Welcome", "1", nullptr);
    host->AddPageAndSelect(current);
    RecordingPlacement placement;
    placement.point = {1, "1"};
    ASSERT_EQ(command->ImportNewDocument({deck, "", "", false, false}, placement), CImportCommand::Outcome::imported)
        << command->LastMessage().toStdString();
    EXPECT_EQ(command->LastMessage(), "Import document(s) completed");
    QStringList labels;
    for (const auto &s : doc->MainScreens())
        labels << s->GetLabel() + " " + s->GetTitle();
    EXPECT_EQ(labels, QStringList({"1 Welcome", "2 deck_Slide1", "3 deck_Slide2", "4 deck_Slide3"}));
    for (size_t i = 1; i < doc->MainScreens().size(); ++i) {
        std::vector<CComponentBase *> images;
        ASSERT_EQ(doc->MainScreens()[i]->GetComponentsOfType(ct_image, images), 1);
        auto *image = dynamic_cast<CComponentImage *>(images.front());
        EXPECT_TRUE(image->GetImageFile().endsWith(QStringLiteral("deck_Slide%1.png").arg(i)));
        EXPECT_EQ(image->GetBounds(), CRect(131, 0, 877, 560));
    }
    EXPECT_EQ(host->Added().size(), 4u);   // the slides joined the outline as they were made
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
