#include "dialogs/BlankQuestionValues.h"
#include "dialogs/FlashQuestionValues.h"
#include "dialogs/LikertValues.h"
#include "dialogs/MatchPairsValues.h"
#include "dialogs/MultipleChoiceValues.h"
#include "dialogs/PartIdentificationValues.h"
#include "platform/CorvContext.h"
#include "support/TempTree.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

namespace {

const QString kMismatch = QStringLiteral("The number of blank words does not match to the number of words.");
const QString kNoBlank = QStringLiteral("You must enter at least one blank word.");
const QString kNoStem = QStringLiteral("Question stem can not be empty.");
const QString kNoOption = QStringLiteral("You must enter at least one option.");
const QString kNoCorrect = QStringLiteral("You must select at least one correct answer.");

} // namespace

// Guards the blank count: overlapping runs of asterisks count (the published question makes a gap of
// each), and the words are counted wherever their boxes stand, blanks-only boxes not at all.
TEST(BlankQuestionValues, CountsBlanksAndWords)
{
    const struct {
        QString text;
        int blanks;
    } counts[] = {{"", 0}, {"***", 0}, {"****", 1}, {"*****", 2}, {"********", 5}, {"a **** b ****", 2}};
    for (const auto &c : counts)
        EXPECT_EQ(CBlankQuestionValues::CountBlanks(c.text), c.blanks) << c.text.toStdString();

    const struct {
        QString text;
        std::vector<std::pair<int, QString>> words;
        QString message;
    } checks[] = {
        {"A ***** bird", {{0, "young"}}, kMismatch},
        {"A **** bird ****", {{1, "young"}, {6, "old"}}, QString()},
        {"A **** bird", {{0, "   "}}, kMismatch},
        {"", {}, kNoBlank},
        {"no gaps", {{3, "  "}}, kNoBlank},
        {"A **** bird", {}, kMismatch},
    };
    for (const auto &c : checks) {
        CBlankQuestionValues v = CBlankQuestionValues::FillBlanks();
        v.questionText = c.text;
        for (const auto &[slot, word] : c.words)
            v.words[size_t(slot)] = word;
        EXPECT_EQ(v.Check().message, c.message) << c.text.toStdString();
    }
    EXPECT_EQ(CBlankQuestionValues::CompleteParagraph().instruction,
              "Click and drag these words to the correct location to complete the paragraph below.");
    EXPECT_EQ(CBlankQuestionValues::FillBlanks().instruction, "Type the missing words in the paragraph below.");
}

// Guards the multiple-choice checks: in the order stem, option, correct mark, the first failure alone,
// the stem's failure moving the focus to the stem box; and a mark on an empty option does not make an
// answerable question.
TEST(MultipleChoiceValues, ChecksInOrder)
{
    const struct {
        QString stem;
        std::array<QString, 5> options;
        std::array<int, 5> correct;
        QString message;
    } cases[] = {
        {"  \n ", {}, {}, kNoStem},
        {"", {"a"}, {1}, kNoStem},
        {"Which?", {" ", "", "", "", "\t"}, {1, 1, 1, 1, 1}, kNoOption},
        {"Which?", {"a", "b"}, {}, kNoCorrect},
        {"Which?", {"a", "b"}, {0, 0, 0, 0, 1}, kNoCorrect},
        {"Which?", {"a", "b", "", "", "  "}, {0, 0, 0, 0, 1}, kNoCorrect},
        {"Which?", {"", "", "", "", "e"}, {0, 0, 0, 0, 1}, QString()},
        {"Which?", {"a", "b"}, {0, 1}, QString()},
    };
    for (const auto &c : cases) {
        CMultipleChoiceValues v;
        v.stem = c.stem;
        v.options = c.options;
        v.correct = c.correct;
        const CDialogCheck check = v.Check();
        EXPECT_EQ(check.message, c.message) << c.stem.toStdString();
        EXPECT_EQ(check.focus, c.message == kNoStem ? CMultipleChoiceValues::kStemBox : 0);
    }
}

// Guards the true/false defaults and checks: the defaults pass once a statement is typed; an empty
// statement sends the focus to the statement box; the correct mark must stand on an option with text.
TEST(TrueFalseValues, DefaultsAndChecks)
{
    CTrueFalseValues v;
    EXPECT_EQ(v.instruction, "Mark the following statement as True or False");
    EXPECT_EQ(std::tie(v.optionA, v.optionB, v.optionACorrect, v.optionBCorrect),
              std::make_tuple(QString("TRUE"), QString("FALSE"), 0, 1));
    EXPECT_EQ(v.Check().message, kNoStem);
    EXPECT_EQ(v.Check().focus, CTrueFalseValues::kStatementBox);
    v.statement = "Owls hunt at night.";
    EXPECT_TRUE(v.Check().Passed());
    v.MarkCorrect(true);
    EXPECT_EQ(std::tie(v.optionACorrect, v.optionBCorrect), std::make_tuple(1, 0));
    v.optionA = " ";
    EXPECT_EQ(v.Check().message, kNoCorrect);
    v.optionB = "";
    EXPECT_EQ(v.Check().message, kNoOption);
}

// Guards the pairs check: a side is its text or its picture; a lone side is a missing pair; pairs need
// not be consecutive.
TEST(MatchPairsValues, PairsCheck)
{
    const QString noPair = QStringLiteral("You must enter at least one match pair.");
    const QString missing = QStringLiteral("There is a missing matching pair.");
    CMatchPairsValues v = CMatchPairsValues::Defaults();
    EXPECT_EQ(v.questionText, "Click on each item and then on the match in the next column.");
    EXPECT_EQ(v.zoom, 1);
    EXPECT_EQ(v.Check().message, noPair);
    v.leftTexts[2] = "Owl";
    EXPECT_EQ(v.Check().message, missing);
    v.rightImages[2] = "/pictures/owl.png";
    EXPECT_TRUE(v.Check().Passed());
    v.rightTexts[4] = "   ";
    EXPECT_TRUE(v.Check().Passed());
    v.leftImages[0] = "/pictures/hawk.png";
    EXPECT_EQ(v.Check().message, missing);
}

// Guards the thumbnails: a small picture keeps its size, a large one is fitted into 40 x 40 keeping its
// shape, a photo object without its mask still gets one, and a broken picture none.
TEST(MatchPairsValues, Thumbnails)
{
    TempTree tree;
    CCorvContext context;
    context.graphicsLibraryRoot = tree.MakeFolder("library") + u'/';
    tree.MakeFolder("library/Photo_Objects");
    const auto picture = [&](const QString &relative, int w, int h) {
        const QString path = tree.Write(relative, QByteArray());
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(QColor(200, 30, 30));
        image.save(path, "PNG");
        return path;
    };
    EXPECT_EQ(CMatchPairsValues::MakeThumbnail(context, picture("small.png", 20, 10)).size(), QSize(20, 10));
    EXPECT_EQ(CMatchPairsValues::MakeThumbnail(context, picture("wide.png", 400, 200)).size(), QSize(40, 20));
    EXPECT_EQ(CMatchPairsValues::MakeThumbnail(context, picture("library/Photo_Objects/cup.png", 80, 80)).size(),
              QSize(40, 40));
    EXPECT_TRUE(CMatchPairsValues::MakeThumbnail(context, tree.Write("broken.png", "not a picture")).isNull());
    EXPECT_TRUE(CMatchPairsValues::MakeThumbnail(context, QString()).isNull());
    const QImage blank = CMatchPairsValues::BlankThumbnail();
    EXPECT_EQ(blank.size(), QSize(40, 40));
    EXPECT_EQ(blank.pixelColor(39, 39), QColor(Qt::white));
}

// Guards the part-identification OK: a picture is required, and one that cannot be read is refused too;
// "All" and a number above the targets resolve to the target count.
TEST(PartIdentificationValues, PictureAndTargetsToMatch)
{
    CPartIdentificationValues v;
    v.targets = CPartIdentificationValues::DefaultTargets();
    const auto loads = [](const QString &file) { return file == "/p/owl.png"; };
    EXPECT_EQ(v.Check(loads).message, "You must select an image file.");
    v.imageFile = "   ";
    EXPECT_EQ(v.Check(loads).message, "You must select an image file.");
    v.imageFile = "/p/gone.png";
    EXPECT_TRUE(v.Check(loads).message.contains("/p/gone.png"));
    v.imageFile = "/p/owl.png  ";
    EXPECT_TRUE(v.Check(loads).Passed());

    const struct {
        int targets, toMatch, resolved;
    } cases[] = {{4, 0, 4}, {3, 5, 3}, {10, 7, 7}, {1, 1, 1}};
    for (const auto &c : cases) {
        v.targetCount = c.targets;
        v.targetsToMatch = c.toMatch;
        EXPECT_EQ(v.ResolvedTargetsToMatch(), c.resolved) << c.targets << " " << c.toMatch;
    }
    EXPECT_EQ(CPartIdentificationValues::DefaultTargets()[2], CRect(90, 10, 120, 40));
}

// Guards the slider checks (numbers: distinct ends, correct value inside; words: words present, the
// correct value's whole part naming one) and the silent corrections of decimals and markers.
TEST(LikertValues, ChecksAndCorrections)
{
    const QString same = QStringLiteral("The Start and End values cannot be the same");
    const QString range = QStringLiteral("The 'Correct value' is out of range for the values supplied");
    const QString noWords = QStringLiteral("You selected 'Use words as values'\nbut no words have been entered");
    EXPECT_EQ(CLikertValues::CountWords("a;b;c"), 3);
    EXPECT_EQ(CLikertValues::CountWords("a;b;c;"), 3);
    EXPECT_EQ(CLikertValues::CountWords(";"), 1);

    const struct {
        int numbers;
        double start, end, correct;
        QString words;
        int evaluate;
        QString message;
    } cases[] = {
        {1, 0, 10, 5, "", 1, QString()},
        {1, 10, 0, 5, "", 1, range},
        {1, 3, 3, 3, "", 0, same},
        {1, 0, 10, 10.5, "", 0, range},
        {0, 0, 0, 3.9, "a;b;c", 1, QString()},
        {0, 0, 0, 3.9, "a;b;c;", 1, QString()},
        {0, 0, 0, 4, "a;b;c", 1, range},
        {0, 0, 0, 0.5, "a;b;c", 1, range},
        {0, 0, 0, 1, "", 0, noWords},
    };
    for (const auto &c : cases) {
        CLikertValues v;
        v.useNumbers = c.numbers;
        v.startValue = c.start;
        v.endValue = c.end;
        v.correctValue = c.correct;
        v.words = c.words;
        v.evaluate = c.evaluate;
        EXPECT_EQ(v.Check().message, c.message) << c.words.toStdString() << " " << c.correct;
    }

    const struct {
        int numbers, snap, decimals, markers, decimalsOut, markersOut;
    } corrections[] = {
        {1, 0, 0, 1, 10, 10}, {1, 0, 11, 0, 10, 0}, {1, 1, 0, 65, 0, 10},
        {0, 0, 15, 64, 15, 64}, {1, 0, 3, 2, 3, 2},
    };
    for (const auto &c : corrections) {
        CLikertValues v;
        v.useNumbers = c.numbers;
        v.snap = c.snap;
        v.decimalPlaces = c.decimals;
        v.markers = c.markers;
        v.Correct();
        EXPECT_EQ(std::tie(v.decimalPlaces, v.markers), std::tie(c.decimalsOut, c.markersOut));
    }
}

// Guards the Flash question's corrections: versions outside 6 to 10 become 8, and an empty window mode
// selects "window".
TEST(FlashQuestionValues, VersionAndWindowMode)
{
    for (const auto &[in, out] : {std::pair{12, 8}, {6, 6}, {10, 10}, {5, 8}}) {
        CFlashQuestionValues v;
        v.version = in;
        v.Correct();
        EXPECT_EQ(v.version, out) << in;
    }
    EXPECT_EQ(CFlashQuestionValues::WindowModeIndex(""), 0);
    EXPECT_EQ(CFlashQuestionValues::WindowModeIndex("Trans"), 2);
    EXPECT_EQ(CFlashQuestionValues::WindowModeIndex("gpu"), -1);
}
