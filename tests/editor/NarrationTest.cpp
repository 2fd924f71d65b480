#include "editor/Narration.h"

#include "dialogs/MediaDialogValues.h"
#include "dialogs/Recorder.h"
#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "model/ComponentAudio.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/QuestionIdCounter.h"
#include "platform/RecordingPrompt.h"
#include "platform/StringTable.h"
#include "support/TempTree.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// Answers with a script: the result and what it sets.
class CFakeRecorder : public CRecorder
{
public:
    int result = 1;
    QString file;
    int autoStart = 0, loop = 0, controller = 0;
    int runs = 0;

    int Run(int &a, int &l, int &c, QString &path) override
    {
        ++runs;
        if (result == 1) {
            a = autoStart;
            l = loop;
            c = controller;
            path = file;
        }
        return result;
    }
};

class NarrationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        context.programFolder = tree.MakeFolder(QStringLiteral("program"));
        context.prompt = &prompt;
        context.questionIds = &ids;
        doc = std::make_unique<CCorvessaDoc>(context);
        doc->OnNewDocument();
        const int id = doc->TakeNextScreenNumber();
        screen = doc->AddScreen(std::make_unique<CCorvPage>(id, QStringLiteral("Screen"), QString(), QString(), 0,
                                                            QStringLiteral("1"), pt_document, -1));
    }
    void TearDown() override { doc.reset(); }

    TempTree tree;
    CRecordingPrompt prompt;
    CQuestionIdCounter ids;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
    CCorvPage *screen = nullptr;
};

} // namespace

// Guards the Record narration command end to end: a recording becomes an audio component with the recorder's
// file and choices, and the saved project holds the sound in its "Sounds" folder.
TEST_F(NarrationTest, ARecordingBecomesAnAudioComponentSavedInSounds)
{
    CFakeRecorder recorder;
    recorder.file = tree.Write(QStringLiteral("recordings/Narration 1.wav"), QByteArray("RIFF....WAVEfmt "));
    recorder.controller = 1;
    recorder.loop = 1;
    ASSERT_EQ(Narration::RecordNarration(recorder, *doc, screen, prompt), 2);
    ASSERT_EQ(screen->GetComponentCount(), 2);
    auto *play = static_cast<CComponentAudio *>(screen->GetComponent(0));
    EXPECT_EQ(play->GetFilePath(), recorder.file);
    EXPECT_EQ(play->m_loop, 1);
    EXPECT_EQ(play->m_buttonControls, 1);

    const QString project = tree / QStringLiteral("Course.kvx");
    ASSERT_TRUE(CProjectFile::Save(*doc, project));
    QFile saved(tree / QStringLiteral("Course/Sounds/narration1.wav"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << saved.fileName().toStdString();
    EXPECT_EQ(saved.readAll(), QByteArray("RIFF....WAVEfmt "));
    EXPECT_TRUE(prompt.Texts().isEmpty()) << prompt.Texts().join(u'|').toStdString();
}

// Guards against a component made from nothing: no recording, a missing file or no screen add nothing.
TEST_F(NarrationTest, NothingRecordedAddsNothing)
{
    CFakeRecorder recorder;
    recorder.result = 0;
    recorder.file = tree.Write(QStringLiteral("take.wav"), QByteArray("RIFF"));
    EXPECT_EQ(Narration::RecordNarration(recorder, *doc, screen, prompt), 0);
    recorder.result = 1;
    recorder.file = tree / QStringLiteral("gone.wav");
    EXPECT_EQ(Narration::RecordNarration(recorder, *doc, screen, prompt), 0);
    recorder.file = tree / QStringLiteral("take.wav");
    EXPECT_EQ(Narration::RecordNarration(recorder, *doc, nullptr, prompt), 0);
    EXPECT_EQ(screen->GetComponentCount(), 0);
    EXPECT_EQ(recorder.runs, 2);
}
