#include "EveryKindComponents.h"
#include "support/TempTree.h"

#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/QuestionIdCounter.h"
#include "platform/RecordingPrompt.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

using namespace EveryKindComponents;

// Guards every kind's place in the project file: a project holding one component of each kind saves,
// loads with all of them in order (and the stream in step after each), and saves again to the same bytes,
// its media found where the first save put them.
TEST(EveryKindProject, SaveLoadSaveGivesIdenticalBytes)
{
    TempTree tree;
    const QString path = tree / QStringLiteral("Course.kvx");
    CRecordingPrompt prompt;
    CQuestionIdCounter ids;
    CCorvContext context;
    context.prompt = &prompt;
    context.questionIds = &ids;
    const std::vector<KindRow> rows = EveryKind();

    CCorvessaDoc doc(context);
    doc.OnNewDocument();
    auto screen = std::make_unique<CCorvPage>(0, QStringLiteral("All kinds"), QString(), QString(), 0,
                                              QStringLiteral("1"), pt_document, -1);
    for (const KindRow &row : rows)
        ASSERT_FALSE(screen->AddComponent(row.make({tree, context}), prompt)) << row.type;
    doc.MainScreenList.push_back(std::move(screen));
    doc.SetNextScreenNumber(1);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const QByteArray first = TempTree::ReadAll(path);
    EXPECT_TRUE(prompt.Texts().isEmpty()) << qPrintable(prompt.Texts().join(u'\n'));
    for (const char *copy : {"Images/myphoto.png", "Images/Resized/myphoto.png", "Images/Questions/GullHead.png",
                             "Images/Questions/1l0large.png", "Images/Questions/1r1.png"})
        EXPECT_TRUE(QFile::exists(tree / (QStringLiteral("Course/") + QString::fromLatin1(copy)))) << copy;

    CRecordingPrompt readingPrompt;
    CQuestionIdCounter readingIds;
    CCorvContext reading;
    reading.prompt = &readingPrompt;
    reading.questionIds = &readingIds;
    CCorvessaDoc reread(reading);
    ASSERT_TRUE(reread.OnOpenDocument(path));
    ASSERT_EQ(reread.MainScreenList.size(), 1u);
    const CCorvPage &loaded = *reread.MainScreenList[0];
    ASSERT_EQ(loaded.GetComponentCount(), int(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(loaded.GetComponent(int(i))->GetType(), rows[i].type) << i;
    EXPECT_EQ(readingIds.Peek(), ids.Peek());

    ASSERT_TRUE(reread.OnSaveDocument(path));
    EXPECT_EQ(TempTree::ReadAll(path), first);
    EXPECT_TRUE(readingPrompt.Texts().isEmpty()) << qPrintable(readingPrompt.Texts().join(u'\n'));
}
