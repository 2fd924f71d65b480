#include "FakeCanvas.h"
#include "PictureTestSupport.h"

#include "model/ComponentMatchPairs.h"
#include "model/CorvPage.h"
#include "platform/Prompt.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace PictureTest;

namespace {

const QString kProject = QStringLiteral("Course.kvx");

QStringList QuestionPictures(const TempTree &tree)
{
    return QDir(tree / QStringLiteral("Course/Images/Questions")).entryList(QDir::Files, QDir::Name);
}

CComponentMatchPairs::Slots Slot(int index, const QString &value)
{
    CComponentMatchPairs::Slots files;
    files[size_t(index)] = value;
    return files;
}

} // namespace

// Guards the two pictures the published question shows, named after the screen's label and the slot:
// a roll-over picture whose longer side is 186 and a 40 x 40 thumbnail.
TEST(MatchPairs, QuestionPicturesNamedAfterTheScreen)
{
    TempTree tree;
    struct Case {
        int width, height;
        int rollOverWidth, rollOverHeight;
    } cases[] = {{300, 600, 93, 186}, {600, 300, 186, 93}, {200, 200, 186, 186}, {1000, 3, 186, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.width);
        const QString picture = Write(tree, QStringLiteral("pics/left.png"), Pattern(c.width, c.height), ImageFormatPng);
        CCorvPage screen(1, {}, {}, {}, 0, QStringLiteral("P3"), 3, -1);
        auto question = std::make_unique<CComponentMatchPairs>();
        CComponentMatchPairs *q = question.get();
        screen.AddComponent(std::move(question));
        q->SetLeftImages(Slot(4, picture));
        const QByteArray record = StoreFor(*q, tree / kProject);
        EXPECT_EQ(QuestionPictures(tree), QStringList({QStringLiteral("p3l4.png"), QStringLiteral("p3l4large.png")}));
        const CxImage rollOver = Read(tree / QStringLiteral("Course/Images/Questions/p3l4large.png"));
        EXPECT_EQ(rollOver.GetWidth(), c.rollOverWidth);
        EXPECT_EQ(rollOver.GetHeight(), c.rollOverHeight);
        const CxImage thumbnail = Read(tree / QStringLiteral("Course/Images/Questions/p3l4.png"));
        EXPECT_EQ(thumbnail.GetWidth(), 40);
        EXPECT_EQ(thumbnail.GetHeight(), 40);
        // The record keeps the author's full path.
        auto loaded = LoadFor<CComponentMatchPairs>(record, tree / kProject);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->GetLeftImages()[4], picture);
        QDir(tree / QStringLiteral("Course")).removeRecursively();
    }
}

// Guards the store of a question without pictures (nothing written), with a picture that cannot be read
// (skipped, the record written all the same) and on no screen (a copy saved for a preview).
TEST(MatchPairs, StoreWithoutUsablePictures)
{
    TempTree tree;
    CComponentMatchPairs none;
    none.SetLeftTexts({QStringLiteral("a"), QStringLiteral("b")});
    StoreFor(none, tree / kProject);
    EXPECT_TRUE(QuestionPictures(tree).isEmpty());

    CComponentMatchPairs unreadable;
    const QString junk = tree.Write(QStringLiteral("pics/junk.png"), "not a picture");
    unreadable.SetRightImages(Slot(1, junk));
    const QByteArray record = StoreFor(unreadable, tree / kProject);
    EXPECT_TRUE(QuestionPictures(tree).isEmpty());
    auto loaded = LoadFor<CComponentMatchPairs>(record, tree / kProject);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetRightImages()[1], junk);

    CComponentMatchPairs onNoScreen;
    onNoScreen.SetLeftImages(Slot(0, Write(tree, QStringLiteral("pics/p.png"), Pattern(20, 10), ImageFormatPng)));
    StoreFor(onNoScreen, tree / kProject);
    EXPECT_EQ(QuestionPictures(tree), QStringList({QStringLiteral("l0.png"), QStringLiteral("l0large.png")}));
}

// Guards a label from a damaged file: the pictures never leave the question-picture folder.
TEST(MatchPairs, LabelCannotLeadOutOfTheFolder)
{
    TempTree tree;
    CCorvPage screen(1, {}, {}, {}, 0, QStringLiteral("../../x"), 3, -1);
    auto question = std::make_unique<CComponentMatchPairs>();
    CComponentMatchPairs *q = question.get();
    screen.AddComponent(std::move(question));
    q->SetRightImages(Slot(2, Write(tree, QStringLiteral("pics/p.png"), Pattern(20, 10), ImageFormatPng)));
    StoreFor(*q, tree / QStringLiteral("deep/down/Course.kvx"));
    EXPECT_EQ(QDir(tree / QStringLiteral("deep/down/Course/Images/Questions")).entryList(QDir::Files),
              QStringList({QStringLiteral("xr2.png"), QStringLiteral("xr2large.png")}));
    EXPECT_FALSE(QDir(tree / QStringLiteral("deep/x")).exists());
}

// Guards the answer list the publisher numbers the pairs by: one entry per pair with a left text or a
// left picture, wherever it stands.
TEST(MatchPairs, AnswerIndexList)
{
    CComponentMatchPairs q;
    q.SetLeftTexts({QStringLiteral("one"), QStringLiteral("two")});
    q.SetLeftImages(Slot(3, QStringLiteral("/pics/x.png")));
    q.SetRightTexts({QString(), QString(), QStringLiteral("only right")});
    QStringList list{QStringLiteral("stale")};
    q.GetAnswerIndexList(list);
    EXPECT_EQ(list, QStringList({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}));
}

// Guards copy and paste: the copy has every text, picture path, feedback and the zoom choice, and writes
// its pictures under its own screen's label.
TEST(MatchPairs, CloneCarriesEverythingAndWritesUnderItsOwnLabel)
{
    TempTree tree;
    FakeCanvas canvas;
    const QString picture = Write(tree, QStringLiteral("pics/p.png"), Pattern(30, 20), ImageFormatPng);
    CComponentMatchPairs q(&canvas);
    q.SetBounds(CRect(500, 300, 700, 400), true);
    q.SetQuestionText(QStringLiteral("Match them"));
    q.SetLeftTexts({QStringLiteral("a")});
    q.SetRightTexts({QStringLiteral("b")});
    q.SetLeftImages(Slot(0, picture));
    q.SetRightImages(Slot(4, picture));
    q.SetCorrectFeedback(QStringLiteral("Yes"));
    q.SetWrongFeedback(QStringLiteral("No"));
    q.SetZoomImages(1);
    q.SetFont(QStringLiteral("Arial"), 12);

    auto copy = q.Clone(false);
    auto &c = dynamic_cast<CComponentMatchPairs &>(*copy);
    EXPECT_EQ(c.GetBounds(), CRect(36, 32, 236, 132));
    EXPECT_EQ(c.GetQuestionText(), QStringLiteral("Match them"));
    EXPECT_EQ(c.GetLeftTexts(), q.GetLeftTexts());
    EXPECT_EQ(c.GetRightTexts(), q.GetRightTexts());
    EXPECT_EQ(c.GetLeftImages(), q.GetLeftImages());
    EXPECT_EQ(c.GetRightImages(), q.GetRightImages());
    EXPECT_EQ(c.GetCorrectFeedback(), QStringLiteral("Yes"));
    EXPECT_EQ(c.GetWrongFeedback(), QStringLiteral("No"));
    EXPECT_EQ(c.GetZoomImages(), 1);
    EXPECT_EQ(c.GetFontFace(), QStringLiteral("Arial"));

    CCorvPage screen(2, {}, {}, {}, 0, QStringLiteral("1_2"), 3, -1);
    CComponentBase *pasted = copy.get();
    screen.AddComponent(std::move(copy));
    StoreFor(*pasted, tree / kProject);
    EXPECT_EQ(QuestionPictures(tree), QStringList({QStringLiteral("1_2l0.png"), QStringLiteral("1_2l0large.png"),
                                                   QStringLiteral("1_2r4.png"), QStringLiteral("1_2r4large.png")}));
}
