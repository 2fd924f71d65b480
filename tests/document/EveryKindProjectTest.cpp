#include "EveryKindComponents.h"
#include "support/TempTree.h"

#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/QuestionIdCounter.h"
#include "platform/RecordingPrompt.h"

#include <QFile>
#include <QImage>

#include <algorithm>
#include <iterator>

#include <gtest/gtest.h>

using namespace EveryKindComponents;

// Guards every kind's place in the project file: a project holding one component of each kind on a screen
// of each list (remediation only on the main list, where it belongs) saves, loads with all of them in order
// (and the stream in step after each, whichever list's loading rules apply), and saves again to the same
// bytes, its media found where the first save put them.
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
    // The rows a list holds: remediation only the main list.
    const auto rowsOf = [&](bool mainList) {
        std::vector<KindRow> held;
        std::copy_if(rows.begin(), rows.end(), std::back_inserter(held),
                     [&](const KindRow &row) { return mainList || row.type != ct_remediation; });
        return held;
    };

    CCorvessaDoc doc(context);
    doc.OnNewDocument();
    const auto addScreen = [&](const CCorvessaDoc::ScreenList &list, int id, const QString &label, bool mainList) {
        auto screen = std::make_unique<CCorvPage>(id, QStringLiteral("All kinds"), QString(), QString(), 0, label,
                                                  pt_document, -1);
        for (const KindRow &row : rowsOf(mainList)) {
            ASSERT_TRUE(screen->AddComponent(row.make({tree, context}))) << row.type;
        }
        doc.AddScreen(std::move(screen), nullptr, &list == &doc.PopupScreens(), &list == &doc.GlossaryScreens());
    };
    addScreen(doc.MainScreens(), 0, QStringLiteral("1"), true);
    addScreen(doc.PopupScreens(), 1, QStringLiteral("P1"), false);
    addScreen(doc.GlossaryScreens(), 2, QStringLiteral("G1"), false);
    doc.SetNextScreenNumber(3);
    ASSERT_TRUE(CProjectFile::Save(doc, path));
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
    ASSERT_TRUE(CProjectFile::Open(reread, path));
    const std::pair<const CCorvessaDoc::ScreenList *, bool> lists[] = {
        {&reread.MainScreens(), true}, {&reread.PopupScreens(), false}, {&reread.GlossaryScreens(), false}};
    for (const auto &[list, mainList] : lists) {
        ASSERT_EQ(list->size(), 1u);
        const CCorvPage &loaded = *list->front();
        const std::vector<KindRow> held = rowsOf(mainList);
        ASSERT_EQ(loaded.GetComponentCount(), int(held.size())) << loaded.GetLabel().toStdString();
        for (size_t i = 0; i < held.size(); ++i)
            EXPECT_EQ(loaded.GetComponent(int(i))->GetType(), held[i].type) << loaded.GetLabel().toStdString() << i;
    }
    EXPECT_EQ(readingIds.Peek(), ids.Peek());

    ASSERT_TRUE(CProjectFile::Save(reread, path));
    EXPECT_EQ(TempTree::ReadAll(path), first);
    EXPECT_TRUE(readingPrompt.Texts().isEmpty()) << qPrintable(readingPrompt.Texts().join(u'\n'));
}
