#include "ScreenTestSupport.h"

#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"
#include "model/ComponentTextbox.h"
#include "publish/ScreenPanels.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace ScreenTest;

namespace {

class QuestionPanelsTest : public ::testing::Test
{
protected:
    QuestionPanelsTest() { screen = f.Add(f.doc->MainScreens(), QStringLiteral("1_2"), pt_question); }

    template <class Kind>
    Kind *Question()
    {
        return Place<Kind>(*screen, f.prompt, CRect(10, 10, 1000, 500));
    }

    QString Panel(CComponentBase &question)
    {
        f.Outline();
        QString piece;
        EXPECT_TRUE(CorvScreenPanels::QuestionPanelToHtml(f.Publisher()->Context(), question, piece));
        return piece;
    }

    Fixture f;
    CCorvPage *screen = nullptr;
};

const QString kLargeFrame = "\"<div id='panellarge'>\" +\n\"<div id='upperpanel'>&nbsp;</div>\" +\n"
                            "\"<div id='upperpanellarge'>\" +\n";
const QString kUpperEndLowerStart = "\"</div>\" +\n\"</div>\" +\n\"<div id='panellower'>\" +\n\"<div id='lowerpanel'>\" +\n";
const QString kPanelEnd = "\"<a id='done' title='submit response'></a>\" +\n\"</div>\" +\n\"</div>\"";

} // namespace

// Guards the blanks: each one takes the one character after it (the space that would otherwise stand
// before the next word, or the line end), a blank at the very end takes nothing, five stars are one
// blank and its star, and a character outside the Basic Multilingual Plane goes whole.
TEST(QuestionBlanks, SplitAtBlanks)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x90\xA6");
    const struct {
        QString text;
        QStringList pieces;
    } cases[] = {
        {"no blank", {"no blank"}},
        {"a **** b", {"a ", "b"}},
        {"ends ****", {"ends ", ""}},
        {"****", {"", ""}},
        {"*****x", {"", "x"}},
        {"one ****\r\ntwo ****.", {"one ", "\ntwo ", ""}},
        {"********", {"", "***"}},
        {"x****" + emoji + "y", {"x", "y"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CorvScreenPanels::SplitAtBlanks(c.text), c.pieces) << c.text.toStdString();
}

// Guards the complete-the-paragraph panel byte for byte: the small frame, the instruction, one tile per
// word in slot order, drop targets that take the blank space with them, the paragraph's line feeds as
// line breaks, and the answer words and paragraph made safe (quote, backslash, markup).
TEST_F(QuestionPanelsTest, CompleteParagraph)
{
    auto *question = Question<CComponentCompleteParagraph>();
    question->SetInstruction("Fill \"it\"\r\nin");
    question->SetQuestionText("Gulls **** on <cliffs>\r\nand \\ ****");
    question->SetMissingWords({"nest", {}, "a \"b\\"});
    EXPECT_EQ(Panel(*question),
              "\"<div id='panelsmall'>\" +\n\"<div id='upperpanel'>&nbsp;</div>\" +\n\"<div id='upperpanelsmall'>\" +\n"
              "    \"<p class='stem'>\" +\n\"Fill \\\"it\\\"<br>in\" +\n\"</p>\" +\n"
              "\"</div>\" +\n\"</div>\" +\n"
              "\"<div id='drag0' class='drag'>nest</div>\" +\n"
              "\"<div id='drag1' class='drag'>a \\\"b\\\\</div>\" +\n"
              "\"<div id='panellower'>\" +\n\"<div id='lowerpanel'>\" +\n\"<div class='question2'>\" +\n"
              "\"Gulls <div id='target0' class='cpTarget'>&nbsp;</div>on &lt;cliffs&gt;<br>and \\\\ "
              "<div id='target1' class='cpTarget'>&nbsp;</div>\" +\n\"</div>\" +\n" +
                  kPanelEnd);
}

// Guards the fill-in-the-blanks panel: inputs option0, option1 in order, a blank before a paragraph end
// takes it with it, runs of line breaks become one, and the instruction shares the stem's literal.
TEST_F(QuestionPanelsTest, FillBlanks)
{
    auto *question = Question<CComponentFillBlanks>();
    question->SetInstruction("Type");
    question->SetQuestionText("A ****\r\nB\r\n\r\n\r\nC **** end");
    EXPECT_EQ(Panel(*question),
              kLargeFrame + "    \"<p class='stem'>\" +\n\"Type</p>\" +\n" + kUpperEndLowerStart +
                  "\"<div class='question3'>\" +\n"
                  "\"A <input class='in' type='text' name='option0' id='option0'>B<br>C "
                  "<input class='in' type='text' name='option1' id='option1'>end</div>\" +\n" +
                  kPanelEnd);
}

// Guards the option count of multiple choice (the last option holding more than white space; empty ones
// before it stay, each with its button), the author's options left as typed by publishing, and the
// true/false form's two stems, instruction first.
TEST_F(QuestionPanelsTest, MultipleChoiceOptions)
{
    const struct {
        CComponentMultipleChoice::Options options;
        int count;
    } cases[] = {
        {{"A", "B", "C", "", ""}, 3},
        {{"A", "", "C", " ", "\t"}, 3},
        {{"", "", "", "", ""}, 0},
        {{"A", "B", "C", "D", "E"}, 5},
        {{" ", "", "", "", "E "}, 5},
    };
    for (const auto &c : cases) {
        auto *question = Question<CComponentMultipleChoice>();
        question->SetOptions(c.options, {});
        const QString panel = Panel(*question);
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(panel.contains(QStringLiteral("id='img%1'").arg(k)), k < c.count) << k;
            EXPECT_EQ(panel.contains(QStringLiteral("<a id='option%1' class='questionMC' title=''>").arg(k)), k < c.count);
        }
        // The last option is written trimmed; the question keeps the texts as the author typed them.
        if (c.count > 0) {
            const int last = c.count - 1;
            EXPECT_TRUE(panel.contains(QStringLiteral("<span id='mc%1' class='mc'>%2</span>")
                                           .arg(last)
                                           .arg(c.options[size_t(last)].trimmed())));
        }
        EXPECT_EQ(question->GetOptions(), c.options);
    }

    auto *question = Question<CComponentMultipleChoice>();
    question->SetOptions({"A", "", "C <b>\"x\"", "", ""}, {});
    question->SetQuestionText("Which?");
    EXPECT_EQ(Panel(*question), kLargeFrame + "\"<p class='stem'>Which?</p>\" +\n" + kUpperEndLowerStart +
                                    "\"<div class='mcBtn' id='img0'></div>\" +\n\"<div class='mcBtn' id='img1'></div>\" +\n"
                                    "\"<div class='mcBtn' id='img2'></div>\" +\n"
                                    "\"<a id='option0' class='questionMC' title=''>\" +\n\"<span id='mc0' class='mc'>A</span>\" +\n\"</a>\" +\n"
                                    "\"<a id='option1' class='questionMC' title=''>\" +\n\"<span id='mc1' class='mc'></span>\" +\n\"</a>\" +\n"
                                    "\"<a id='option2' class='questionMC' title=''>\" +\n"
                                    "\"<span id='mc2' class='mc'>C &lt;b&gt;\\\"x\\\"</span>\" +\n\"</a>\" +\n" +
                                    kPanelEnd);

    question->SetTrueFalse(1);
    question->SetInstruction("True or false?");
    EXPECT_TRUE(Panel(*question).startsWith(kLargeFrame + "\"<p class='stem'>True or false?</p>\" +\n"
                                                          "\"<p class='stem'>Which?</p>\" +\n"));
}

// Guards match the pairs: the pictures named after the screen's label and their slot, lower-cased
// (1_2l0.png); a pair after an empty slot is still written, numbered on from the pairs before it; the
// picture first on the right side; a side without text or picture writes no anchor.
TEST_F(QuestionPanelsTest, MatchPairs)
{
    auto *question = Question<CComponentMatchPairs>();
    question->SetQuestionText("Match");
    question->SetLeftTexts({"", "", "Tern", "", ""});
    question->SetLeftImages({"/p/Gull.PNG", "", "", "/p/x.png", ""});
    question->SetRightTexts({"White", "", "", "", ""});
    question->SetRightImages({"/p/a.png", "", "/p/b.png", "", ""});
    EXPECT_EQ(Panel(*question),
              kLargeFrame + "\"<p class='stem'>\" +\n\"Match</p>\" +\n" + kUpperEndLowerStart +
                  "\"<div id='conOptions'>\" +\n"
                  "\"<a id='option0' class='mpOption'>\" +\n"
                  "\"<img src='images/questions/1_2l0.png' style='width:40px; height:40px;' alt=''>\" +\n\"</a>\" +\n"
                  "\"<a id='option1' class='mpOption'>\" +\n\"Tern\" +\n\"</a>\" +\n"
                  "\"<a id='option2' class='mpOption'>\" +\n"
                  "\"<img src='images/questions/1_2l3.png' style='width:40px; height:40px;' alt=''>\" +\n\"</a>\" +\n"
                  "\"</div>\" +\n"
                  "\"<div id='conTargets'>\" +\n"
                  "\"<a id='target0' class='mpTarget'>\" +\n"
                  "\"<img src='images/questions/1_2r0.png' style='width:40px; height:40px;' alt=''>\" +\n"
                  "\"White\" +\n\"</a>\" +\n"
                  "\"<a id='target1' class='mpTarget'>\" +\n"
                  "\"<img src='images/questions/1_2r2.png' style='width:40px; height:40px;' alt=''>\" +\n\"</a>\" +\n"
                  "\"</div>\" +\n"
                  "\"<a id='done' title='submit response'></a>\" +\n\"</div>\" +\n\"</div>\" +\n\"<div id='mpZoom'></div>\"");
}

// Guards identify the parts: the shown picture's size, its file name lower-cased as the copy names it, and
// each target relative to the picture's top-left corner.
TEST_F(QuestionPanelsTest, PartIdentification)
{
    QImage picture(1000, 400, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QString file = f.tmp.MakeFolder("Images/Questions") + "/Valve.PNG";
    ASSERT_TRUE(picture.save(file));
    auto *question = Question<CComponentPartIdentification>();
    question->SetQuestionText("Find \"it\"");
    question->SetImageFile(file);
    question->m_reduceToFit = 1;
    question->SetTargetCount(2);
    const CRect shown = question->GetImageRect();
    ASSERT_EQ(shown, CRect(0, 0, 750, 300));
    question->SetTargetRect(10, 20, 50, 70, 0);
    question->SetTargetRect(700, 250, 749, 299, 1);
    const QString panel = Panel(*question);
    EXPECT_TRUE(panel.startsWith(kLargeFrame + "\"<p class='stem'>Find \\\"it\\\"</p>\" +\n" + kUpperEndLowerStart));
    EXPECT_TRUE(panel.contains("\"<div id='container' style='position:relative; margin-left:auto; margin-right:auto; "
                               "width:750px; height:300px;'>\" +\n"
                               "\"<img id='partsImg' src='images/questions/valve.png' style='width:750px; height:300px; "
                               "cursor:pointer; vertical-align:text-bottom;' alt='Part ID image'>\" +\n"
                               "\"<div id='option0' class='piOption' style='left:10px; top:20px; width:40px; height:50px;'></div>\" +\n"
                               "\"<div id='option1' class='piOption' style='left:700px; top:250px; width:49px; height:49px;'></div>\" +\n"
                               "\"</div>\" +\n\"</div>\" +\n" +
                               kPanelEnd))
        << panel.toStdString();
    EXPECT_FALSE(panel.contains("option2"));
}

// Guards the slider panel byte for byte: its lower panel hides its overflow and holds the fixed slider
// elements the run-time fills from the start-up entry.
TEST_F(QuestionPanelsTest, Slider)
{
    auto *question = Question<CComponentLikert>();
    question->SetQuestionText("How\r\nmany?");
    EXPECT_EQ(Panel(*question), kLargeFrame + "\"<p class='stem'>How<br>many?</p>\" +\n\"</div>\" +\n\"</div>\" +\n"
                                              "\"<div id='panellower'>\" +\n\"<div id='lowerpanel' style='overflow:hidden;'>\" +\n"
                                              "\"<div class='question3'>\" +\n\"<p id='SRslidervalue'>&nbsp;</p>\" +\n"
                                              "\"<div id='SRmarker'>&nbsp;</div>\" +\n\"<div id='SRsliderbg'>\" +\n"
                                              "\"<div id='SRfill'>&nbsp;</div>\" +\n\"</div>\" +\n"
                                              "\"<p id='SRlabelstart'>&nbsp;</p>\" +\n\"<p id='SRlabelend'>&nbsp;</p>\" +\n"
                                              "\"<img id='SRdrag' alt='slider' src=''>\" +\n\"</div>\" +\n" +
                                              kPanelEnd);
}

// Guards the stem rule on every upper panel: a line break becomes <br>, a quotation mark \", a backslash
// \\, markup shows as text and "</script>" cannot end a page's script; a component of another kind has no
// panel.
TEST_F(QuestionPanelsTest, StemTextsAndOtherKinds)
{
    auto *question = Question<CComponentLikert>();
    question->SetQuestionText("a\r\nb \"c\" \\ <i>d</i> </script>");
    EXPECT_TRUE(Panel(*question).contains("\"<p class='stem'>a<br>b \\\"c\\\" \\\\ &lt;i&gt;d&lt;/i&gt; &lt;/script&gt;</p>\""));
    auto *textbox = Place<CComponentTextbox>(*screen, f.prompt, CRect(0, 0, 10, 10));
    QString piece = "stale";
    EXPECT_FALSE(CorvScreenPanels::QuestionPanelToHtml(f.Publisher()->Context(), *textbox, piece));
    EXPECT_TRUE(piece.isEmpty());
}
